// The Rich Edit 1.0 control (class "RICHEDIT" of RICHED32.DLL), used for plain text. The object
// owns its window.
#pragma once
#include <windows.h>
#include <richedit.h>

#include <string>

#include "framework/Handles.h"
#include "framework/Window.h"

namespace fw {

class CRichEditCtrl {
public:
    // Loads the control's library on first use; it stays loaded for the life of the process.
    bool Create(DWORD style, DWORD exStyle, const RECT& rect, HWND parent, UINT id);
    HWND hwnd() const { return m_window.get(); }

    // Replaces the whole text, streamed in: under Wine a quarter faster than WM_SETTEXT. Either
    // way it is fast only on a control that has never held text: replacing a large text costs
    // far more than its length (minutes at a few MB).
    void SetText(const std::string& text);
    std::string GetText() const { return WindowRef(hwnd()).text(); }
    CHARRANGE GetSel() const;
    void SetSel(const CHARRANGE& range);
    // The first match at or after range.cpMin and before range.cpMax (-1: the end), with FR_*
    // flags; found receives its range.
    bool Find(const std::string& text, CHARRANGE range, DWORD flags, CHARRANGE& found) const;

    // Raises the limit on the text that the user and SetText may put in (64 KB by default).
    void LimitText(LONG limit) { send(EM_EXLIMITTEXT, 0, limit); }
    void SetReadOnly(bool readOnly) { send(EM_SETREADONLY, readOnly); }
    void SetEventMask(DWORD mask) { send(EM_SETEVENTMASK, 0, static_cast<LPARAM>(mask)); }
    bool CanUndo() const { return send(EM_CANUNDO) != 0; }
    void ScrollCaret() { send(EM_SCROLLCARET); }
    void Cut() { send(WM_CUT); }
    void Copy() { send(WM_COPY); }
    void Paste() { send(WM_PASTE); }
    void Clear() { send(WM_CLEAR); }
    void Undo() { send(EM_UNDO); }

private:
    LRESULT send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return SendMessageA(hwnd(), message, wParam, lParam);
    }

    UniqueWindow m_window;
};

}  // namespace fw
