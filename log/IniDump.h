// Loading a system file as INI text (the exported ZKLoadIniFile) and writing its sections.
#pragma once
#include <windows.h>

// The file's bytes and one NUL in a fixed global block, and the file's size; null when the file
// cannot be read. The caller frees the block.
HGLOBAL LoadIniFile(const char* fileName, DWORD& size);
