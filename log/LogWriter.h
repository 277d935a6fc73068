// The program's own writers into the open log (log/LogFile.h). A write to a closed log does
// nothing and returns 0. The exported ZKLog* functions are adapters over these.
#pragma once
#include <windows.h>

#include <cstdarg>
#include <string>
#include <string_view>

// The bytes written.
DWORD LogWrite(std::string_view text);
// printf-style; the text is cut at 1,023 characters.
DWORD LogFormat(const char* format, ...);
DWORD LogFormatList(const char* format, va_list arguments);
// A section's banner of stars around its title, and an empty line.
void LogSection(std::string_view title);
// A subsection's underlined title.
void LogSubsection(std::string_view title);
// The values directly in one registry key (log/RegistryDump.cpp).
void LogRegistry(HKEY root, std::string_view subkey);
// A whole file copied as text, leaving out what is not text (log/TextFileDump.cpp). A file that
// cannot be opened, or an invalid handle, writes the line for a missing file.
void LogTextFile(const std::string& fileName);
void LogOpenTextFile(HANDLE file);
