#include "framework/StatusBar.h"

#include <commctrl.h>

#include "framework/Window.h"

namespace fw {

bool CStatusBar::Create(HWND parent, UINT id) {
    m_window.reset(CreateChildControl(STATUSCLASSNAMEA, parent, id, WS_CHILD | WS_VISIBLE | CCS_BOTTOM | SBARS_SIZEGRIP));
    return m_window.valid();
}

void CStatusBar::SetIndicators(const std::string& idleText, const std::vector<std::string>& indicators) {
    m_texts.assign(1, idleText);
    m_texts.insert(m_texts.end(), indicators.begin(), indicators.end());
    OnParentSize();
    for (size_t pane = 0; pane < m_texts.size(); ++pane) setPaneText(pane, m_texts[pane]);
}

void CStatusBar::EnablePane(size_t pane, bool enable) {
    if (pane == 0 || pane >= m_texts.size()) return;
    setPaneText(pane, enable ? m_texts[pane] : std::string());
}

int CStatusBar::height() const {
    RECT rect{};
    GetWindowRect(hwnd(), &rect);
    return rect.bottom - rect.top;
}

void CStatusBar::OnParentSize() {
    if (!m_window) return;
    SendMessageA(hwnd(), WM_SIZE, 0, 0);  // the bar places itself at the bottom of its parent
    if (m_texts.empty()) return;
    RECT client{};
    GetClientRect(hwnd(), &client);
    // Right edges from the right: the grip's room, then each indicator as wide as its text.
    std::vector<int> edges(m_texts.size());
    int right = client.right - GetSystemMetrics(SM_CXVSCROLL);
    for (size_t pane = m_texts.size() - 1; pane > 0; --pane) {
        edges[pane] = right;
        right -= textWidth(m_texts[pane]);
    }
    edges[0] = right;
    edges.back() = -1;  // the last pane runs to the grip
    SendMessageA(hwnd(), SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
}

void CStatusBar::setPaneText(size_t pane, const std::string& text) {
    SendMessageA(hwnd(), SB_SETTEXTA, pane | (pane == 0 ? SBT_NOBORDERS : 0), reinterpret_cast<LPARAM>(text.c_str()));
}

int CStatusBar::textWidth(const std::string& text) const {
    HDC dc = GetDC(hwnd());
    HGDIOBJ previous = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(hwnd(), WM_GETFONT, 0, 0)));
    SIZE size{};
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, previous);
    ReleaseDC(hwnd(), dc);
    int borders[3] = {};
    SendMessageA(hwnd(), SB_GETBORDERS, 0, reinterpret_cast<LPARAM>(borders));
    return size.cx + 4 * GetSystemMetrics(SM_CXEDGE) + borders[2];
}

}  // namespace fw
