// Finding Corvane's fax product, Ravelin, through its registry keys.
#pragma once
#include <windows.h>

// (major x 65536) + (high word of minor x 10 + low word of minor) mod 65536.
DWORD EncodeFaxVersion(DWORD major, DWORD minor);

// True when a supported version (7.50 or later) is installed with its program key; records
// its version (capped at 8.00) for the rest of the process.
bool FindFaxProgram();
