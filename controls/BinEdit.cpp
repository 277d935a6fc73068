#include "controls/BinEdit.h"

#include <cstring>

#include "controls/BinEditModel.h"
#include "framework/FaultFrame.h"
#include "framework/Trace.h"

const char kBinEditClass[] = "BINEDIT";

namespace {

// Window words: the buffer handle, then size, capacity, caret cell and layout (bytes per row in
// the low half, visible rows in the high half). The handle takes a pointer-sized slot: a local
// memory handle of a 64-bit process need not fit 32 bits.
constexpr int kBufferWord = 0;
constexpr int kSizeWord = sizeof(LONG_PTR);
constexpr int kCapacityWord = kSizeWord + 4;
constexpr int kCaretWord = kSizeWord + 8;
constexpr int kLayoutWord = kSizeWord + 12;
constexpr int kWindowBytes = kSizeWord + 16;
// Class word: the character cell of the fixed font, width low, height high.
constexpr int kCellWord = 0;

HFONT fixedFont() { return static_cast<HFONT>(GetStockObject(ANSI_FIXED_FONT)); }

SIZE cellSize(HWND control) {
    const DWORD cell = static_cast<DWORD>(GetClassLongA(control, kCellWord));
    return SIZE{LOWORD(cell), HIWORD(cell)};
}

void measureCell(HWND control) {
    SIZE extent{8, 16};
    if (HDC dc = GetDC(control)) {
        HGDIOBJ old = SelectObject(dc, fixedFont());
        GetTextExtentPoint32A(dc, "0", 1, &extent);
        SelectObject(dc, old);
        ReleaseDC(control, dc);
    }
    SetClassLongA(control, kCellWord, static_cast<LONG>(MAKELONG(extent.cx, extent.cy)));
}

HLOCAL bufferOf(HWND control) { return reinterpret_cast<HLOCAL>(GetWindowLongPtrA(control, kBufferWord)); }
void setBuffer(HWND control, HLOCAL buffer) { SetWindowLongPtrA(control, kBufferWord, reinterpret_cast<LONG_PTR>(buffer)); }

// The control's movable buffer, locked while an operation needs the bytes.
class LocalBuffer : public CBinEditBuffer {
public:
    explicit LocalBuffer(HWND control) : m_control(control), m_handle(bufferOf(control)) {}
    ~LocalBuffer() override { unlock(); }
    LocalBuffer(const LocalBuffer&) = delete;
    LocalBuffer& operator=(const LocalBuffer&) = delete;

    BYTE* bytes() override {
        if (!m_bytes && m_handle) m_bytes = static_cast<BYTE*>(LocalLock(m_handle));
        return m_bytes;
    }
    bool reallocate(DWORD capacity) override {
        unlock();
        HLOCAL resized = m_handle ? LocalReAlloc(m_handle, capacity, LMEM_MOVEABLE | LMEM_ZEROINIT)
                                  : LocalAlloc(LHND, capacity);
        if (!resized) return false;
        m_handle = resized;
        setBuffer(m_control, resized);
        return true;
    }

private:
    void unlock() {
        if (m_bytes) LocalUnlock(m_handle);
        m_bytes = nullptr;
    }
    HWND m_control;
    HLOCAL m_handle;
    BYTE* m_bytes = nullptr;
};

CBinEditModel loadModel(HWND control) {
    CBinEditModel model;
    model.size = static_cast<DWORD>(GetWindowLongA(control, kSizeWord));
    model.capacity = static_cast<DWORD>(GetWindowLongA(control, kCapacityWord));
    model.caret = GetWindowLongA(control, kCaretWord);
    const DWORD layout = static_cast<DWORD>(GetWindowLongA(control, kLayoutWord));
    model.bytesPerRow = LOWORD(layout) ? LOWORD(layout) : 1;
    model.visibleRows = HIWORD(layout) ? HIWORD(layout) : 1;
    SCROLLINFO info{sizeof info, SIF_POS, 0, 0, 0, 0, 0};
    model.position = GetScrollInfo(control, SB_VERT, &info) ? info.nPos : 0;
    return model;
}

// The scroll bar follows the data: disabled while everything fits, else ranged so that its
// largest position is the model's last one.
void updateScrollBar(HWND control, const CBinEditModel& model) {
    if (model.fits()) {
        SCROLLINFO info{sizeof info, SIF_RANGE | SIF_PAGE | SIF_POS, 0, 1, 1, 0, 0};
        SetScrollInfo(control, SB_VERT, &info, TRUE);
        EnableScrollBar(control, SB_VERT, ESB_DISABLE_BOTH);
        return;
    }
    EnableScrollBar(control, SB_VERT, ESB_ENABLE_BOTH);
    SCROLLINFO info{sizeof info, SIF_RANGE | SIF_PAGE | SIF_POS, 0, model.lastPosition() + model.page() - 1,
                    static_cast<UINT>(model.page()), model.position, 0};
    SetScrollInfo(control, SB_VERT, &info, TRUE);
}

void placeCaret(HWND control, const CBinEditModel& model) {
    if (GetFocus() != control) return;
    const POINT at = model.caretPoint(cellSize(control));
    SetCaretPos(at.x, at.y);
}

void storeModel(HWND control, const CBinEditModel& model) {
    SetWindowLongA(control, kSizeWord, static_cast<LONG>(model.size));
    SetWindowLongA(control, kCapacityWord, static_cast<LONG>(model.capacity));
    SetWindowLongA(control, kCaretWord, model.caret);
    SetWindowLongA(control, kLayoutWord, static_cast<LONG>(MAKELONG(model.bytesPerRow, model.visibleRows)));
    updateScrollBar(control, model);
    placeCaret(control, model);
}

void layOut(HWND control, CBinEditModel& model) {
    model.position = 0;
    updateScrollBar(control, model);  // shown from the start, so the client width stays put
    RECT client;
    GetClientRect(control, &client);
    model.layout(client.right, client.bottom, cellSize(control));
}

// The edit-control brush of the parent; it sets the text colour on dc as well.
HBRUSH backgroundBrush(HWND control, HDC dc) {
    auto brush = reinterpret_cast<HBRUSH>(SendMessageA(GetParent(control), WM_CTLCOLOREDIT,
                                                       reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control)));
    return brush ? brush : GetSysColorBrush(COLOR_WINDOW);
}

