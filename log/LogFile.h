// The session log: one file, "C:\Zelkor.log", open at most once at a time. Every producer writes
// through the exported ZKLog* writers; these are the program's own operations on the file.
#pragma once
#include <windows.h>

#include <string>

// The log's path, loaded once from the string table.
const char* LogFileName();
// Creates (truncating) the log; true when it is open.
bool CreateLogFile();
// Opens the existing log; with append the position moves to the end. Never creates it.
bool OpenLogFile(bool append);
void CloseLogFile();
// The open log's handle, or INVALID_HANDLE_VALUE.
HANDLE LogFileHandle();
// The session header: the four user details and an empty line.
void WriteLogHeader(const std::string& name, const std::string& company, const std::string& phone,
                    const std::string& fax);
// The line that stands in for a file that cannot be read.
void LogMissingFile();
