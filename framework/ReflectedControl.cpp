#include "framework/ReflectedControl.h"

#include "framework/Trace.h"

namespace fw {
namespace {
const char kObjectProperty[] = "Zelkor.Control";
// The procedure that Subclass replaced. It stays on the window until WM_NCDESTROY, so that a
// message arriving after the object let go (another subclass on top kept calling us) still
// reaches it.
const char kOriginalProperty[] = "Zelkor.OriginalProc";

WNDPROC OriginalProc(HWND hwnd) { return reinterpret_cast<WNDPROC>(GetPropA(hwnd, kOriginalProperty)); }

LRESULT CallOriginal(WNDPROC original, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return original ? CallWindowProcA(original, hwnd, message, wParam, lParam)
                    : DefWindowProcA(hwnd, message, wParam, lParam);
}
}  // namespace

ReflectedControl::~ReflectedControl() { Unsubclass(); }

bool ReflectedControl::Subclass(HWND control) {
    if (m_hwnd || !IsWindow(control) || GetPropA(control, kObjectProperty) || OriginalProc(control)) return false;
    const auto original = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(control, GWLP_WNDPROC));
    if (!original || !SetPropA(control, kOriginalProperty, reinterpret_cast<HANDLE>(original))) return false;
    if (!SetPropA(control, kObjectProperty, this)) {
        RemovePropA(control, kOriginalProperty);
        return false;
    }
    m_hwnd = control;
    m_original = original;
    SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(StaticProc));
    return true;
}

void ReflectedControl::Unsubclass() {
    if (!m_hwnd) return;
    if (IsWindow(m_hwnd)) {
        RemovePropA(m_hwnd, kObjectProperty);
        // Put the original back only while ours is the window's procedure: a later subclass
        // still calls StaticProc, which then passes everything on to the original.
        if (GetWindowLongPtrA(m_hwnd, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(StaticProc)) {
            SetWindowLongPtrA(m_hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_original));
            RemovePropA(m_hwnd, kOriginalProperty);
        }
    }
    m_hwnd = nullptr;
    m_original = nullptr;
}

ReflectedControl* ReflectedControl::FromHandle(HWND hwnd) {
    return hwnd ? static_cast<ReflectedControl*>(GetPropA(hwnd, kObjectProperty)) : nullptr;
}

LRESULT ReflectedControl::Default(UINT message, WPARAM wParam, LPARAM lParam) {
    return CallOriginal(m_original, m_hwnd, message, wParam, lParam);
}

LRESULT ReflectedControl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    return Default(message, wParam, lParam);
}

LRESULT CALLBACK ReflectedControl::StaticProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    const WNDPROC original = OriginalProc(hwnd);
    ReflectedControl* control = FromHandle(hwnd);
    if (message == WM_NCDESTROY) {
        if (control) control->Unsubclass();
        RemovePropA(hwnd, kOriginalProperty);
        return CallOriginal(original, hwnd, message, wParam, lParam);
    }
    if (!control) return CallOriginal(original, hwnd, message, wParam, lParam);
    try {
        return control->WindowProc(message, wParam, lParam);
    } catch (...) {
        // Nothing unwinds through the system's code; the message is left to the original.
        TraceCaughtException("ReflectedControl::StaticProc");
        return CallOriginal(original, hwnd, message, wParam, lParam);
    }
}

}  // namespace fw
