// The "BINEDIT" hex edit control: a block of bytes shown as rows of two-digit hexadecimal
// numbers, edited nibble by nibble, with appending at the end and deleting. It has no selection,
// clipboard or undo and sends no notifications: its parent asks for the bytes when it wants them.
#pragma once
#include <windows.h>

extern const char kBinEditClass[];  // "BINEDIT"

// The control's own messages.
enum BinEditMessage : UINT {
    // wParam: number of bytes, lParam: pointer to them. Answers 1, or 0 when no buffer could be
    // allocated (the control then holds none).
    BEM_SETDATA = WM_USER + 1,
    // Answers the HLOCAL of the control's buffer: lock it to read the bytes; the control keeps it.
    BEM_GETDATA = WM_USER + 2,
    // Answers the number of bytes held.
    BEM_GETSIZE = WM_USER + 3,
};

// Registers the class once per process (a failed attempt is tried again by the next call).
// Call it before creating any dialog that contains the control.
bool RegisterBinEditClass();
