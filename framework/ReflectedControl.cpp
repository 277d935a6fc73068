#include "framework/ReflectedControl.h"

namespace fw {
namespace {
const char kObjectProperty[] = "Zelkor.Control";
}

ReflectedControl::~ReflectedControl() { Unsubclass(); }

bool ReflectedControl::Subclass(HWND control) {
    if (m_hwnd || !IsWindow(control) || GetPropA(control, kObjectProperty)) return false;
    m_hwnd = control;
    SetPropA(control, kObjectProperty, this);
    m_original = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(StaticProc)));
    return true;
}

void ReflectedControl::Unsubclass() {
    if (!m_hwnd) return;
    if (IsWindow(m_hwnd)) {
        SetWindowLongPtrA(m_hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_original));
        RemovePropA(m_hwnd, kObjectProperty);
    }
    m_hwnd = nullptr;
    m_original = nullptr;
}

ReflectedControl* ReflectedControl::FromHandle(HWND hwnd) {
    return hwnd ? static_cast<ReflectedControl*>(GetPropA(hwnd, kObjectProperty)) : nullptr;
}

LRESULT ReflectedControl::Default(UINT message, WPARAM wParam, LPARAM lParam) {
    return CallWindowProcA(m_original, m_hwnd, message, wParam, lParam);
}

LRESULT ReflectedControl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    return Default(message, wParam, lParam);
}

LRESULT CALLBACK ReflectedControl::StaticProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    ReflectedControl* control = FromHandle(hwnd);
    if (!control) return DefWindowProcA(hwnd, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        WNDPROC original = control->m_original;
        control->Unsubclass();
        return CallWindowProcA(original, hwnd, message, wParam, lParam);
    }
    try {
        return control->WindowProc(message, wParam, lParam);
    } catch (...) {
        return 0;  // nothing unwinds through the system's code
    }
}

}  // namespace fw
