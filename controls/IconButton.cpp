#include "controls/IconButton.h"

#include <initializer_list>
#include <vector>

#include "framework/FaultFrame.h"
#include "framework/Handles.h"
#include "framework/WindowsVersion.h"

const char kIconButtonClass[] = "ZKICONBUTTON";

namespace {
// The only styles an icon button accepts: child, visible, disabled, group and tab stop.
constexpr DWORD kAllowedStyles = 0x58030000;

// The window words are 32 bits wide on both architectures. Icon and bitmap handles fit: the
// system keeps the significant part of user and GDI handles in their low 32 bits.
LONG word(HWND button, IconButtonWord offset) { return GetWindowLongA(button, offset); }
void setWord(HWND button, IconButtonWord offset, LONG value) { SetWindowLongA(button, offset, value); }
template <class Handle>
Handle handleWord(HWND button, IconButtonWord offset) {
    return reinterpret_cast<Handle>(static_cast<LONG_PTR>(word(button, offset)));
}
template <class Handle>
LONG handleValue(Handle handle) {
    return static_cast<LONG>(reinterpret_cast<LONG_PTR>(handle));
}

void redrawNow(HWND button) { RedrawWindow(button, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW); }

// Sets the state, redrawing only when it changes.
void setState(HWND button, IconButtonState state) {
    if (word(button, kStateWord) == state) return;
    setWord(button, kStateWord, state);
    redrawNow(button);
}

bool pointInside(HWND button, LPARAM point) {
    RECT client;
    GetClientRect(button, &client);
    const POINT where{static_cast<short>(LOWORD(point)), static_cast<short>(HIWORD(point))};
    return PtInRect(&client, where) != FALSE;
}

int iconSize(HICON icon) {
    ICONINFO info{};
    if (!GetIconInfo(icon, &info)) return 0;
    fw::UniqueBitmap mask(info.hbmMask), colour(info.hbmColor);
    BITMAP bitmap{};
    GetObjectA(colour ? colour.get() : mask.get(), sizeof bitmap, &bitmap);
    return bitmap.bmWidth;
}

// Which of the icon's size x size pixels are opaque. An icon with an alpha channel says so there
// (its AND mask is often solid); any other icon by its AND mask, which is black where opaque
// (for a monochrome icon, the mask's top half).
std::vector<bool> opaquePixels(HICON icon, int size) {
    std::vector<bool> opaque(static_cast<size_t>(size) * size, false);
    ICONINFO info{};
    if (!GetIconInfo(icon, &info)) return opaque;
    fw::UniqueBitmap mask(info.hbmMask), colour(info.hbmColor);
    HDC screen = GetDC(nullptr);
    bool hasAlpha = false;
    if (colour) {
        BITMAPINFO format{};
        format.bmiHeader = {sizeof format.bmiHeader, size, -size, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        std::vector<RGBQUAD> pixels(opaque.size());
        if (GetDIBits(screen, colour.get(), 0, size, pixels.data(), &format, DIB_RGB_COLORS) == size) {
            for (const RGBQUAD& pixel : pixels) hasAlpha = hasAlpha || pixel.rgbReserved != 0;
            for (size_t i = 0; hasAlpha && i < pixels.size(); ++i) opaque[i] = pixels[i].rgbReserved >= 128;
        }
    }
    if (!hasAlpha) {
        HDC maskDc = CreateCompatibleDC(screen);
        HGDIOBJ old = SelectObject(maskDc, mask.get());
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x) opaque[y * size + x] = GetPixel(maskDc, x, y) == RGB(0, 0, 0);
        SelectObject(maskDc, old);
        DeleteDC(maskDc);
    }
    ReleaseDC(nullptr, screen);
    return opaque;
}

// The embossed look of a disabled button: the icon's silhouette in shadow over a highlight copy
// one pixel down and right, on the button face. Built once per icon, (size + 1) pixels square.
HBITMAP makeDisabledImage(HICON icon, int size) {
    if (size <= 0) return nullptr;
    const std::vector<bool> opaque = opaquePixels(icon, size);
    HDC screen = GetDC(nullptr);
    HBITMAP image = CreateCompatibleBitmap(screen, size + 1, size + 1);
    HDC imageDc = CreateCompatibleDC(screen);
    ReleaseDC(nullptr, screen);
    if (image && imageDc) {
        HGDIOBJ old = SelectObject(imageDc, image);
        RECT all{0, 0, size + 1, size + 1};
        FillRect(imageDc, &all, GetSysColorBrush(COLOR_BTNFACE));
        const COLORREF highlight = GetSysColor(COLOR_BTNHIGHLIGHT);
        const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x)
                if (opaque[y * size + x]) SetPixelV(imageDc, x + 1, y + 1, highlight);
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x)
                if (opaque[y * size + x]) SetPixelV(imageDc, x, y, shadow);
        SelectObject(imageDc, old);
    }
    if (imageDc) DeleteDC(imageDc);
    return image;
}

