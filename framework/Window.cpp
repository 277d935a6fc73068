#include "framework/Window.h"

#include <vector>

namespace fw {

std::string WindowRef::text() const {
    int length = GetWindowTextLengthA(m_hwnd);
    if (length <= 0) return std::string();
    std::vector<char> buffer(static_cast<size_t>(length) + 1);
    int copied = GetWindowTextA(m_hwnd, buffer.data(), length + 1);
    return std::string(buffer.data(), copied > 0 ? static_cast<size_t>(copied) : 0);
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

}  // namespace fw
