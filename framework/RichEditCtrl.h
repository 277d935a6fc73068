// The Rich Edit 1.0 control (class "RICHEDIT" of RICHED32.DLL), used for plain text.
#pragma once
#include <windows.h>
#include <richedit.h>

#include <string>

#include "framework/TextCtrl.h"

namespace fw {

class CRichEditCtrl : public CTextCtrl {
public:
    // Loads the control's library on first use; it stays loaded for the life of the process. The
    // scroll bars are always there, greyed while not needed: one that appears during a load
    // narrows the text, and under Wine the control then lays all of it out again.
    bool Create(DWORD style, DWORD exStyle, const RECT& rect, HWND parent, UINT id) override;

    // Streamed in: under Wine a quarter faster than WM_SETTEXT. Either way it is fast only on a
    // control that has never held text: replacing a large text costs far more than its length.
    bool SetText(std::string text) override;
    bool Find(const std::string& text, CHARRANGE range, DWORD flags, CHARRANGE& found) const override;
    bool RelaysOnFontChange() const override { return false; }
    // Under Wine the control scrolls the caret's line only as far as its own idea of the bottom
    // edge, which lies below the client area: the line may stay hidden. It goes up until shown.
    void ScrollCaret() override;

    void SetEventMask(DWORD mask) { send(EM_SETEVENTMASK, 0, static_cast<LPARAM>(mask)); }
};

}  // namespace fw
