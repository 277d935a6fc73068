// The editors' multi-line text controls for plain text, each owning its window: the Rich Edit 1.0
// control (CRichEditCtrl) and the plain EDIT control (CEditCtrl). Under Wine, Rich Edit keeps
// some 270 bytes for every character of a typical log (a 5 MB log exhausts a 32-bit process);
// the EDIT control keeps about 2.5.
#pragma once
#include <windows.h>
#include <commdlg.h>
#include <richedit.h>

#include <string>

#include "framework/Handles.h"
#include "framework/Window.h"

namespace fw {

class CTextCtrl {
public:
    CTextCtrl() = default;
    virtual ~CTextCtrl() = default;
    CTextCtrl(const CTextCtrl&) = delete;
    CTextCtrl& operator=(const CTextCtrl&) = delete;

    // Not yet visible; style holds the window and ES_* styles both kinds share.
    virtual bool Create(DWORD style, DWORD exStyle, const RECT& rect, HWND parent, UINT id) = 0;
    HWND hwnd() const { return m_window.get(); }

    // Replaces the whole text and uses up the string. False (last error set) when the memory for
    // it cannot be had; the control then keeps its old text.
    virtual bool SetText(std::string text) = 0;
    std::string GetText() const { return WindowRef(hwnd()).text(); }
    // The first match at or after range.cpMin and before range.cpMax (-1: the end), with the
    // FR_MATCHCASE and FR_WHOLEWORD flags; found receives its range.
    virtual bool Find(const std::string& text, CHARRANGE range, DWORD flags, CHARRANGE& found) const = 0;
    // True when a new font lays out the text already there; otherwise the text must be set again.
    virtual bool RelaysOnFontChange() const = 0;

    CHARRANGE GetSel() const;
    void SetSel(const CHARRANGE& range) { send(EM_SETSEL, range.cpMin, range.cpMax); }
    void SetReadOnly(bool readOnly) { send(EM_SETREADONLY, readOnly); }
    bool CanUndo() const { return send(EM_CANUNDO) != 0; }
    virtual void ScrollCaret() { send(EM_SCROLLCARET); }
    void Cut() { send(WM_CUT); }
    void Copy() { send(WM_COPY); }
    void Paste() { send(WM_PASTE); }
    void Clear() { send(WM_CLEAR); }
    void Undo() { send(EM_UNDO); }

protected:
    LRESULT send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return SendMessageA(hwnd(), message, wParam, lParam);
    }

    UniqueWindow m_window;
};

// A Unicode EDIT control, given its text as a buffer of its own (no second copy while it lays
// out the lines); searched by FindText.
class CEditCtrl : public CTextCtrl {
public:
    bool Create(DWORD style, DWORD exStyle, const RECT& rect, HWND parent, UINT id) override;
    bool SetText(std::string text) override;
    bool Find(const std::string& text, CHARRANGE range, DWORD flags, CHARRANGE& found) const override;
    bool RelaysOnFontChange() const override { return true; }
};

// Where what occurs in text from position from on, as Rich Edit's search finds it: FR_MATCHCASE
// compares exactly, otherwise letters in either case match; FR_WHOLEWORD wants no letter, digit
// or underscore on either side. std::wstring::npos when nowhere.
size_t FindText(const std::wstring& text, size_t from, const std::wstring& what, DWORD flags);

}  // namespace fw
