// Finding and opening the system files that the test libraries name.
#pragma once
#include <windows.h>

// Where a system file is: found by the system's search order, else in the root of drive C:.
// False when that path is longer than MAX_PATH characters allow.
bool SystemFilePath(const char* fileName, char (&path)[MAX_PATH]);
// Opens a system file for reading: exclusively when it can be had, else shared, so that a
// read-only file or one that another program holds open is still read. Invalid when missing.
HANDLE OpenSystemFileToRead(const char* fileName);
