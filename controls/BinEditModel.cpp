#include "controls/BinEditModel.h"

#include <algorithm>
#include <cstring>

void CBinEditModel::layout(int clientWidth, int clientHeight, SIZE cell) {
    bytesPerRow = std::max(1, cell.cx > 0 ? clientWidth / (3 * static_cast<int>(cell.cx)) : 0);
    visibleRows = std::max(1, cell.cy > 0 ? clientHeight / static_cast<int>(cell.cy) : 0);
    position = 0;
}

int CBinEditModel::lastVisibleCell() const {
    const DWORD first = static_cast<DWORD>(position) * bytesPerRow;
    if (size <= first) return 0;
    const DWORD shown = std::min<DWORD>(size - first, static_cast<DWORD>(bytesPerRow) * visibleRows);
    return static_cast<int>(shown) * 3 - 1;
}

int CBinEditModel::clampToData(int cell) const { return std::min(cell, lastVisibleCell()); }

POINT CBinEditModel::caretPoint(SIZE cell) const {
    return POINT{column() * cell.cx, row() * cell.cy};
}

void CBinEditModel::place(POINT point, SIZE cell, SIZE client) {
    if (cell.cx <= 0 || cell.cy <= 0) return;
    const LONG x = std::clamp<LONG>(point.x, 0, std::max<LONG>(0, client.cx - 1));
    const LONG y = std::clamp<LONG>(point.y, 0, std::max<LONG>(0, client.cy - 1));
    const int col = std::min(static_cast<int>(x / cell.cx), cellsPerRow() - 1);
    const int line = std::min(static_cast<int>(y / cell.cy), visibleRows - 1);
    const int clicked = line * cellsPerRow() + col;
    const int last = lastVisibleCell();
    if (clicked <= last) {
        caret = clicked;
        return;
    }
    // Below or right of the data: the same column of the last data row, or the append position.
    caret = col <= last % cellsPerRow() ? last - last % cellsPerRow() + col : last;
}

bool CBinEditModel::scrollTo(int newPosition) {
    newPosition = std::clamp(newPosition, 0, lastPosition());
    if (newPosition == position) return false;
    position = newPosition;
    return true;
}

BinEditOutcome CBinEditModel::key(UINT virtualKey, bool control, CBinEditBuffer& buffer) {
    BinEditOutcome outcome;
    const BinEditOutcome beep{true};
    const int last = lastVisibleCell();
    const bool more = size > static_cast<DWORD>(position + visibleRows) * bytesPerRow;
    auto scrolled = [&outcome] { outcome.redraw = BinEditRedraw::kWindow; };
    switch (virtualKey) {
    case VK_PRIOR:
        if (row() > 0)
            caret = column();
        else if (scrollTo(position - page()))
            scrolled();
        else
            return beep;
        return outcome;
    case VK_NEXT:
        if (row() < visibleRows - 1) {
            caret = std::min(bottomRowCell(column()), last);
        } else if (more) {
            const bool clamped = position + page() > lastPosition();
            scrollTo(position + page());
            if (clamped) caret = clampToData(bottomRowCell(column()));
            scrolled();
        } else {
            return beep;
        }
        return outcome;
    case VK_END:
        if (control && scrollTo(lastPosition())) {
            caret = lastVisibleCell();
            scrolled();
        } else if (caret == last) {
            return beep;
        } else {
            caret = last;
        }
        return outcome;
    case VK_HOME:
        if (control && scrollTo(0))
            scrolled();
        else if (caret == 0)
            return beep;
        caret = 0;
        return outcome;
    case VK_LEFT:
        if (caret > 0) {
            --caret;
        } else if (scrollTo(position - 1)) {
            caret = cellsPerRow() - 1;
            scrolled();
        } else {
            return beep;
        }
        return outcome;
    case VK_RIGHT:
        if (size == 0) return beep;
        if (caret < last) {
            ++caret;
        } else if (more && scrollTo(position + 1)) {
            caret = caret - cellsPerRow() + 1;
            scrolled();
        } else {
            return beep;
        }
        return outcome;
    case VK_UP:
        if (row() > 0)
            caret -= cellsPerRow();
        else if (scrollTo(position - 1))
            scrolled();
        else
            return beep;
        return outcome;
    case VK_DOWN:
        if (caret + cellsPerRow() <= last) {
            caret += cellsPerRow();
        } else if (more && scrollTo(position + 1)) {
            caret = clampToData(caret);
            scrolled();
        } else if (caret == last) {
            return beep;
        } else {
            caret = last;
        }
        return outcome;
    case VK_DELETE:
        return deleteByte(buffer);
    default:
        if (virtualKey >= '0' && virtualKey <= '9') return enterNibble(static_cast<int>(virtualKey - '0'), buffer);
        if (virtualKey >= 'A' && virtualKey <= 'F') return enterNibble(static_cast<int>(virtualKey - 'A' + 10), buffer);
        return beep;  // modifier keys, Backspace and the keypad digits included
    }
}

