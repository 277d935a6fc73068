// The icon button: the platform's button from Windows 4 on, our own ZKICONBUTTON below.
#include <windows.h>

#include <gtest/gtest.h>

#include "controls/IconButton.h"
#include "resources/resource.h"

namespace {
constexpr int kButtonId = 1011;
constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;

// A parent window that counts the clicks its icon button reports.
int g_clicks = 0;
LRESULT CALLBACK CountingParent(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND && LOWORD(wParam) == kButtonId && HIWORD(wParam) == BN_CLICKED) ++g_clicks;
    return DefWindowProcA(window, message, wParam, lParam);
}

class Parent {
public:
    Parent() {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = CountingParent;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "IconButtonTestParent";
        RegisterClassA(&windowClass);
        m_window = CreateWindowA("IconButtonTestParent", "", WS_POPUP, 0, 0, 200, 200, nullptr, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
        g_clicks = 0;
    }
    ~Parent() { DestroyWindow(m_window); }
    HWND window() const { return m_window; }
    HWND iconButton(DWORD style) const {
        RegisterIconButtonWindowClass();
        return CreateWindowA(kIconButtonClass, nullptr, style, 10, 10, 40, 40, m_window,
                             reinterpret_cast<HMENU>(kButtonId), GetModuleHandleA(nullptr), nullptr);
    }

private:
    HWND m_window = nullptr;
};

LPARAM at(int x, int y) { return MAKELPARAM(x, y); }
LONG state(HWND button) { return GetWindowLongA(button, kStateWord); }
}  // namespace

// Runs first: nothing here may have registered the class yet.
TEST(IconButton, FromWindowsFourOnThePlatformButtonShowsTheIconAndNoClassIsRegistered) {
    ASSERT_TRUE(RegisterIconButtonClass());
    WNDCLASSA unused;
    EXPECT_FALSE(GetClassInfoA(GetModuleHandleA(nullptr), kIconButtonClass, &unused));

    Parent parent;
    HWND button = CreateWindowA("BUTTON", "", kChild | BS_ICON, 0, 0, 32, 32, parent.window(),
                                reinterpret_cast<HMENU>(kButtonId), nullptr, nullptr);
    EXPECT_FALSE(InitIconButton(parent.window(), kButtonId + 1, MAKEINTRESOURCEA(IDI_ZELKOR), nullptr));
    ASSERT_TRUE(InitIconButton(parent.window(), kButtonId, MAKEINTRESOURCEA(IDI_ZELKOR), GetModuleHandleA(nullptr)));
    EXPECT_EQ(button, GetDlgItem(parent.window(), kButtonId)) << "the button was not replaced";
    EXPECT_NE(0, SendMessageA(button, BM_GETIMAGE, IMAGE_ICON, 0));
}

TEST(IconButton, OnlyTheFiveAllowedStylesCreateOne) {
    Parent parent;
    EXPECT_NE(nullptr, parent.iconButton(kChild | WS_DISABLED | WS_GROUP | WS_TABSTOP));
    for (DWORD extra : {DWORD(WS_BORDER), DWORD(BS_ICON), DWORD(WS_VSCROLL)})
        EXPECT_EQ(nullptr, parent.iconButton(kChild | extra)) << std::hex << extra;
}

TEST(IconButton, ClicksOnlyWhenReleasedInsideAndLosingTheCaptureRestoresTheNormalLook) {
    Parent parent;
    HWND button = parent.iconButton(kChild);
    ASSERT_NE(nullptr, button);

    // Pressed, dragged out, released outside: no click.
    SendMessageA(button, WM_LBUTTONDOWN, MK_LBUTTON, at(5, 5));
    EXPECT_EQ(kStatePressed, state(button));
    EXPECT_EQ(button, GetCapture());
    SendMessageA(button, WM_MOUSEMOVE, MK_LBUTTON, at(80, 5));
    EXPECT_EQ(kStateNormal, state(button));
    SendMessageA(button, WM_LBUTTONUP, 0, at(80, 5));
    EXPECT_EQ(0, g_clicks);
    EXPECT_NE(button, GetCapture());

    // Dragged back in before the release: one click.
    SendMessageA(button, WM_LBUTTONDOWN, MK_LBUTTON, at(5, 5));
    SendMessageA(button, WM_MOUSEMOVE, MK_LBUTTON, at(80, 5));
    SendMessageA(button, WM_MOUSEMOVE, MK_LBUTTON, at(20, 20));
    EXPECT_EQ(kStatePressed, state(button));
    SendMessageA(button, WM_LBUTTONUP, 0, at(20, 20));
    EXPECT_EQ(1, g_clicks);

    SendMessageA(button, WM_LBUTTONDOWN, MK_LBUTTON, at(5, 5));
    SetCapture(parent.window());
    EXPECT_EQ(kStateNormal, state(button));
    ReleaseCapture();
}

// The disabled look, read off a rendered button: the icon's silhouette in shadow over a
// highlight copy one pixel down and right, on the button face.
TEST(IconButton, DisabledImageIsTheEmbossedSilhouette) {
    constexpr int kSize = 16, kFirst = 4, kLast = 11;  // the icon is opaque in [4, 11] squared
    BYTE andMask[kSize * kSize / 8];
    for (int y = 0; y < kSize; ++y) {
        const bool row = y >= kFirst && y <= kLast;
        andMask[y * 2] = row ? 0xF0 : 0xFF;      // pixels 0-7: opaque from 4
        andMask[y * 2 + 1] = row ? 0x0F : 0xFF;  // pixels 8-15: opaque up to 11
    }
    HBITMAP mask = CreateBitmap(kSize, kSize, 1, 1, andMask);
    HDC screen = GetDC(nullptr);
    HBITMAP colour = CreateCompatibleBitmap(screen, kSize, kSize);
    ICONINFO info{TRUE, 0, 0, mask, colour};
    HICON icon = CreateIconIndirect(&info);
    DeleteObject(mask);
    DeleteObject(colour);

    Parent parent;
    HWND button = parent.iconButton(kChild | WS_DISABLED);
    ASSERT_NE(nullptr, button);
    SendMessageA(button, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon));
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP canvas = CreateCompatibleBitmap(screen, 40, 40);
    HGDIOBJ old = SelectObject(memory, canvas);
    SendMessageA(button, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory), PRF_CLIENT);

    // 40 pixels less the frame (1) and the raised edges (2) on each side leave 34: the image
    // starts at (34 - 16) / 2 = 9.
    constexpr int kOrigin = 9;
    auto opaque = [](int x, int y) { return x >= kFirst && x <= kLast && y >= kFirst && y <= kLast; };
    for (int y = 0; y <= kSize; ++y) {
        for (int x = 0; x <= kSize; ++x) {
            const COLORREF expected = opaque(x, y)           ? GetSysColor(COLOR_BTNSHADOW)
                                      : opaque(x - 1, y - 1) ? GetSysColor(COLOR_BTNHIGHLIGHT)
                                                             : GetSysColor(COLOR_BTNFACE);
            ASSERT_EQ(expected, GetPixel(memory, kOrigin + x, kOrigin + y)) << x << "," << y;
        }
    }
    SelectObject(memory, old);
    DeleteObject(canvas);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
}
