// Every message and question the program shows goes through here: one caption (the program's
// name) and an explicit owner, so that a box is modal to the window the user was working in.
#pragma once
#include <windows.h>

#include <string>

namespace fw {

int ShowMessage(HWND owner, const std::string& text, UINT style);
// The text from the program's own string table.
int ShowMessage(HWND owner, UINT stringId, UINT style);

}  // namespace fw
