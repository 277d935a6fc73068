// Turns a Win32 error or a registry status into text for the user.
#pragma once
#include <windows.h>

#include <string>

std::string ErrorText(DWORD error);
