// Every message box of the program, captioned with the application's name.
#pragma once
#include <windows.h>

#include <string>

namespace fw {

int ShowMessage(HWND owner, const std::string& text, UINT style);
int ShowMessage(HWND owner, UINT stringId, UINT style);

}  // namespace fw
