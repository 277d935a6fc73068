// The number texts of the Edit DWORD dialog: unsigned decimal, or hexadecimal without a prefix.
#pragma once
#include <windows.h>

#include <string>

std::string DwordText(DWORD value, bool hex);

// Unsigned decimal, blanks around it allowed; no digits, a sign of minus, more than 32 bits or
// anything else after the digits is refused.
bool ParseDecimalDword(const std::string& text, DWORD& value);

// Hexadecimal as the user types it: the first 19 characters are read the way the C library
// converts base 16 (blanks, sign, 0x prefix; minus negates modulo 2^32). Refused: anything left
// after the digits, and a result of all ones unless the text is exactly eight f digits (so
// overflow, -1 and 0xffffffff are refused). Empty text is 0.
bool ParseHexDword(const std::string& text, DWORD& value);
