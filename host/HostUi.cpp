// Host functions for names, strings, message boxes and the shared bold font: adapters over the
// program's own operations. A library's questions are owned by the wizard's window.
#include <windows.h>

#include "controls/IconButton.h"
#include "framework/Font.h"
#include "framework/MessageBox.h"
#include "framework/StringTable.h"
#include "resources/resource.h"
#include "wizard/WizardDlg.h"
#include "zelkor.h"

LPCSTR WINAPI ZKGetAppName() {
    static const std::string name = fw::LoadedString(IDS_APP_NAME);
    return name.c_str();
}

HFONT WINAPI ZKGetBoldFont() { return fw::BoldFontLike(CWizardDlg::ActiveWindow()); }

LPCSTR WINAPI ZKLoadString(UINT id, HMODULE module) {
    static char buffer[256];
    if (LoadStringA(module ? module : GetModuleHandleA(nullptr), id, buffer, sizeof buffer) <= 0) buffer[0] = '\0';
    return buffer;
}

int WINAPI ZKMessageBox(LPCSTR text, UINT style) {
    return fw::ShowMessage(CWizardDlg::ActiveWindow(), text ? text : "", style);
}

int WINAPI ZKMessageBox(UINT stringId, UINT style, HMODULE module) {
    return ZKMessageBox(ZKLoadString(stringId, module), style);
}

BOOL WINAPI ZKInitIconButton(HWND dialog, int controlId, LPCSTR iconName, HINSTANCE module) {
    return InitIconButton(dialog, controlId, iconName, module);
}

BOOL WINAPI ZKInitIconButton(HWND dialog, int controlId, UINT iconId, HINSTANCE module) {
    return InitIconButton(dialog, controlId, MAKEINTRESOURCEA(iconId), module);
}
