#include "framework/ReflectedControl.h"

#include <mutex>
#include <unordered_map>

#include "framework/FaultFrame.h"
#include "framework/Trace.h"

namespace fw {
namespace {
// The object that has taken each window. Kept here rather than in a window property: under Wine
// every property read is a round trip to the server (about 40 us), and it was paid for every
// message, so that filling a tree of thousands of items spent seconds in those reads alone.
std::mutex g_takenLock;
std::unordered_map<HWND, ReflectedControl*> g_taken;

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
    if (m_hwnd || !IsWindow(control) || FromHandle(control) || OriginalProc(control)) return false;
    const auto original = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(control, GWLP_WNDPROC));
    if (!original || !SetPropA(control, kOriginalProperty, reinterpret_cast<HANDLE>(original))) return false;
    {
        const std::lock_guard<std::mutex> lock(g_takenLock);
        g_taken[control] = this;
    }
    m_hwnd = control;
    m_original = original;
    SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(StaticProc));
    return true;
}

void ReflectedControl::Unsubclass() {
    if (!m_hwnd) return;
    {
        const std::lock_guard<std::mutex> lock(g_takenLock);
        g_taken.erase(m_hwnd);
    }
    if (IsWindow(m_hwnd)) {
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
    const std::lock_guard<std::mutex> lock(g_takenLock);
    const auto taken = g_taken.find(hwnd);
    return taken == g_taken.end() ? nullptr : taken->second;
}

LRESULT ReflectedControl::Default(UINT message, WPARAM wParam, LPARAM lParam) {
    return CallOriginal(m_original, m_hwnd, message, wParam, lParam);
}

LRESULT ReflectedControl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    return Default(message, wParam, lParam);
}

LRESULT CALLBACK ReflectedControl::StaticProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    ReflectedControl* control = FromHandle(hwnd);
    const WNDPROC original = control ? control->m_original : OriginalProc(hwnd);
    if (message == WM_NCDESTROY) {
        if (control) control->Unsubclass();
        RemovePropA(hwnd, kOriginalProperty);
        return CallOriginal(original, hwnd, message, wParam, lParam);
    }
    if (!control) return CallOriginal(original, hwnd, message, wParam, lParam);
    try {
        LRESULT result = 0;
        InFaultFrame([&] { result = control->WindowProc(message, wParam, lParam); });
        return result;
    } catch (...) {
        // Nothing unwinds through the system's code; the message is left to the original.
        TraceCaughtException("ReflectedControl::StaticProc");
        return CallOriginal(original, hwnd, message, wParam, lParam);
    }
}

}  // namespace fw
