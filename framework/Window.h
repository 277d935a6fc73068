// A non-owning view of a window that the program did not create itself (dialog controls,
// windows of other modules), with typed helpers for the calls the program makes often.
#pragma once
#include <windows.h>
#include <string>

namespace fw {

class WindowRef {
public:
    WindowRef(HWND hwnd = nullptr) : m_hwnd(hwnd) {}
    HWND hwnd() const { return m_hwnd; }
    operator HWND() const { return m_hwnd; }
    explicit operator bool() const { return m_hwnd != nullptr; }

    WindowRef item(int id) const { return WindowRef(GetDlgItem(m_hwnd, id)); }
    std::string text() const;
    void setText(const std::string& text) const { SetWindowTextA(m_hwnd, text.c_str()); }
    bool isEnabled() const { return IsWindowEnabled(m_hwnd) != FALSE; }
    // Returns whether the window was enabled before the call.
    bool enable(bool on) const { return EnableWindow(m_hwnd, on ? TRUE : FALSE) == FALSE; }
    bool isVisible() const { return IsWindowVisible(m_hwnd) != FALSE; }
    void show(int command) const { ShowWindow(m_hwnd, command); }
    void setFont(HFONT font, bool redraw = true) const {
        SendMessageA(m_hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), redraw);
    }
    LRESULT send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return SendMessageA(m_hwnd, message, wParam, lParam);
    }
    RECT windowRect() const;
    // The window's rectangle in the client coordinates of its parent.
    RECT rectInParent() const;
    RECT clientRect() const;
    void move(const RECT& rect, bool repaint = true) const {
        MoveWindow(m_hwnd, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, repaint);
    }
    bool isChecked() const { return send(BM_GETCHECK) == BST_CHECKED; }
    void setCheck(bool on) const { send(BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED); }

private:
    HWND m_hwnd;
};

// A child control of this module's, identified by id; null when it cannot be created.
HWND CreateChildControl(const char* className, HWND parent, UINT id, DWORD style, DWORD exStyle = 0,
                        const RECT& place = {});

// Puts a top-level window centred over another (null: the screen), no larger than the work area
// of that window's monitor and inside it.
void CentreOver(HWND window, HWND over);

inline int width(const RECT& r) { return r.right - r.left; }
inline int height(const RECT& r) { return r.bottom - r.top; }

}  // namespace fw
