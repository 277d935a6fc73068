// Whole files as the editors and the journal read them (fw::WriteFileInPlace writes them).
#pragma once
#include <windows.h>

#include <string>

// Reads the whole of an open file from its start. False (last error set) when it cannot, or when
// the file is too large for an edit control.
bool ReadWholeFile(HANDLE file, std::string& bytes);
