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
        if (CopyFileA(path, candidate, TRUE)) return true;
        if (GetLastError() != ERROR_FILE_EXISTS) return false;
    }
}
