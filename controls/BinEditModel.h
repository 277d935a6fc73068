// The arithmetic of the hex edit control without a window: layout, caret cells, the keys, the
// scroll bar, nibble entry and deletion. The window loads a model from its words and scroll bar,
// runs one operation and stores the model back.
//
// Every byte takes three character cells: high digit, low digit, blank. The caret cell counts
// from the top-left corner of the window (row × cells per row + column); the scroll position is
// the number of data rows above the window. The blank after the last byte is the append position.
#pragma once
#include <windows.h>

#include <string>

// Where the bytes live. The control keeps them in movable local memory; tests in a vector.
class CBinEditBuffer {
public:
    virtual ~CBinEditBuffer() = default;
    virtual BYTE* bytes() = 0;
    // Reallocates to exactly capacity bytes, keeping the first min(old, new) and zeroing the rest.
    virtual bool reallocate(DWORD capacity) = 0;
};

enum class BinEditRedraw { kNone, kByte, kWindow };

// What an operation asks of the window.
struct BinEditOutcome {
    bool beep = false;
    BinEditRedraw redraw = BinEditRedraw::kNone;
    DWORD byte = 0;  // the byte to draw again for kByte
};

class CBinEditModel {
public:
    static constexpr DWORD kGrowth = 256;  // the buffer grows and shrinks in steps of this many bytes

    DWORD size = 0;      // bytes held
    DWORD capacity = 0;  // bytes allocated
    int caret = 0;       // cell
    int bytesPerRow = 1;
    int visibleRows = 1;
    int position = 0;    // scroll position in rows

    // Bytes per row and visible rows of a client area; at least 1 each, so that a tiny control
    // still has a cell to put the caret in.
    void layout(int clientWidth, int clientHeight, SIZE cell);
    // The capacity that set data allocates for size bytes: the next multiple of kGrowth above it.
    static DWORD capacityFor(DWORD size) { return (size / kGrowth + 1) * kGrowth; }

    int cellsPerRow() const { return bytesPerRow * 3; }
    bool fits() const { return size <= static_cast<DWORD>(bytesPerRow) * visibleRows; }
    int dataRows() const { return static_cast<int>((size + bytesPerRow - 1) / bytesPerRow); }
    int lastPosition() const { return fits() ? 0 : dataRows() - visibleRows; }
    // Rows moved by paging, and the scroll bar's page.
    int page() const { return visibleRows > 1 ? visibleRows - 1 : 1; }
    // The last cell of the last byte in the window (the append position when the data ends in
    // it); 0 when the window shows no byte.
    int lastVisibleCell() const;
    // The data index of the byte under cell.
    DWORD byteAt(int cell) const { return static_cast<DWORD>(position) * bytesPerRow + cell / 3; }
    POINT caretPoint(SIZE cell) const;

    // The caret cell for a click at point (client coordinates, clamped into the client area).
    void place(POINT point, SIZE cell, SIZE client);
    // WM_KEYDOWN with the state of Ctrl.
    BinEditOutcome key(UINT virtualKey, bool control, CBinEditBuffer& buffer);
    // WM_VSCROLL; thumb is the position that SB_THUMBPOSITION reports.
    BinEditOutcome scroll(int code, int thumb);
    // Text of visible row `row`: each byte as two lower-case digits and a blank. Empty past the data.
    std::string rowText(const BYTE* bytes, int row) const;

private:
    BinEditOutcome enterNibble(int digit, CBinEditBuffer& buffer);
    BinEditOutcome deleteByte(CBinEditBuffer& buffer);
    // Moves the view to newPosition (clamped); false when it cannot move.
    bool scrollTo(int newPosition);
    int clampToData(int cell) const;
    int row() const { return caret / cellsPerRow(); }
    int column() const { return caret % cellsPerRow(); }
    int bottomRowCell(int column) const { return (visibleRows - 1) * cellsPerRow() + column; }
};