BinEditOutcome CBinEditModel::enterNibble(int digit, CBinEditBuffer& buffer) {
    BinEditOutcome outcome;
    int cell = caret;
    DWORD index = byteAt(cell);
    if (cell % 3 == 2) {  // on a blank: type into the next byte
        ++cell;
        ++index;
    }
    if (index > size) return BinEditOutcome{true};
    if (index == size) {
        if (size == capacity) {
            if (!buffer.reallocate(capacity + kGrowth)) return BinEditOutcome{true};
            capacity += kGrowth;
        }
        buffer.bytes()[size++] = 0;
    }
    BYTE& value = buffer.bytes()[index];
    value = cell % 3 == 0 ? static_cast<BYTE>((value & 0x0F) | (digit << 4)) : static_cast<BYTE>((value & 0xF0) | digit);
    outcome.redraw = BinEditRedraw::kByte;
    outcome.byte = index;
    // Past the bottom row (typing on, or a blank at its end): the view follows.
    caret = cell + 1;
    const int windowCells = visibleRows * cellsPerRow();
    if (cell >= windowCells || caret >= windowCells) {
        ++position;
        caret -= cellsPerRow();
        outcome.redraw = BinEditRedraw::kWindow;
    }
    return outcome;
}

BinEditOutcome CBinEditModel::deleteByte(CBinEditBuffer& buffer) {
    if (size == 0) return BinEditOutcome{true};
    const DWORD index = std::min(byteAt(caret), size - 1);
    int part = caret % 3;
    BYTE* bytes = buffer.bytes();
    std::memmove(bytes + index, bytes + index + 1, size - index - 1);
    --size;
    if (capacity > kGrowth && size == capacity - kGrowth && buffer.reallocate(size)) capacity = size;

    DWORD kept = index;  // the byte that the caret stays on
    if (index == size) {
        if (size == 0) {
            caret = position = 0;
            return BinEditOutcome{false, BinEditRedraw::kWindow};
        }
        kept = size - 1;
        part = 2;
    }
    // A row that has emptied at the end pulls the view up; keep the caret's byte in the window.
    const int keptRow = static_cast<int>(kept / bytesPerRow);
    position = std::clamp(std::min(position, lastPosition()), keptRow - visibleRows + 1, keptRow);
    caret = static_cast<int>(kept - static_cast<DWORD>(position) * bytesPerRow) * 3 + part;
    return BinEditOutcome{false, BinEditRedraw::kWindow};
}

BinEditOutcome CBinEditModel::scroll(int code, int thumb) {
    const int before = position;
    switch (code) {
    case SB_LINEUP: scrollTo(position - 1); break;
    case SB_LINEDOWN: scrollTo(position + 1); break;
    case SB_PAGEUP: scrollTo(position - page()); break;
    case SB_PAGEDOWN: scrollTo(position + page()); break;
    case SB_THUMBPOSITION: scrollTo(thumb); break;
    default: return {};  // the view follows the thumb only when it is released
    }
    if (position == before) return {};
    if (code == SB_PAGEUP) {
        caret = bottomRowCell(column());
    } else if (code == SB_PAGEDOWN) {
        caret = column();
    } else {  // keep the caret on its byte, or at the window's edge row when the byte left it
        const int moved = caret - (position - before) * cellsPerRow();
        caret = moved < 0 ? column() : moved >= visibleRows * cellsPerRow() ? bottomRowCell(column()) : moved;
    }
    caret = clampToData(caret);
    return BinEditOutcome{false, BinEditRedraw::kWindow};
}

std::string CBinEditModel::rowText(const BYTE* bytes, int row) const {
    static const char kDigits[] = "0123456789abcdef";
    std::string text;
    const DWORD first = static_cast<DWORD>(position + row) * bytesPerRow;
    for (DWORD i = first; i < size && i < first + static_cast<DWORD>(bytesPerRow); ++i) {
        text += kDigits[bytes[i] >> 4];
        text += kDigits[bytes[i] & 0x0F];
        text += ' ';
    }
    return text;
}
