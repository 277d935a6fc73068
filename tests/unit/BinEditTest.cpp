// The hex edit control: its arithmetic driven directly, then its messages on a real window.
#include <gtest/gtest.h>

#include <vector>

#include "controls/BinEdit.h"
#include "controls/BinEditModel.h"

namespace {

class VectorBuffer : public CBinEditBuffer {
public:
    std::vector<BYTE> storage;
    BYTE* bytes() override { return storage.data(); }
    bool reallocate(DWORD capacity) override {
        storage.resize(capacity);
        return true;
    }
};

// A view of 4 bytes per row (12 cells) and 3 rows, holding bytes 0, 1, 2...
struct Editor {
    CBinEditModel model;
    VectorBuffer buffer;

    explicit Editor(DWORD size) {
        model.bytesPerRow = 4;
        model.visibleRows = 3;
        model.size = size;
        model.capacity = CBinEditModel::capacityFor(size);
        buffer.storage.resize(model.capacity);
        for (DWORD i = 0; i < size; ++i) buffer.storage[i] = static_cast<BYTE>(i);
    }
    bool press(UINT key, bool control = false) { return model.key(key, control, buffer).beep; }
    void type(const char* keys) {
        for (; *keys; ++keys) EXPECT_FALSE(press(static_cast<UINT>(*keys))) << *keys;
    }
};

}  // namespace

TEST(BinEditModel, TypingFillsNibblesAppendsAndGrowsInStepsOf256) {
    Editor editor(0);
    EXPECT_EQ(256u, editor.model.capacity);
    editor.type("41");
    EXPECT_EQ(1u, editor.model.size);
    EXPECT_EQ(0x41, editor.buffer.storage[0]);
    EXPECT_EQ("41 ", editor.model.rowText(editor.buffer.bytes(), 0));
    EXPECT_EQ(2, editor.model.caret) << "on the blank: the append position";

    editor.type("A");  // from the blank into a new byte; letters in either case are one key
    EXPECT_EQ(2u, editor.model.size);
    EXPECT_EQ(0xA0, editor.buffer.storage[1]);
    editor.type("0");
    for (int i = 2; i < 256; ++i) editor.type("E7");
    EXPECT_EQ(256u, editor.model.size);
    EXPECT_EQ(256u, editor.model.capacity) << "256 bytes fit the first buffer";
    editor.type("5");
    EXPECT_EQ(257u, editor.model.size);
    EXPECT_EQ(512u, editor.model.capacity);
    EXPECT_EQ(0x50, editor.buffer.storage[256]);
    // The view followed the typing: the caret is on the new byte's low digit, in the window.
    EXPECT_LT(editor.model.caret, 36);
    EXPECT_EQ(256u, editor.model.byteAt(editor.model.caret));
    EXPECT_EQ(editor.model.lastPosition(), editor.model.position);
}

TEST(BinEditModel, DeleteShrinksTheBufferAndKeepsTheCaretOnData) {
    Editor only(1);
    EXPECT_FALSE(only.press(VK_DELETE));
    EXPECT_EQ(0u, only.model.size);
    EXPECT_EQ(0, only.model.caret);
    EXPECT_TRUE(only.press(VK_DELETE)) << "nothing left to delete";

    Editor grown(257);
    EXPECT_EQ(512u, grown.model.capacity);
    grown.press(VK_DELETE);
    EXPECT_EQ(256u, grown.model.capacity);
    EXPECT_EQ(1, grown.buffer.storage[0]) << "the bytes behind moved down";

    // 13 bytes: the last row holds one byte. Deleting it at the end of the data brings the view
    // back to the top, where everything fits, with the caret after the new last byte.
    Editor overflowing(13);
    overflowing.press(VK_END, true);
    ASSERT_EQ(1, overflowing.model.position);
    overflowing.press(VK_DELETE);
    EXPECT_EQ(12u, overflowing.model.size);
    EXPECT_EQ(0, overflowing.model.position);
    EXPECT_EQ(35, overflowing.model.caret);
}

TEST(BinEditModel, EndAndHomeWithAndWithoutControl) {
    Editor editor(40);  // ten rows, three in view
    EXPECT_FALSE(editor.press(VK_END));
    EXPECT_EQ(35, editor.model.caret) << "the last visible cell";
    EXPECT_EQ(0, editor.model.position);
    EXPECT_TRUE(editor.press(VK_END));
    EXPECT_FALSE(editor.press(VK_END, true));
    EXPECT_EQ(7, editor.model.position) << "scrolled to the end of the data";
    EXPECT_EQ(35, editor.model.caret);
    EXPECT_TRUE(editor.press(VK_END, true));
    EXPECT_FALSE(editor.press(VK_HOME, true));
    EXPECT_EQ(0, editor.model.position);
    EXPECT_EQ(0, editor.model.caret);
    EXPECT_TRUE(editor.press(VK_HOME));

    Editor fitting(5);
    EXPECT_FALSE(fitting.press(VK_END, true));
    EXPECT_EQ(14, fitting.model.caret) << "the append position, without scrolling";
    EXPECT_EQ(0, fitting.model.position);
}

