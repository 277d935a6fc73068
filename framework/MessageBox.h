// Every message and question the program shows goes through here: one caption (the program's
// name) and an explicit owner, so that a box is modal to the window the user was working in.
// A run without a person answers here instead, without a window.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

namespace fw {

int ShowMessage(HWND owner, const std::string& text, UINT style);
// The text from the program's own string table.
int ShowMessage(HWND owner, UINT stringId, UINT style);

// From now on every box is answered by the answerer, given what it would have said; set once,
// before any other thread may show one.
using MessageAnswerer = std::function<int(const std::string& text, UINT style)>;
void AnswerMessagesWith(MessageAnswerer answerer);
// The button that Enter presses in a box of this style.
int DefaultButton(UINT style);

}  // namespace fw
