// The saved log with its personal details hidden, and back: the log as it was waits beside it
// meanwhile, and the map from originals to placeholders is kept beside it for good.
#pragma once
#include <windows.h>

#include <string>

// The map's file, beside the log.
std::string PlaceholderMapFileName(const std::string& logPath);
// Where the log as it was waits while its details are hidden, beside it.
std::string OriginalLogFileName(const std::string& logPath);
// Rewrites the saved log with its details hidden, the map kept first and the log as it was kept
// under OriginalLogFileName. The system's error code, 0 when done; on failure the log is as it
// was, under its own name alone.
DWORD HideDetailsInLog(const std::string& logPath);
// Puts the log as it was back in place of the one with its details hidden.
DWORD RestoreHiddenDetails(const std::string& logPath);
// Removes the log as it was: a new log has been made, or the program is done with this one.
void ForgetOriginalLog(const std::string& logPath);
