#include "framework/Window.h"

#include <algorithm>

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

void CentreOver(HWND window, HWND over) {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (!GetMonitorInfoA(MonitorFromWindow(over ? over : window, MONITOR_DEFAULTTONEAREST), &monitor)) return;
    const RECT& work = monitor.rcWork;
    const RECT target = over ? WindowRef(over).windowRect() : work;
    const RECT own = WindowRef(window).windowRect();
    const int cx = std::min(width(own), width(work)), cy = std::min(height(own), height(work));
    const int left = std::max(work.left, std::min((target.left + target.right - cx) / 2, work.right - cx));
    const int top = std::max(work.top, std::min((target.top + target.bottom - cy) / 2, work.bottom - cy));
    SetWindowPos(window, nullptr, left, top, cx, cy, SWP_NOZORDER | SWP_NOACTIVATE);
}

HWND CreateChildControl(const char* className, HWND parent, UINT id, DWORD style, DWORD exStyle, const RECT& place) {
    return CreateWindowExA(exStyle, className, "", style, place.left, place.top, width(place), height(place), parent,
                           reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
}

}  // namespace fw
