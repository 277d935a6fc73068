#include "framework/RichEditCtrl.h"

#include <algorithm>
#include <climits>
#include <cstring>

namespace fw {

bool CRichEditCtrl::Create(DWORD style, DWORD exStyle, const RECT& rect, HWND parent, UINT id) {
    static const UniqueModule library(LoadLibraryA("RICHED32.DLL"));
    if (!library) return false;
    m_window.reset(CreateChildControl("RICHEDIT", parent, id, style | ES_DISABLENOSCROLL, exStyle, rect));
    if (!m_window) return false;
    send(EM_EXLIMITTEXT, 0, LONG_MAX);  // 64 KB by default
    return true;
}

namespace {
struct StreamSource {
    const std::string& text;
    size_t position;
};

DWORD CALLBACK ReadStream(DWORD_PTR cookie, LPBYTE buffer, LONG wanted, LONG* given) {
    auto* source = reinterpret_cast<StreamSource*>(cookie);
    const size_t count = std::min(source->text.size() - source->position, static_cast<size_t>(wanted));
    std::memcpy(buffer, source->text.data() + source->position, count);
    source->position += count;
    *given = static_cast<LONG>(count);
    return 0;
}
}  // namespace

// Changes are reported from here on, not for the text streamed in.
bool CRichEditCtrl::SetText(std::string text) {
    StreamSource source{text, 0};
    EDITSTREAM stream{reinterpret_cast<DWORD_PTR>(&source), 0, ReadStream};
    SetEventMask(0);
    send(EM_STREAMIN, SF_TEXT, reinterpret_cast<LPARAM>(&stream));
    SetEventMask(ENM_CHANGE);
    return true;
}

bool CRichEditCtrl::Find(const std::string& text, CHARRANGE range, DWORD flags, CHARRANGE& found) const {
    FINDTEXTEXA search{};
    search.chrg = range;
    search.lpstrText = text.c_str();
    if (send(EM_FINDTEXTEX, flags, reinterpret_cast<LPARAM>(&search)) < 0) return false;
    found = search.chrgText;
    return true;
}

void CRichEditCtrl::ScrollCaret() {
    send(EM_SCROLLCARET);
    const auto top = [this](LONG position) {
        POINTL point{};
        send(EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&point), position);
        return point.y;
    };
    const LONG lineHeight = top(static_cast<LONG>(send(EM_LINEINDEX, 1))) - top(0);
    if (lineHeight <= 0) return;
    RECT client{};
    GetClientRect(hwnd(), &client);
    const LONG caret = GetSel().cpMax;
    for (int line = 0; line < 4 && top(caret) + lineHeight > client.bottom; ++line) send(EM_LINESCROLL, 0, 1);
}

}  // namespace fw
