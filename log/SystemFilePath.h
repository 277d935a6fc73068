// Finding and opening the system files that the test libraries name.
#pragma once
#include <windows.h>

// Where a system file is: found by the system's search order, else in the root of drive C:.
// False when that path is longer than MAX_PATH characters allow.
bool SystemFilePath(const char* fileName, char (&path)[MAX_PATH]);
// Opens a file for reading and writing with no sharing, so that nobody else changes it while the
// program holds it. Invalid (last error set) when it is missing, read-only or in use elsewhere.
HANDLE OpenFileExclusively(const char* path);
// Finds a system file and opens it exclusively; path receives where it was looked for.
HANDLE OpenSystemFile(const char* fileName, char (&path)[MAX_PATH]);
// How a system file was opened for reading.
struct SystemFileOpening {
    bool exclusive = false;     // nobody else has it open
    bool onFixedDrive = false;  // on a local hard disk: no network or removable medium
};
// Opens a file for reading: exclusively when it can be had, else shared, so that a read-only
// file or one that another program holds open is still read. Invalid when missing.
HANDLE OpenFileToRead(const char* path, SystemFileOpening& opening);
// The same for a system file, found as above.
HANDLE OpenSystemFileToRead(const char* fileName, SystemFileOpening& opening);
HANDLE OpenSystemFileToRead(const char* fileName);