void erase(HWND control, HDC dc) {
    RECT client;
    GetClientRect(control, &client);
    FillRect(dc, &client, backgroundBrush(control, dc));
}

// Text in the fixed font on a transparent background, as one line without prefix handling.
void drawText(HDC dc, const std::string& text, RECT box) {
    HGDIOBJ oldFont = SelectObject(dc, fixedFont());
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &box, DT_SINGLELINE | DT_NOPREFIX);
    SetBkMode(dc, oldMode);
    SelectObject(dc, oldFont);
}

// One routine for WM_PAINT and WM_PRINTCLIENT.
void paint(HWND control, HDC dc) {
    const CBinEditModel model = loadModel(control);
    LocalBuffer buffer(control);
    const SIZE cell = cellSize(control);
    backgroundBrush(control, dc);
    RECT client;
    GetClientRect(control, &client);
    for (int row = 0; row < model.visibleRows; ++row) {
        const std::string text = model.rowText(buffer.bytes(), row);
        if (text.empty()) break;
        drawText(dc, text, RECT{0, row * cell.cy, client.right, (row + 1) * cell.cy});
    }
}

// Typing changes one byte: only its two digits are drawn again.
void paintByte(HWND control, const CBinEditModel& model, DWORD index) {
    const SIZE cell = cellSize(control);
    const DWORD shown = index - static_cast<DWORD>(model.position) * model.bytesPerRow;
    const int row = static_cast<int>(shown / model.bytesPerRow);
    const int column = static_cast<int>(shown % model.bytesPerRow) * 3;
    LocalBuffer buffer(control);
    const std::string digits = model.rowText(buffer.bytes(), row).substr(column, 2);
    const RECT box{column * cell.cx, row * cell.cy, (column + 2) * cell.cx, (row + 1) * cell.cy};
    HideCaret(control);
    HDC dc = GetDC(control);
    FillRect(dc, &box, backgroundBrush(control, dc));
    drawText(dc, digits, box);
    ReleaseDC(control, dc);
    ShowCaret(control);
}

void apply(HWND control, const CBinEditModel& model, const BinEditOutcome& outcome) {
    if (outcome.beep) MessageBeep(0xFFFFFFFF);
    storeModel(control, model);
    if (outcome.redraw == BinEditRedraw::kWindow) InvalidateRect(control, nullptr, TRUE);
    if (outcome.redraw == BinEditRedraw::kByte) paintByte(control, model, outcome.byte);
}

