#include "framework/FindReplaceDialog.h"

#include <algorithm>
#include <climits>

namespace fw {

CFindReplaceDialog::~CFindReplaceDialog() { Close(); }

void CFindReplaceDialog::Close() {
    if (m_hwnd) DestroyWindow(m_hwnd);
    m_hwnd = nullptr;
}

UINT CFindReplaceDialog::Message() {
    static const UINT message = RegisterWindowMessageA(FINDMSGSTRINGA);
    return message;
}

bool CFindReplaceDialog::Create(HWND owner, const std::string& text, DWORD flags) {
    lstrcpynA(m_text, text.c_str(), sizeof m_text);
    m_record = FINDREPLACEA{};
    m_record.lStructSize = sizeof m_record;
    m_record.hwndOwner = owner;
    m_record.Flags = flags;
    m_record.lpstrFindWhat = m_text;
    m_record.wFindWhatLen = sizeof m_text;
    m_hwnd = FindTextA(&m_record);
    if (m_hwnd) fitToShownControls();
    return m_hwnd != nullptr;
}

// The platform's template keeps room for the options that the flags hid: the dialog ends below
// its lowest shown control, with the margin that the topmost one has above it.
void CFindReplaceDialog::fitToShownControls() {
    int top = INT_MAX, bottom = INT_MIN;
    for (HWND child = GetWindow(m_hwnd, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (!(GetWindowLongA(child, GWL_STYLE) & WS_VISIBLE)) continue;
        RECT place{};
        GetWindowRect(child, &place);
        MapWindowPoints(HWND_DESKTOP, m_hwnd, reinterpret_cast<POINT*>(&place), 2);
        top = std::min(top, static_cast<int>(place.top));
        bottom = std::max(bottom, static_cast<int>(place.bottom));
    }
    RECT client{}, frame{};
    GetClientRect(m_hwnd, &client);
    GetWindowRect(m_hwnd, &frame);
    const int excess = client.bottom - (bottom + top);
    if (top == INT_MAX || excess <= 0) return;
    SetWindowPos(m_hwnd, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top - excess,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

CFindReplaceDialog::Report CFindReplaceDialog::TakeReport(LPARAM report) {
    if (!m_hwnd || report != reinterpret_cast<LPARAM>(&m_record)) return Report::Other;
    if (m_record.Flags & FR_DIALOGTERM) {
        m_hwnd = nullptr;
        return Report::Closing;
    }
    return (m_record.Flags & FR_FINDNEXT) ? Report::FindNext : Report::Other;
}

}  // namespace fw
