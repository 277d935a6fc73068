#include "framework/FrameWnd.h"

#include "framework/FaultFrame.h"
#include "framework/StringTable.h"
#include "framework/Trace.h"

namespace fw {
namespace {
const char kClassName[] = "ZKFRAME";

bool RegisterFrameClass(WNDPROC procedure) {
    static const bool registered = [procedure] {
        WNDCLASSA frameClass{};
        frameClass.style = CS_DBLCLKS;
        frameClass.lpfnWndProc = procedure;
        frameClass.hInstance = GetModuleHandleA(nullptr);
        frameClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        frameClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        frameClass.lpszClassName = kClassName;
        return RegisterClassA(&frameClass) != 0;
    }();
    return registered;
}
}  // namespace

CFrameWnd::~CFrameWnd() {
    // The derived parts are gone: the window's last messages go to the platform alone.
    if (m_hwnd) SetWindowLongPtrA(m_hwnd, GWLP_USERDATA, 0);
    DestroyWindow();
}

bool CFrameWnd::Create(const std::string& title, DWORD style, DWORD exStyle, HWND owner, UINT menuId) {
    if (!RegisterFrameClass(StaticProc)) return false;
    HINSTANCE instance = GetModuleHandleA(nullptr);
    HMENU menu = menuId ? LoadMenuA(instance, MAKEINTRESOURCEA(menuId)) : nullptr;
    if (menuId && !menu) return false;
    HWND created = CreateWindowExA(exStyle, kClassName, title.c_str(), style, CW_USEDEFAULT, CW_USEDEFAULT,
                                   CW_USEDEFAULT, CW_USEDEFAULT, owner, menu, instance, this);
    // A window that failed its creation may already have destroyed its menu with itself.
    if (!created && menu && IsMenu(menu)) DestroyMenu(menu);
    return created != nullptr;
}

bool CFrameWnd::LoadAcceleratorTable(UINT id) {
    m_accelerators.reset(LoadAcceleratorsA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id)));
    return m_accelerators.valid();
}

void CFrameWnd::DestroyWindow() {
    if (m_hwnd) ::DestroyWindow(m_hwnd);
}

int CFrameWnd::RunModalLoop(HWND owner) {
    const bool ownerWasEnabled = owner && IsWindowEnabled(owner);
    if (owner) EnableWindow(owner, FALSE);
    m_inModalLoop = true;
    m_modalResult = 0;
    bool idleSeen = false;
    MSG message;
    while (m_inModalLoop && m_hwnd) {
        if (!PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (!idleSeen && !IsWindowVisible(m_hwnd)) ShowWindow(m_hwnd, SW_SHOW);
            idleSeen = true;
            WaitMessage();
            continue;
        }
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));  // for the loop further out
            break;
        }
        if (!PreTranslateMessage(message)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
    m_inModalLoop = false;
    if (owner) {
        EnableWindow(owner, ownerWasEnabled);
        SetForegroundWindow(owner);
    }
    return m_modalResult;
}

void CFrameWnd::EndModalLoop(int result) {
    m_modalResult = result;
    m_inModalLoop = false;
}

bool CFrameWnd::PreTranslateMessage(MSG& message) {
    if (!m_accelerators || !(message.hwnd == m_hwnd || IsChild(m_hwnd, message.hwnd))) return false;
    return TranslateAcceleratorA(m_hwnd, m_accelerators.get(), &message) != 0;
}

RECT CFrameWnd::FreeArea() const {
    RECT area = window().clientRect();
    if (m_messageBar && m_messageBar->hwnd()) area.bottom -= m_messageBar->height();
    if (area.bottom < area.top) area.bottom = area.top;
    return area;
}

void CFrameWnd::enableMenuItems(HMENU menu) {
    const int count = GetMenuItemCount(menu);
    for (int position = 0; position < count; ++position) {
        const UINT id = GetMenuItemID(menu, position);
        if (id == 0 || id == static_cast<UINT>(-1)) continue;  // separators and submenus
        EnableMenuItem(menu, id, MF_BYCOMMAND | (IsCommandEnabled(id) ? MF_ENABLED : MF_GRAYED));
    }
}

void CFrameWnd::showMenuPrompt(UINT item, UINT flags, HMENU menu) {
    if (!m_messageBar) return;
    const bool command = menu && item != 0 && !(flags & (MF_POPUP | MF_SEPARATOR));
    const std::string prompt = command ? LoadedString(item) : std::string();
    if (prompt.empty())
        m_messageBar->ShowIdleText();
    else
        m_messageBar->ShowMessage(prompt);
}

LRESULT CFrameWnd::Default(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(m_hwnd, message, wParam, lParam);
}

LRESULT CFrameWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        return OnCreate() ? 0 : -1;
    case WM_SIZE:
        if (m_messageBar) m_messageBar->OnParentSize();
        OnSize(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam));
        return 0;
    case WM_CLOSE:
        OnClose();
        return 0;
    case WM_COMMAND: {
        const WORD id = LOWORD(wParam);
        const auto control = reinterpret_cast<HWND>(lParam);
        if (!control && !IsCommandEnabled(id)) return 0;  // a greyed item or its accelerator
        if (OnCommand(id, HIWORD(wParam), control)) return 0;
        break;
    }
    case WM_INITMENUPOPUP:
        if (!HIWORD(lParam)) enableMenuItems(reinterpret_cast<HMENU>(wParam));  // not the system menu
        return 0;
    case WM_MENUSELECT:
        showMenuPrompt(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HMENU>(lParam));
        return 0;
    case WM_EXITMENULOOP:
        if (m_messageBar) m_messageBar->ShowIdleText();
        return 0;
    default:
        break;
    }
    return Default(message, wParam, lParam);
}

LRESULT CALLBACK CFrameWnd::StaticProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* frame = static_cast<CFrameWnd*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        frame->m_hwnd = hwnd;
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(frame));
    }
    auto* frame = reinterpret_cast<CFrameWnd*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (!frame) return DefWindowProcA(hwnd, message, wParam, lParam);
    LRESULT result = 0;
    try {
        InFaultFrame([&] { result = frame->WindowProc(message, wParam, lParam); });
    } catch (...) {
        TraceCaughtException("CFrameWnd::StaticProc");  // nothing unwinds through the system's code
        result = message == WM_CREATE ? -1 : 0;
    }
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
        frame->m_hwnd = nullptr;
        frame->m_inModalLoop = false;
    }
    return result;
}

}  // namespace fw
