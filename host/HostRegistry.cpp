// Host functions for registry keys, through the program's one registry layer, and the registry
// editor opened on one key.
#include <windows.h>

#include "editors/RegistryEditorWnd.h"
#include "framework/Trace.h"
#include "registry/RegistryKey.h"
#include "wizard/WizardDlg.h"
#include "zelkor.h"

BOOL WINAPI ZKDetectKey(HKEY root, LPCSTR subkey) {
    const CRegistryKey key(root, false);
    return key.subkeyExists(subkey) ? TRUE : FALSE;
}

void WINAPI ZKDeleteKey(HKEY root, LPCSTR subkey) {
    CRegistryKey key(root, false);
    key.deleteSubkey(subkey);
}

void WINAPI ZKRegEdit(LPCSTR name, HKEY root, LPCSTR subkey) {
    try {
        CRegistryEditorWnd editor(CWizardDlg::ActiveWindow());
        editor.AddRootEntry(name ? name : "", root, subkey ? subkey : "");
        editor.Run();
    } catch (...) {
        fw::TraceCaughtException("ZKRegEdit");  // nothing crosses into the library
    }
}
