// Column layouts of the registry and INI dumps, composed as text so that each value or section
// reaches the log in one write. Plain functions: no registry, no file.
#pragma once
#include <windows.h>

#include <string>
#include <string_view>

// `text` left-aligned in at least `width` columns.
void AppendPadded(std::string& out, std::string_view text, size_t width);

// Writes `data` after a first line that already holds `lead` characters. The room for data on
// every line is lineEnd - lead; each full piece is followed by CR LF and `indent` spaces. When
// the lead leaves no room the whole data goes on the first line. Ends with CR LF.
void AppendWrapped(std::string& out, std::string_view data, size_t lead, size_t lineEnd, size_t indent);

// One registry value: "%-9s %-20s = " and the wrapped string.
void AppendRegistryString(std::string& out, std::string_view label, std::string_view name, std::string_view data);
// "%-9s %-20s = 0x%08lX (%lu)".
void AppendRegistryDword(std::string& out, std::string_view label, std::string_view name, DWORD value);
// "%-9s %-20s =" and the bytes, eight to a line, later lines indented by 32 spaces.
void AppendRegistryBytes(std::string& out, std::string_view label, std::string_view name, const BYTE* data,
                         size_t size);

// One INI entry: "%-20s = " and the wrapped value.
void AppendIniEntry(std::string& out, std::string_view key, std::string_view value);
