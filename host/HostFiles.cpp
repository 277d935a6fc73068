// Host functions for files: finding and opening a system file, numbered backups, temporary
// files and opening a file in a text editor.
#include <windows.h>

#include <string>

#include "editors/TextEditorWnd.h"
#include "log/FileBackup.h"
#include "log/SystemFilePath.h"
#include "wizard/WizardDlg.h"
#include "zelkor.h"

HANDLE WINAPI ZKOpenSystemFile(LPCSTR fileName, LPSTR foundPath) {
    char path[MAX_PATH];
    HANDLE file = OpenSystemFile(fileName, path);
    if (file != INVALID_HANDLE_VALUE && foundPath) lstrcpynA(foundPath, path, MAX_PATH);
    return file;
}

BOOL WINAPI ZKBackupFile(LPCSTR path, LPSTR backupPath) {
    std::string backup;
    const bool made = BackupFile(path, backup);
    lstrcpynA(backupPath, backup.c_str(), MAX_PATH);
    return made;
}

void WINAPI ZKGetTempPath(LPSTR path) {
    char directory[MAX_PATH];
    GetTempPathA(MAX_PATH, directory);
    GetTempFileNameA(directory, "ZK", 0, path);
}

BOOL WINAPI ZKTextEdit(LPCSTR path, LPCSTR title, BOOL readOnly) {
    return EditTextFile(CWizardDlg::ActiveWindow(), path, title, readOnly != FALSE) ? TRUE : FALSE;
}
