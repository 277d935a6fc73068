// The number texts of the Edit DWORD dialog: unsigned decimal (read as
// fw::ParseUnsignedDecimal reads it), or hexadecimal without a prefix.
#pragma once
#include <windows.h>

#include <string>

std::string DwordText(DWORD value, bool hex);

// Hexadecimal as the user types it: the first 19 characters are read the way the C library
// converts base 16 (blanks, sign, 0x prefix; minus negates modulo 2^32). Refused: anything left
// after the digits, and a result of all ones unless the text is exactly eight f digits (so
// overflow, -1 and 0xffffffff are refused). Empty text is 0.
bool ParseHexDword(const std::string& text, DWORD& value);
