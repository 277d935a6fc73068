// Whole texts of the saved log, its copies and the files beside it, written as the log itself
// is: beside the target and put in its place only once whole, so that a failure leaves the
// previous file as it was.
#pragma once
#include <windows.h>

#include <string>
#include <string_view>

// Reads the whole file; the system's error code, 0 when read.
DWORD ReadWholeLog(const std::string& path, std::string& text);
// Writes `text` as the whole of the file; the system's error code, 0 once it is in place.
DWORD WriteWholeLog(const std::string& path, std::string_view text);
// A copy of one file under another name, written the same way.
DWORD CopyWholeLog(const std::string& from, const std::string& to);