TEST(BinEditModel, MovesAtTheEdgesOfTheWindowScrollOrBeep) {
    Editor editor(40);
    EXPECT_TRUE(editor.press(VK_LEFT));
    EXPECT_TRUE(editor.press(VK_UP));
    EXPECT_TRUE(editor.press(VK_PRIOR));
    editor.press(VK_DOWN);
    editor.press(VK_DOWN);
    EXPECT_FALSE(editor.press(VK_DOWN));
    EXPECT_EQ(1, editor.model.position);
    EXPECT_EQ(24, editor.model.caret) << "kept its cell in the bottom row";
    EXPECT_FALSE(editor.press(VK_NEXT));
    EXPECT_EQ(3, editor.model.position);
    EXPECT_FALSE(editor.press(VK_PRIOR));
    EXPECT_EQ(0, editor.model.caret) << "to the top row first";
    EXPECT_FALSE(editor.press(VK_LEFT));
    EXPECT_EQ(2, editor.model.position);
    EXPECT_EQ(11, editor.model.caret);

    // The scroll bar: a line keeps the caret on its byte, a page puts it on the far edge row.
    EXPECT_FALSE(editor.model.scroll(SB_LINEDOWN, 0).beep);
    EXPECT_EQ(3, editor.model.position);
    EXPECT_EQ(11, editor.model.caret) << "its byte left the window: the top row";
    editor.model.scroll(SB_PAGEUP, 0);
    EXPECT_EQ(1, editor.model.position);
    EXPECT_EQ(35, editor.model.caret);
    EXPECT_EQ(BinEditRedraw::kNone, editor.model.scroll(SB_THUMBTRACK, 5).redraw);

    Editor empty(0);
    EXPECT_TRUE(empty.press(VK_RIGHT));
    for (int key : {VK_SHIFT, VK_CONTROL, VK_BACK, VK_NUMPAD4, int{'G'}})
        EXPECT_TRUE(empty.press(static_cast<UINT>(key))) << key;
    EXPECT_EQ(0u, empty.model.size);
}

TEST(BinEditModel, AClickBeyondTheDataLandsInItsLastRow) {
    Editor editor(6);  // the last cell is in row 1, column 5
    const SIZE cell{8, 16}, client{96, 48};
    editor.model.place(POINT{2 * 8, 40}, cell, client);
    EXPECT_EQ(14, editor.model.caret) << "same column, last row";
    editor.model.place(POINT{10 * 8, 40}, cell, client);
    EXPECT_EQ(17, editor.model.caret) << "right of the data: the append position";
    editor.model.place(POINT{500, -7}, cell, client);
    EXPECT_EQ(11, editor.model.caret) << "clamped into the client area";
}

TEST(BinEditControl, SetGetAndTypeThroughItsMessages) {
    ASSERT_TRUE(RegisterBinEditClass());
    HWND control = CreateWindowExA(0, kBinEditClass, "", WS_POPUP | WS_VSCROLL, 0, 0, 200, 100, nullptr, nullptr,
                                   GetModuleHandleA(nullptr), nullptr);
    ASSERT_TRUE(control);
    EXPECT_EQ(1, SendMessageA(control, BEM_SETDATA, 0, 0));
    EXPECT_EQ(0, SendMessageA(control, BEM_GETSIZE, 0, 0));
    HLOCAL buffer = reinterpret_cast<HLOCAL>(SendMessageA(control, BEM_GETDATA, 0, 0));
    ASSERT_TRUE(buffer);
    EXPECT_EQ(256u, LocalSize(buffer));

    SendMessageA(control, WM_KEYDOWN, '4', 0);
    SendMessageA(control, WM_KEYDOWN, '1', 0);
    ASSERT_EQ(1, SendMessageA(control, BEM_GETSIZE, 0, 0));
    buffer = reinterpret_cast<HLOCAL>(SendMessageA(control, BEM_GETDATA, 0, 0));
    EXPECT_EQ(0x41, *static_cast<BYTE*>(LocalLock(buffer)));
    LocalUnlock(buffer);

    const std::vector<BYTE> many(600, 0xAB);
    EXPECT_EQ(1, SendMessageA(control, BEM_SETDATA, many.size(), reinterpret_cast<LPARAM>(many.data())));
    EXPECT_EQ(600, SendMessageA(control, BEM_GETSIZE, 0, 0));
    EXPECT_EQ(768u, LocalSize(reinterpret_cast<HLOCAL>(SendMessageA(control, BEM_GETDATA, 0, 0))));
    SCROLLINFO info{sizeof info, SIF_ALL, 0, 0, 0, 0, 0};
    ASSERT_TRUE(GetScrollInfo(control, SB_VERT, &info));
    EXPECT_GT(info.nMax, static_cast<int>(info.nPage)) << "more data than fits: the bar scrolls";
    DestroyWindow(control);
}
