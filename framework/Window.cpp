#include "framework/Window.h"


namespace fw {

std::string WindowRef::text() const {
    const int length = GetWindowTextLengthA(m_hwnd);
    if (length <= 0) return std::string();
    std::string text(static_cast<size_t>(length), '\0');
    const int copied = GetWindowTextA(m_hwnd, &text[0], length + 1);
    text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
    return text;
}

RECT WindowRef::windowRect() const {
    RECT rect{};
    GetWindowRect(m_hwnd, &rect);
    return rect;
}

RECT WindowRef::rectInParent() const {
    RECT rect = windowRect();
    MapWindowPoints(HWND_DESKTOP, GetParent(m_hwnd), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

RECT WindowRef::clientRect() const {
    RECT rect{};
    GetClientRect(m_hwnd, &rect);
    return rect;
}

HWND CreateChildControl(const char* className, HWND parent, UINT id, DWORD style, DWORD exStyle, const RECT& place) {
    return CreateWindowExA(exStyle, className, "", style, place.left, place.top, width(place), height(place), parent,
                           reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
}

}  // namespace fw
