// Finding and opening the system files that the test libraries name.
#include "log/SystemFilePath.h"

#include <cstdio>

bool SystemFilePath(const char* fileName, char (&path)[MAX_PATH]) {
    const DWORD length = SearchPathA(nullptr, fileName, nullptr, MAX_PATH, path, nullptr);
    if (length > 0 && length < MAX_PATH) return true;
    // A name cut to fit would be another file's.
    if (static_cast<unsigned>(snprintf(path, MAX_PATH, "C:\\%s", fileName)) < MAX_PATH) return true;
    SetLastError(ERROR_FILENAME_EXCED_RANGE);
    return false;
}

HANDLE OpenFileExclusively(const char* path) {
    return CreateFileA(path, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
}

HANDLE OpenSystemFile(const char* fileName, char (&path)[MAX_PATH]) {
    if (!SystemFilePath(fileName, path)) return INVALID_HANDLE_VALUE;
    return OpenFileExclusively(path);
}

HANDLE OpenFileToRead(const char* path, SystemFileOpening& opening) {
    opening = {};
    const char root[] = {path[0], ':', '\\', '\0'};
    opening.onFixedDrive = path[0] && path[1] == ':' && GetDriveTypeA(root) == DRIVE_FIXED;
    // Exclusive first, so that nothing changes the file while it is copied.
    HANDLE file = CreateFileA(path, GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    opening.exclusive = file != INVALID_HANDLE_VALUE;
    if (!opening.exclusive)
        file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, 0, nullptr);
    return file;
}

HANDLE OpenSystemFileToRead(const char* fileName, SystemFileOpening& opening) {
    char path[MAX_PATH];
    opening = {};
    return SystemFilePath(fileName, path) ? OpenFileToRead(path, opening) : INVALID_HANDLE_VALUE;
}

HANDLE OpenSystemFileToRead(const char* fileName) {
    SystemFileOpening opening;
    return OpenSystemFileToRead(fileName, opening);
}
