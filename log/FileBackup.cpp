#include "log/FileBackup.h"

#include <windows.h>

#include <cstdio>

namespace {
// The backup's name up to its number: the path up to and including the last '.' of the file's
// own name, or the whole path and a '.' when the name has none (a folder's dot does not count).
std::string NumberedStem(const std::string& path) {
    const size_t name = path.find_last_of("\\/:");
    const size_t dot = path.rfind('.');
    if (dot == std::string::npos || (name != std::string::npos && dot < name)) return path + '.';
    return path.substr(0, dot + 1);
}
}  // namespace

bool BackupFile(const char* path, std::string& backupPath) {
    const std::string stem = NumberedStem(path);
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