void line(HDC dc, HPEN pen, std::initializer_list<POINT> points) {
    HGDIOBJ old = SelectObject(dc, pen);
    auto point = points.begin();
    MoveToEx(dc, point->x, point->y, nullptr);
    for (++point; point != points.end(); ++point) LineTo(dc, point->x, point->y);
    SelectObject(dc, old);
}

// One painting routine for WM_PAINT and WM_PRINTCLIENT. Lines exclude their end points.
void paint(HWND button, HDC dc) {
    fw::UniquePen frame(CreatePen(PS_SOLID, 1, GetSysColor(COLOR_WINDOWFRAME)));
    fw::UniquePen highlight(CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNHIGHLIGHT)));
    fw::UniquePen shadow(CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW)));
    RECT r;
    GetClientRect(button, &r);

    // The outer frame, corners left open.
    line(dc, frame.get(), {{r.left + 1, r.top}, {r.right - 1, r.top}});
    line(dc, frame.get(), {{r.left, r.top + 1}, {r.left, r.bottom - 1}});
    line(dc, frame.get(), {{r.left + 1, r.bottom - 1}, {r.right - 1, r.bottom - 1}});
    line(dc, frame.get(), {{r.right - 1, r.top + 1}, {r.right - 1, r.bottom - 1}});
    InflateRect(&r, -1, -1);

    if (GetFocus() == button) {
        HGDIOBJ old = SelectObject(dc, frame.get());
        Rectangle(dc, r.left, r.top, r.right, r.bottom);  // the DC's own brush: white
        SelectObject(dc, old);
        InflateRect(&r, -1, -1);
    }

    const LONG state = word(button, kStateWord);
    if (state == kStatePressed) {
        line(dc, shadow.get(), {{r.right - 1, r.top}, {r.left, r.top}, {r.left, r.bottom - 1}});
        ++r.left;
        ++r.top;
    } else {
        line(dc, highlight.get(), {{r.right - 1, r.top}, {r.left, r.top}, {r.left, r.bottom - 2}});
        line(dc, highlight.get(), {{r.right - 2, r.top + 1}, {r.left + 1, r.top + 1}, {r.left + 1, r.bottom - 3}});
        line(dc, shadow.get(), {{r.left, r.bottom - 1}, {r.right - 1, r.bottom - 1}, {r.right - 1, r.top}});
        line(dc, shadow.get(), {{r.left + 1, r.bottom - 2}, {r.right - 2, r.bottom - 2}, {r.right - 2, r.top + 1}});
        InflateRect(&r, -2, -2);
    }

    // Centred in what is left, but measured from the client origin: the pressed image moves
    // one or two pixels right and down.
    const int size = word(button, kIconSizeWord);
    const int x = (r.right - r.left - size) / 2;
    const int y = (r.bottom - r.top - size) / 2;
    if (state == kStateDisabled) {
        HBITMAP image = handleWord<HBITMAP>(button, kDisabledImageWord);
        if (!image) return;
        HDC imageDc = CreateCompatibleDC(dc);
        HGDIOBJ old = SelectObject(imageDc, image);
        BitBlt(dc, x, y, size + 1, size + 1, imageDc, 0, 0, SRCCOPY);
        SelectObject(imageDc, old);
        DeleteDC(imageDc);
    } else if (HICON icon = handleWord<HICON>(button, kIconWord)) {
        DrawIconEx(dc, x, y, icon, size, size, 0, nullptr, DI_NORMAL);
    }
}

LRESULT setImage(HWND button, HICON icon) {
    const int size = icon ? iconSize(icon) : 0;
    HBITMAP disabled = icon ? makeDisabledImage(icon, size) : nullptr;
    HICON previous = handleWord<HICON>(button, kIconWord);
    HBITMAP previousImage = handleWord<HBITMAP>(button, kDisabledImageWord);
    setWord(button, kIconSizeWord, size);
    setWord(button, kIconWord, handleValue(icon));
    setWord(button, kDisabledImageWord, handleValue(disabled));
    if (previousImage) DeleteObject(previousImage);
    InvalidateRect(button, nullptr, TRUE);
    return reinterpret_cast<LRESULT>(previous);
}

