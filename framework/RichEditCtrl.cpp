#include "framework/RichEditCtrl.h"

#include <algorithm>
#include <cstring>

namespace fw {

bool CRichEditCtrl::Create(DWORD style, DWORD exStyle, const RECT& rect, HWND parent, UINT id) {
    static const UniqueModule library(LoadLibraryA("RICHED32.DLL"));
    if (!library) return false;
    m_window.reset(CreateChildControl("RICHEDIT", parent, id, style, exStyle, rect));
    return m_window.valid();
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

void CRichEditCtrl::SetText(const std::string& text) {
    StreamSource source{text, 0};
    EDITSTREAM stream{reinterpret_cast<DWORD_PTR>(&source), 0, ReadStream};
    send(EM_STREAMIN, SF_TEXT, reinterpret_cast<LPARAM>(&stream));
}

CHARRANGE CRichEditCtrl::GetSel() const {
    CHARRANGE range{};
    send(EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
    return range;
}

void CRichEditCtrl::SetSel(const CHARRANGE& range) { send(EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range)); }

bool CRichEditCtrl::Find(const std::string& text, CHARRANGE range, DWORD flags, CHARRANGE& found) const {
    FINDTEXTEXA search{};
    search.chrg = range;
    search.lpstrText = text.c_str();
    if (send(EM_FINDTEXTEX, flags, reinterpret_cast<LPARAM>(&search)) < 0) return false;
    found = search.chrgText;
    return true;
}

}  // namespace fw
