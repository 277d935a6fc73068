// Column layouts of the registry and INI dumps, composed as text so that each value or section
// reaches the log in one write. Plain functions: no registry, no file.
//
// Names, keys and data come from outside and may hold line breaks. They are written with each
// CR as the two characters "\r" and each LF as "\n" (a backslash stays as it is), so that no
// value can start a log line of its own. Columns count the characters as written.
#pragma once
#include <windows.h>

#include <string>
#include <string_view>

// Formatted log text is composed in a buffer of this size: longer text is cut to fit it.
constexpr size_t kLogFormatSize = 1024;

// `text` with its line breaks written as "\r" and "\n".
void AppendEscaped(std::string& out, std::string_view text);

// A section banner: 60 asterisks, "* " and the title (up to a NUL in it), 60 asterisks and an
// empty line; cut as all formatted log text is.
void AppendSectionBanner(std::string& out, std::string_view title);

// A subsection heading: the title, a line of 50 equals signs and an empty line; cut as all
// formatted log text is.
void AppendSubsectionHeading(std::string& out, const char* title);

// One registry value: "%-9s %-20s = " and the string, wrapped at 40 characters a line.
void AppendRegistryString(std::string& out, std::string_view label, std::string_view name, std::string_view data);
// "%-9s %-20s = 0x%08lX (%lu)".
void AppendRegistryDword(std::string& out, std::string_view label, std::string_view name, DWORD value);
// "%-9s %-20s =" and the bytes, eight to a line, later lines indented by 32 spaces.
void AppendRegistryBytes(std::string& out, std::string_view label, std::string_view name, const BYTE* data,
                         size_t size);

// One INI entry: "%-20s = " and the value, wrapped at 40 characters a line.
void AppendIniEntry(std::string& out, std::string_view key, std::string_view value);