LRESULT handle(HWND button, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE: {
        const DWORD style = reinterpret_cast<CREATESTRUCTA*>(lParam)->style;
        if (style & ~kAllowedStyles) return -1;
        // A button created disabled looks disabled from the start, not only after its first
        // EnableWindow (which sends nothing while the state does not change).
        if (style & WS_DISABLED) setWord(button, kStateWord, kStateDisabled);
        return 0;
    }
    case WM_DESTROY:
        if (HICON icon = handleWord<HICON>(button, kIconWord)) DestroyIcon(icon);
        if (HBITMAP image = handleWord<HBITMAP>(button, kDisabledImageWord)) DeleteObject(image);
        setWord(button, kIconWord, 0);
        setWord(button, kDisabledImageWord, 0);
        return 0;
    case WM_ENABLE:
        setWord(button, kStateWord, wParam ? kStateNormal : kStateDisabled);
        redrawNow(button);
        return 0;
    case WM_PAINT: {
        if (!GetUpdateRect(button, nullptr, FALSE)) return 0;
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(button, &ps);
        paint(button, dc);
        EndPaint(button, &ps);
        return 0;
    }
    case WM_PRINTCLIENT:
        paint(button, reinterpret_cast<HDC>(wParam));
        return 0;
    case WM_ERASEBKGND: {
        RECT client;
        GetClientRect(button, &client);
        FillRect(reinterpret_cast<HDC>(wParam), &client, GetSysColorBrush(COLOR_BTNFACE));
        return 1;
    }
    case WM_GETDLGCODE:
        return GetFocus() == button ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON;
    case BM_GETIMAGE:
        return reinterpret_cast<LRESULT>(handleWord<HICON>(button, kIconWord));
    case BM_SETIMAGE:
        return setImage(button, reinterpret_cast<HICON>(lParam));
    case WM_LBUTTONDOWN:
        SetCapture(button);
        setWord(button, kStateWord, kStatePressed);
        redrawNow(button);
        return 0;
    case WM_MOUSEMOVE:
        if (GetCapture() == button) setState(button, pointInside(button, lParam) ? kStatePressed : kStateNormal);
        return 0;
    case WM_LBUTTONUP:
        if (GetCapture() != button) return 0;
        setState(button, kStateNormal);
        ReleaseCapture();
        if (pointInside(button, lParam))
            SendMessageA(GetParent(button), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED),
                         reinterpret_cast<LPARAM>(button));
        return 0;
    case WM_CAPTURECHANGED:
        setState(button, kStateNormal);
        return 0;
    default:
        return DefWindowProcA(button, message, wParam, lParam);
    }
}

// Under a frame of ours: the platform may call it from a dispatch that would swallow a fault.
LRESULT CALLBACK IconButtonProc(HWND button, UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    fw::InFaultFrame([&] { result = handle(button, message, wParam, lParam); });
    return result;
}

// Puts a ZKICONBUTTON where the dialog's button is, in its place in the tab order.
HWND replaceButton(HWND dialog, HWND control, int controlId) {
    RECT rect;
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    const DWORD style = static_cast<DWORD>(GetWindowLongA(control, GWL_STYLE)) & kAllowedStyles;
    HWND button = CreateWindowExA(0, kIconButtonClass, nullptr, style, rect.left, rect.top, rect.right - rect.left,
                                  rect.bottom - rect.top, dialog, reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId)),
                                  GetModuleHandleA(nullptr), nullptr);
    if (!button) return nullptr;
    SetWindowPos(button, control, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    DestroyWindow(control);
    return button;
}
}  // namespace

bool RegisterIconButtonWindowClass() {
    WNDCLASSA windowClass{};
    windowClass.style = CS_GLOBALCLASS | CS_BYTEALIGNCLIENT;
    windowClass.lpfnWndProc = IconButtonProc;
    windowClass.cbWndExtra = 16;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = kIconButtonClass;
    return RegisterClassA(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

bool RegisterIconButtonClass() { return WindowsMajorVersion() >= 4 || RegisterIconButtonWindowClass(); }

bool InitIconButton(HWND dialog, int controlId, LPCSTR iconName, HINSTANCE module) {
    HWND control = GetDlgItem(dialog, controlId);
    if (!control) return false;
    if (WindowsMajorVersion() < 4 && !(control = replaceButton(dialog, control, controlId))) return false;
    SendMessageA(control, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(LoadIconA(module, iconName)));
    return true;
}
