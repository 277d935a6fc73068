// Numbered backup copies of the system files that the program changes.
#pragma once
#include <string>

// Copies the file at path to the first free numbered name beside it: WIN.INI to WIN.000, then
// WIN.001 and so on (a file name without any '.' gets one). backupPath receives the name used, or
// the last name tried; false (last error set) when no copy could be made, and then no file of
// that name is left behind.
bool BackupFile(const char* path, std::string& backupPath);
