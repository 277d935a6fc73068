#include "log/FileBackup.h"

#include <windows.h>

#include <cstdio>

bool BackupFile(const char* path, std::string& backupPath) {
    // The stem runs up to and including the last '.' anywhere in the path.
    std::string stem = path;
    const size_t dot = stem.rfind('.');
    if (dot == std::string::npos)
        stem += '.';
    else
        stem.erase(dot + 1);
    for (unsigned number = 0;; ++number) {
        char candidate[MAX_PATH];
        const int length = std::snprintf(candidate, sizeof candidate, "%s%03u", stem.c_str(), number);
        backupPath.assign(candidate);
        // A cut-off candidate would name the same file every time: give up instead.
        if (length < 0 || length >= MAX_PATH) {
            SetLastError(ERROR_FILENAME_EXCED_RANGE);
            return false;
        }
        if (GetFileAttributesA(candidate) != INVALID_FILE_ATTRIBUTES) continue;
        const bool nameWasFree = GetLastError() == ERROR_FILE_NOT_FOUND;
        if (CopyFileA(path, candidate, TRUE)) return true;
        const DWORD error = GetLastError();
        if (error == ERROR_FILE_EXISTS) continue;  // taken since it was looked at
        // A copy that fails part way (a full disk) leaves its beginning behind: an empty or
        // partial backup would pass for the old file and take its number.
        if (nameWasFree) DeleteFileA(candidate);
        SetLastError(error);
        return false;
    }
}