LRESULT setData(HWND control, DWORD size, const BYTE* bytes) {
    if (HLOCAL old = bufferOf(control)) LocalFree(old);
    setBuffer(control, nullptr);
    CBinEditModel model = loadModel(control);
    model.size = model.capacity = 0;
    model.caret = 0;
    LRESULT result = 0;
    const bool acceptable = size < 0x7FFF0000 && (bytes || size == 0);
    if (HLOCAL buffer = acceptable ? LocalAlloc(LHND, CBinEditModel::capacityFor(size)) : nullptr) {
        setBuffer(control, buffer);
        if (size) std::memcpy(LocalBuffer(control).bytes(), bytes, size);
        model.size = size;
        model.capacity = CBinEditModel::capacityFor(size);
        result = 1;
    }
    layOut(control, model);
    storeModel(control, model);
    RedrawWindow(control, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    return result;
}

LRESULT handle(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE: {
        measureCell(control);
        CBinEditModel model;
        layOut(control, model);
        storeModel(control, model);
        return 0;
    }
    case WM_DESTROY:
        if (HLOCAL buffer = bufferOf(control)) LocalFree(buffer);
        setBuffer(control, nullptr);
        return 0;
    case BEM_SETDATA:
        return setData(control, static_cast<DWORD>(wParam), reinterpret_cast<const BYTE*>(lParam));
    case BEM_GETDATA:
        return reinterpret_cast<LRESULT>(bufferOf(control));
    case BEM_GETSIZE:
        return GetWindowLongA(control, kSizeWord);
    case WM_SETFOCUS:
        CreateCaret(control, nullptr, GetSystemMetrics(SM_CXBORDER), cellSize(control).cy);
        placeCaret(control, loadModel(control));
        ShowCaret(control);
        return 0;
    case WM_KILLFOCUS:
        DestroyCaret();
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        if (HDC dc = BeginPaint(control, &ps)) paint(control, dc);
        EndPaint(control, &ps);
        return 0;
    }
    case WM_PRINTCLIENT:
        if (lParam & PRF_ERASEBKGND) erase(control, reinterpret_cast<HDC>(wParam));
        paint(control, reinterpret_cast<HDC>(wParam));
        return 0;
    case WM_ERASEBKGND:
        erase(control, reinterpret_cast<HDC>(wParam));
        return 1;
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS | DLGC_WANTCHARS;  // Tab and Enter stay with the dialog
    case WM_KEYDOWN: {
        CBinEditModel model = loadModel(control);
        LocalBuffer buffer(control);
        const BinEditOutcome outcome = model.key(static_cast<UINT>(wParam), GetKeyState(VK_CONTROL) < 0, buffer);
        apply(control, model, outcome);
        return 0;
    }
    case WM_VSCROLL: {
        // The message carries only 16 bits of the thumb's position; the bar's tracking position
        // has all 32 when it agrees with them (a value of some megabytes has more rows).
        SCROLLINFO tracking{sizeof tracking, SIF_TRACKPOS, 0, 0, 0, 0, 0};
        const int reported = HIWORD(wParam);
        const bool whole = GetScrollInfo(control, SB_VERT, &tracking) && LOWORD(tracking.nTrackPos) == reported;
        CBinEditModel model = loadModel(control);
        apply(control, model, model.scroll(LOWORD(wParam), whole ? tracking.nTrackPos : reported));
        return 0;
    }
    case WM_LBUTTONDOWN:
        if (GetFocus() != control) SetFocus(control);
        SetCapture(control);
        [[fallthrough]];
    case WM_MOUSEMOVE:
        if (GetCapture() == control) {
            CBinEditModel model = loadModel(control);
            RECT client;
            GetClientRect(control, &client);
            const POINT point{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
            model.place(point, cellSize(control), SIZE{client.right, client.bottom});
            storeModel(control, model);
        }
        return 0;
    case WM_LBUTTONUP:
        if (GetCapture() == control) ReleaseCapture();
        return 0;
    default:
        return DefWindowProcA(control, message, wParam, lParam);
    }
}

LRESULT CALLBACK BinEditProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
    try {
        LRESULT result = 0;
        fw::InFaultFrame([&] { result = handle(control, message, wParam, lParam); });
        return result;
    } catch (...) {
        fw::TraceCaughtException("BinEditProc");  // nothing unwinds through the system's code
        return 0;
    }
}

}  // namespace

bool RegisterBinEditClass() {
    static bool registered = false;
    if (registered) return true;
    WNDCLASSA windowClass{};
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = BinEditProc;
    windowClass.cbClsExtra = 4;
    windowClass.cbWndExtra = kWindowBytes;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hCursor = LoadCursorA(nullptr, IDC_IBEAM);
    windowClass.lpszClassName = kBinEditClass;
    registered = RegisterClassA(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
    return registered;
}
