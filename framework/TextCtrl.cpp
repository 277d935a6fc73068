#include "framework/TextCtrl.h"

#include <new>

#include "framework/AnsiText.h"

namespace fw {
namespace {
using UniqueLocal = UniqueHandle<NullHandleTraits<HLOCAL, LocalFree>>;

// Room for typing before the control must grow its buffer, which copies the whole text.
constexpr size_t kTypingRoom = 16 * 1024;

bool IsWordCharacter(wchar_t c) { return c == L'_' || IsCharAlphaNumericW(c); }

wchar_t Folded(wchar_t c) {
    if (c < 0x80) return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c + (L'a' - L'A')) : c;
    return static_cast<wchar_t>(reinterpret_cast<UINT_PTR>(CharLowerW(reinterpret_cast<LPWSTR>(static_cast<UINT_PTR>(c)))));
}

}  // namespace

CHARRANGE CTextCtrl::GetSel() const {
    DWORD start = 0, end = 0;
    send(EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return CHARRANGE{static_cast<LONG>(start), static_cast<LONG>(end)};
}

bool CEditCtrl::Create(DWORD style, DWORD exStyle, const RECT& rect, HWND parent, UINT id) {
    m_window.reset(CreateWindowExW(exStyle, L"EDIT", L"", style, rect.left, rect.top, rect.right - rect.left,
                                   rect.bottom - rect.top, parent, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)),
                                   GetModuleHandleA(nullptr), nullptr));
    if (!m_window) return false;
    send(EM_SETLIMITTEXT, 0);  // the most the control can hold
    return true;
}

// The control lays out its lines in the buffer it is given; the string goes first, so that the
// text is held twice at most while it is widened.
bool CEditCtrl::SetText(std::string text) {
    const int length = static_cast<int>(text.size());
    const int count = length ? MultiByteToWideChar(CP_ACP, 0, text.data(), length, nullptr, 0) : 0;
    UniqueLocal buffer(LocalAlloc(LMEM_MOVEABLE, (static_cast<size_t>(count) + 1 + kTypingRoom) * sizeof(wchar_t)));
    if (!buffer) return false;
    auto* wide = static_cast<wchar_t*>(LocalLock(buffer.get()));
    if (count) MultiByteToWideChar(CP_ACP, 0, text.data(), length, wide, count);
    wide[count] = L'\0';
    LocalUnlock(buffer.get());
    std::string().swap(text);
    // The control does not free the buffer that it gives up; its owner does.
    UniqueLocal previous(reinterpret_cast<HLOCAL>(send(EM_GETHANDLE)));
    send(EM_SETHANDLE, reinterpret_cast<WPARAM>(buffer.release()));
    return true;
}

bool CEditCtrl::Find(const std::string& text, CHARRANGE range, DWORD flags, CHARRANGE& found) const {
    try {
        std::wstring content(static_cast<size_t>(GetWindowTextLengthW(hwnd())), L'\0');
        content.resize(static_cast<size_t>(GetWindowTextW(hwnd(), &content[0], static_cast<int>(content.size()) + 1)));
        const std::wstring what = Widened(text);
        const size_t at = FindText(content, static_cast<size_t>(range.cpMin), what, flags);
        if (at == std::wstring::npos || (range.cpMax >= 0 && at + what.size() > static_cast<size_t>(range.cpMax)))
            return false;
        found = CHARRANGE{static_cast<LONG>(at), static_cast<LONG>(at + what.size())};
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

size_t FindText(const std::wstring& text, size_t from, const std::wstring& what, DWORD flags) {
    if (what.empty() || what.size() > text.size()) return std::wstring::npos;
    const bool matchCase = (flags & FR_MATCHCASE) != 0;
    std::wstring wanted = what;
    if (!matchCase)
        for (wchar_t& c : wanted) c = Folded(c);
    for (size_t at = from; at + wanted.size() <= text.size(); ++at) {
        size_t matched = 0;
        while (matched < wanted.size() &&
               (matchCase ? text[at + matched] : Folded(text[at + matched])) == wanted[matched])
            ++matched;
        if (matched < wanted.size()) continue;
        const bool wordStart = at == 0 || !IsWordCharacter(text[at - 1]);
        const bool wordEnd = at + matched == text.size() || !IsWordCharacter(text[at + matched]);
        if (!(flags & FR_WHOLEWORD) || (wordStart && wordEnd)) return at;
    }
    return std::wstring::npos;
}

}  // namespace fw
