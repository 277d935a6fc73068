// The console of whoever started the program, when there is one: a script, a scheduled task's
// command, a remote shell. A windowed program has none of its own.
#pragma once
#include <windows.h>

#include <string>

// Writes a line to standard output or standard error as the program was given them, or else to
// the console of the process that started it. False when there is neither.
bool WriteToConsole(DWORD standardHandle, const std::string& text);
