// A control created by a dialog template and subclassed by a C++ object: its messages reach
// WindowProc, and the notifications it sends to its dialog come back to it (reflection).
#pragma once
#include <windows.h>
#include <commctrl.h>

namespace fw {

class ReflectedControl {
public:
    ReflectedControl() = default;
    virtual ~ReflectedControl();
    ReflectedControl(const ReflectedControl&) = delete;
    ReflectedControl& operator=(const ReflectedControl&) = delete;

    // Takes over a control; false when it is already taken or not a window.
    bool Subclass(HWND control);
    void Unsubclass();
    HWND hwnd() const { return m_hwnd; }

    static ReflectedControl* FromHandle(HWND hwnd);
    // A notification that this control sent to its parent. Return true and set result if handled.
    virtual bool OnReflectedNotify(NMHDR*, LRESULT&) { return false; }

protected:
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam);

private:
    static LRESULT CALLBACK StaticProc(HWND, UINT, WPARAM, LPARAM);
    HWND m_hwnd = nullptr;
    WNDPROC m_original = nullptr;
};

}  // namespace fw
