// Host functions for files: finding and opening a system file, numbered backups, temporary
// files and opening a file in a text editor.
#include <windows.h>

#include <cstdio>
#include <string>

#include "editors/TextEditorWnd.h"
#include "log/SystemFilePath.h"
#include "wizard/WizardDlg.h"
#include "zelkor.h"

HANDLE WINAPI ZKOpenSystemFile(LPCSTR fileName, LPSTR foundPath) {
    char path[MAX_PATH];
    if (!SystemFilePath(fileName, path)) return INVALID_HANDLE_VALUE;
    // Exclusive: a file in use elsewhere counts as not available.
    HANDLE file = CreateFileA(path, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file != INVALID_HANDLE_VALUE && foundPath) lstrcpynA(foundPath, path, MAX_PATH);
    return file;
}

BOOL WINAPI ZKBackupFile(LPCSTR path, LPSTR backupPath) {
    // WIN.INI gets WIN.000, WIN.001 and so on; a name without any '.' gets one.
    std::string stem = path;
    const size_t dot = stem.rfind('.');
    if (dot == std::string::npos)
        stem += '.';
    else
        stem.erase(dot + 1);
    for (unsigned number = 0;; ++number) {
        // A cut-off candidate would name the same file every time: give up instead.
        if (std::snprintf(backupPath, MAX_PATH, "%s%03u", stem.c_str(), number) >= MAX_PATH) return FALSE;
        if (CopyFileA(path, backupPath, TRUE)) return TRUE;
        if (GetLastError() != ERROR_FILE_EXISTS) return FALSE;
    }
}

void WINAPI ZKGetTempPath(LPSTR path) {
    char directory[MAX_PATH];
    GetTempPathA(MAX_PATH, directory);
    GetTempFileNameA(directory, "ZK", 0, path);
}

BOOL WINAPI ZKTextEdit(LPCSTR path, LPCSTR title, BOOL readOnly) {
    CWizardDlg* wizard = CWizardDlg::Active();
    return EditTextFile(wizard ? wizard->hwnd() : nullptr, path, title, readOnly != FALSE) ? TRUE : FALSE;
}
