// Where a copy of the log goes: the system's Save As dialog, proposing a name that says whose
// machine and when, in the user's documents folder.
#pragma once
#include <windows.h>

#include <string>

// "Zelkor-<computer>-<yyyymmdd-hhmm>.log".
std::string ProposedCopyName(const std::string& computer, const SYSTEMTIME& when);
// The path the user chose; empty when the dialog was cancelled.
std::string AskCopyPath(HWND owner);
