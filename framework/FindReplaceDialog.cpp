#include "framework/FindReplaceDialog.h"

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
    return m_hwnd != nullptr;
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
