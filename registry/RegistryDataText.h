// How the registry editor shows a value's data in its list.
#pragma once
#include <windows.h>

#include <cstddef>
#include <string>

// "0x0000002a (42)": eight lower-case hexadecimal digits, then the unsigned decimal value.
std::string DwordDataText(DWORD value);
// The first 20 bytes as lower-case hexadecimal pairs, " ..." when there are more; a text of its
// own for no bytes at all.
std::string BytesDataText(const BYTE* data, size_t size);
// Any value's data as the list shows it: a string up to its first zero byte, a double word of four
// bytes as a number, everything else as bytes.
std::string ValueDataText(DWORD type, const std::string& data);
