// The registry editor's layout and the splitter bar between its tree and its list.
#include "editors/RegistryEditorWnd.h"

#include "framework/WindowsVersion.h"

int CRegistryEditorWnd::barWidth() const { return GetSystemMetrics(SM_CXFRAME); }

void CRegistryEditorWnd::SetSplitterPosition(int left) {
    m_bar.left = left;
    layout();
}

void CRegistryEditorWnd::OnSize(UINT kind, int, int) {
    if (kind == SIZE_RESTORED || kind == SIZE_MAXIMIZED) layout();
}

void CRegistryEditorWnd::layout() {
    if (!m_tree.hwnd() || !m_list.hwnd()) return;
    const RECT free = FreeArea();
    m_bar.top = free.top;
    m_bar.bottom = free.bottom;
    m_bar.right = m_bar.left + barWidth();
    fw::WindowRef(m_tree.hwnd()).move(RECT{free.left, free.top, m_bar.left, free.bottom});
    fw::WindowRef(m_list.hwnd()).move(RECT{m_bar.right, free.top, free.right, free.bottom});
    // The list keeps only part of what it showed when it moves and shrinks at once (its rows and
    // header pieces are left unpainted): both panes are painted whole.
    for (HWND pane : {m_tree.hwnd(), m_list.hwnd()})
        RedrawWindow(pane, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    InvalidateRect(hwnd(), &m_bar, TRUE);
}

void CRegistryEditorWnd::paintSplitter() {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(hwnd(), &paint);
    RECT face = m_bar;
    if (WindowsMajorVersion() < 4) {
        // Before Windows 4 the bar has a frame-coloured line on either side.
        RECT line{m_bar.left, m_bar.top, m_bar.left + 1, m_bar.bottom};
        FillRect(dc, &line, GetSysColorBrush(COLOR_WINDOWFRAME));
        line = RECT{m_bar.right - 1, m_bar.top, m_bar.right, m_bar.bottom};
        FillRect(dc, &line, GetSysColorBrush(COLOR_WINDOWFRAME));
        face.left += 1;
        face.right -= 1;
    }
    FillRect(dc, &face, GetSysColorBrush(COLOR_BTNFACE));
    EndPaint(hwnd(), &paint);
}

// Inverting twice erases it. Drawn over the tree and the list too, which the window's own
// painting leaves alone.
void CRegistryEditorWnd::drawTracker() const {
    static const WORD kHalftone[8] = {0x5555, 0xAAAA, 0x5555, 0xAAAA, 0x5555, 0xAAAA, 0x5555, 0xAAAA};
    fw::UniqueBitmap pattern(CreateBitmap(8, 8, 1, 1, kHalftone));
    fw::UniqueBrush brush(CreatePatternBrush(pattern.get()));
    HDC dc = GetDCEx(hwnd(), nullptr, DCX_CACHE | DCX_LOCKWINDOWUPDATE);
    HGDIOBJ previous = SelectObject(dc, brush.get());
    PatBlt(dc, m_bar.left, m_bar.top, m_bar.right - m_bar.left, m_bar.bottom - m_bar.top, PATINVERT);
    SelectObject(dc, previous);
    ReleaseDC(hwnd(), dc);
}

bool CRegistryEditorWnd::onMouseMove(POINT point) {
    const bool onBar = PtInRect(&m_bar, point) != FALSE;
    if (GetCapture() != hwnd()) {
        if (!onBar) return false;
        SetCapture(hwnd());
        m_dragOffset = -1;
        m_keptCursor = SetCursor(LoadCursorA(nullptr, IDC_SIZEWE));
        return true;
    }
    if (m_dragOffset < 0) {
        if (!onBar) {
            ReleaseCapture();
            SetCursor(m_keptCursor);
        }
        return true;
    }
    const int left = point.x - m_dragOffset;
    const int right = left + barWidth();
    if (left != m_bar.left && left >= m_dragLimits.left && right <= m_dragLimits.right) {
        drawTracker();
        m_bar.left = left;
        m_bar.right = right;
        drawTracker();
    }
    return true;
}

bool CRegistryEditorWnd::onButtonDown(POINT point) {
    if (GetCapture() != hwnd()) return false;
    m_dragOffset = point.x - m_bar.left;
    drawTracker();
    m_dragLimits = window().clientRect();
    const int margin = 2 * GetSystemMetrics(SM_CXDLGFRAME);
    InflateRect(&m_dragLimits, -margin, -margin);
    return true;
}

bool CRegistryEditorWnd::onButtonUp() {
    if (GetCapture() != hwnd()) return false;
    if (m_dragOffset >= 0) {
        drawTracker();
        m_dragOffset = -1;
        SetSplitterPosition(m_bar.left);
    }
    return true;
}

void CRegistryEditorWnd::onMinMaxInfo(MINMAXINFO& info) const {
    if (!hwnd()) return;
    const int clientWidth = fw::width(window().clientRect());
    if (clientWidth == 0) return;
    info.ptMinTrackSize.x =
        (fw::width(window().windowRect()) - clientWidth) + m_bar.right + 2 * GetSystemMetrics(SM_CXDLGFRAME);
}
