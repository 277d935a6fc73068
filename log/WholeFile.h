// Whole files as the editors read and write them.
#pragma once
#include <windows.h>

#include <string>

// Reads the whole of an open file from its start. False (last error set) when it cannot, or when
// the file is too large for an edit control.
bool ReadWholeFile(HANDLE file, std::string& bytes);

// Writes the new content to a file of its own beside the old one, which it replaces (keeping its
// attributes) only once it is whole: a full disk or a refused file leaves the old one as it was.
// False (last error set) when it fails.
bool ReplaceFileContent(const std::string& path, const std::string& bytes);
