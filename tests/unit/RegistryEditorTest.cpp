// The registry editor on a scratch key: what its list shows, how Find walks the keys, when Delete
// is offered and what it asks, what a refresh keeps, how failed writes and deep keys are handled,
// and how the window paints and places itself (with it, where the text editor and the value
// dialogs first open). The window is shown but its loop is not run: commands are sent as the menu
// and the accelerators send them.
#include <gtest/gtest.h>
#include <windows.h>
#include <dlgs.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "MessageBoxAnswers.h"
#include "ScratchDirectory.h"
#include "ScratchKey.h"
#include "editors/RegistryEditorWnd.h"
#include "editors/TextEditorWnd.h"
#include "editors/ValueDialogs.h"
#include "framework/Handles.h"
#include "resources/resource.h"

namespace {

class RegistryEditorTest : public ScratchKeyTest {
protected:
    void setValue(const char* key, const char* name, DWORD type, const void* data, DWORD size) {
        ASSERT_EQ(ERROR_SUCCESS, RegSetKeyValueA(scratch(), key, name, type, data, size)) << key << "\\" << name;
    }
    void setString(const char* key, const char* name, const char* text) {
        setValue(key, name, REG_SZ, text, static_cast<DWORD>(strlen(text) + 1));
    }

    // The editor on the scratch key (and on further subkeys of it as more top-level items).
    void open(const std::vector<std::string>& extraRoots = {}) {
        editor = std::make_unique<CRegistryEditorWnd>(nullptr);
        editor->AddRootEntry("Scratch", HKEY_CURRENT_USER, path());
        for (const std::string& root : extraRoots) editor->AddRootEntry(root, HKEY_CURRENT_USER, path() + "\\" + root);
        ASSERT_TRUE(editor->Open());
        ShowWindow(editor->hwnd(), SW_SHOW);
        SetForegroundWindow(editor->hwnd());
    }
    void command(UINT id) { SendMessageA(editor->hwnd(), WM_COMMAND, id, 0); }
    // A command that opens the dialog with that title: while it is open, edit(dialog) runs on a
    // helper thread, then OK is clicked.
    void commandThroughDialog(UINT id, const char* title, const std::function<void(HWND)>& edit = nullptr) {
        std::thread helper([&] {
            HWND dialog = drive::WaitForTopLevel(GetCurrentProcessId(), "#32770", title, 5000);
            if (!dialog) return;
            if (edit) edit(dialog);
            drive::Click(dialog, IDOK);
        });
        command(id);
        helper.join();
    }
    HTREEITEM child(HTREEITEM parent, const char* text) const {
        for (HTREEITEM item = tree().FirstChild(parent); item; item = tree().NextSibling(item))
            if (tree().Text(item) == text) return item;
        return nullptr;
    }
    void focusRow(const char* name) {
        const int row = rowOf(name);
        ASSERT_GE(row, 0) << name;
        selectRows({row});
    }
    // Whether the item's row lies wholly inside the tree's or the list's client area.
    bool shown(HTREEITEM item) const {
        RECT rect{};
        std::memcpy(&rect, &item, sizeof item);  // the item goes in, its rectangle comes back
        return SendMessageA(tree().hwnd(), TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&rect)) &&
               inside(tree().hwnd(), rect);
    }
    bool shown(int row) const {
        RECT rect{};
        rect.left = LVIR_BOUNDS;
        return SendMessageA(list().hwnd(), LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&rect)) &&
               inside(list().hwnd(), rect);
    }
    // Works through the messages and paints that are due.
    static void pump() {
        for (const DWORD end = GetTickCount() + 300; GetTickCount() < end; Sleep(10)) {
            MSG message;
            while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
                TranslateMessage(&message);
                DispatchMessageA(&message);
            }
        }
    }
    // The window's pixels as the screen shows them, as a bitmap file's bytes.
    std::string onScreen(HWND window) const {
        const std::string file = files / "list.bmp";
        EXPECT_TRUE(drive::SaveScreenshot(window, file));
        return ReadTextFile(file);
    }
    // Where the splitter bar starts: the tree ends there.
    int barLeft() const {
        RECT pane{};
        GetWindowRect(tree().hwnd(), &pane);
        MapWindowPoints(nullptr, editor->hwnd(), reinterpret_cast<POINT*>(&pane), 2);
        return pane.right;
    }
    // Find as the user asks for it: the text typed into the Find dialog, then Find Next.
    void find(const char* text) {
        command(ID_REGEDIT_FIND);
        HWND dialog = drive::WaitForTopLevel(GetCurrentProcessId(), "#32770", "Find", 5000);
        ASSERT_NE(nullptr, dialog);
        SetDlgItemTextA(dialog, edt1, text);
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
    }
    // Drags the splitter bar from x to x + distance, as the mouse would, in the editor's client area.
    void dragBar(int x, int distance, int y) {
        const HWND window = editor->hwnd();
        SendMessageA(window, WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
        SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        SendMessageA(window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x + distance, y));
        SendMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(x + distance, y));
    }
    static bool inside(HWND window, const RECT& rect) {
        RECT client{};
        GetClientRect(window, &client);
        return rect.top >= client.top && rect.bottom <= client.bottom;
    }

    const fw::CTreeCtrl& tree() const { return editor->tree(); }
    const fw::CListCtrl& list() const { return editor->list(); }
    std::string selectedKey() const { return tree().Text(tree().Selection()); }
    int rowOf(const char* name) const {
        for (int row = 0; row < list().RowCount(); ++row)
            if (list().Text(row, 0) == name) return row;
        return -1;
    }
    int imageOf(int row) const {
        LVITEMA item{};
        item.mask = LVIF_IMAGE;
        item.iItem = row;
        SendMessageA(list().hwnd(), LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
        return item.iImage;
    }
    void selectRows(std::initializer_list<int> rows) {
        SetFocus(list().hwnd());
        list().SetState(-1, 0, LVIS_SELECTED | LVIS_FOCUSED);
        for (int row : rows) list().SetState(row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    }
    // The focused row's name and whether it is the only selected row.
    std::string foundRow() const {
        const int row = list().FocusedRow();
        if (row < 0 || list().SelectedCount() != 1 || list().NextRow(-1, LVNI_SELECTED) != row) return "(none)";
        return list().Text(row, 0);
    }

    std::unique_ptr<CRegistryEditorWnd> editor;
    ScratchDirectory files;
};

TEST_F(RegistryEditorTest, TheListShowsEveryTypeWithItsImageAndTextAndOkKeepsTheType) {
    const DWORD all = 0xFFFFFFFF;
    const BYTE bytes[21] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 0xFF, 0xAB};
    setValue("", "dword", REG_DWORD, &all, sizeof all);
    setValue("", "empty", REG_BINARY, bytes, 0);
    setValue("", "twenty", REG_BINARY, bytes, 20);  // the most shown whole
    setValue("", "long", REG_BINARY, bytes, sizeof bytes);
    setValue("", "expand", REG_EXPAND_SZ, "%a%", 4);
    setValue("", "unterminated", REG_SZ, "abc", 3);  // no zero byte stored
    setValue("", "multi", REG_MULTI_SZ, "a\0b\0", 5);
    const unsigned long long quad = 1;
    setValue("", "quad", REG_QWORD, &quad, sizeof quad);
    setValue("", "none", REG_NONE, "x", 1);
    open();
    ASSERT_EQ(9, list().RowCount());
    const struct {
        const char* name;
        const char* text;
        int image;
    } expected[] = {
        {"dword", "0xffffffff (4294967295)", CRegistryEditorWnd::kOtherValue},
        {"empty", "(zero-length binary data)", CRegistryEditorWnd::kOtherValue},
        {"twenty", "01 02 03 04 05 06 07 08 09 0a 0b 0c 0d 0e 0f 10 11 12 13 ff", CRegistryEditorWnd::kOtherValue},
        {"long", "01 02 03 04 05 06 07 08 09 0a 0b 0c 0d 0e 0f 10 11 12 13 ff ...", CRegistryEditorWnd::kOtherValue},
        {"expand", "25 61 25 00", CRegistryEditorWnd::kOtherValue},
        {"unterminated", "abc", CRegistryEditorWnd::kStringValue},
        {"multi", "61 00 62 00 00", CRegistryEditorWnd::kOtherValue},
        {"quad", "01 00 00 00 00 00 00 00", CRegistryEditorWnd::kOtherValue},
        {"none", "78", CRegistryEditorWnd::kOtherValue},
    };
    for (const auto& value : expected) {
        const int row = rowOf(value.name);
        ASSERT_GE(row, 0) << value.name;
        EXPECT_EQ(value.text, list().Text(row, 1)) << value.name;
        EXPECT_EQ(value.image, imageOf(row)) << value.name;
    }
    // The types edited as bytes keep their type when OK is pressed with nothing changed.
    for (const char* name : {"multi", "expand", "quad", "none"}) {
        DWORD before = 0, after = 0;
        RegQueryValueExA(scratch(), name, nullptr, &before, nullptr, nullptr);
        focusRow(name);
        commandThroughDialog(ID_REGEDIT_MODIFY, "Edit Binary");
        RegQueryValueExA(scratch(), name, nullptr, &after, nullptr, nullptr);
        EXPECT_EQ(before, after) << name;
    }
}

// Find walks value names only, from the focused row into subkeys and on to siblings, and brings
// the key and the row it finds into view. With its options hidden, the Find dialog shrinks to its
// controls: no empty band below them.
TEST_F(RegistryEditorTest, FindWalksValueNamesFromTheFocusedRowAndShowsWhatItFinds) {
    setString("", "alpha", "target in the data only");
    setString("A", "Target one", "");
    setString("A", "zother", "");
    setString("A\\A1", "THE TARGET TWO", "");
    setString("B", "xtargetx", "");
    setString("C", "plain", "target");
    createKey("C\\target");
    for (int i = 0; i < 60; ++i) createKey(("K" + std::to_string(100 + i)).c_str());
    for (int i = 0; i < 80; ++i) setString("K159", ("V" + std::to_string(100 + i)).c_str(), "");
    setString("K159", "Wanted", "");  // listed last
    open();
    EXPECT_EQ("Scratch", selectedKey());
    command(ID_REGEDIT_FIND);
    HWND dialog = drive::WaitForTopLevel(GetCurrentProcessId(), "#32770", "Find", 5000);
    ASSERT_NE(nullptr, dialog);
    RECT label{}, client{};
    GetWindowRect(GetWindow(dialog, GW_CHILD), &label);
    MapWindowPoints(HWND_DESKTOP, dialog, reinterpret_cast<POINT*>(&label), 2);
    GetClientRect(dialog, &client);
    int lowest = 0;
    for (HWND item = GetWindow(dialog, GW_CHILD); item; item = GetWindow(item, GW_HWNDNEXT)) {
        if (!IsWindowVisible(item)) continue;
        RECT rect{};
        GetWindowRect(item, &rect);
        MapWindowPoints(HWND_DESKTOP, dialog, reinterpret_cast<POINT*>(&rect), 2);
        lowest = std::max(lowest, static_cast<int>(rect.bottom));
    }
    EXPECT_LE(client.bottom - lowest, label.top + 1);

    MessageBoxAnswers boxes({IDOK});
    command(ID_REGEDIT_FIND_NEXT);  // nothing to find yet: disabled, nothing searched, nothing said
    EXPECT_EQ("Scratch", selectedKey());
    find("tArGeT");
    EXPECT_EQ("A", selectedKey());
    EXPECT_EQ("Target one", foundRow());
    command(ID_REGEDIT_FIND_NEXT);  // past the focused row, then into the subkeys
    EXPECT_EQ("A1", selectedKey());
    EXPECT_EQ("THE TARGET TWO", foundRow());
    command(ID_REGEDIT_FIND_NEXT);  // no sibling: on with the parent's next sibling
    EXPECT_EQ("B", selectedKey());
    EXPECT_EQ("xtargetx", foundRow());
    command(ID_REGEDIT_FIND_NEXT);  // data and key names do not count
    EXPECT_EQ("B", selectedKey());
    EXPECT_EQ(-1, list().NextRow(-1, LVNI_SELECTED));
    find("wanted");
    ASSERT_EQ("Wanted", foundRow());
    EXPECT_TRUE(shown(tree().Selection()));
    EXPECT_TRUE(shown(list().FocusedRow()));
    EXPECT_EQ(std::vector<std::string>{"No matches found"}, boxes.Finish());
}

TEST_F(RegistryEditorTest, DeleteIsOfferedAsTheFocusAllowsAndAsksBeforeRemoving) {
    setString("", "one", "1");
    setString("", "two", "2");
    setString("", "three", "3");
    createKey("Second");
    open({"Second"});
    // A box that a disabled command showed would take an answer meant for a later one.
    MessageBoxAnswers boxes({IDNO, IDNO, IDYES, IDYES});
    SetFocus(tree().hwnd());
    command(ID_REGEDIT_DELETE);  // the first top-level key: disabled
    tree().Select(tree().NextSibling(tree().Root()));
    SetFocus(tree().hwnd());
    command(ID_REGEDIT_DELETE);  // No
    EXPECT_TRUE(keyExists("Second"));

    tree().Select(tree().Root());
    selectRows({rowOf("one"), rowOf("two")});
    command(ID_REGEDIT_DELETE);  // No: nothing changes
    EXPECT_EQ(3, list().RowCount());
    command(ID_REGEDIT_DELETE);
    selectRows({rowOf("three")});
    command(ID_REGEDIT_DELETE);
    SetFocus(list().hwnd());
    command(ID_REGEDIT_DELETE);  // no row selected: disabled

    const std::vector<std::string> asked = boxes.Finish();
    ASSERT_EQ(4u, asked.size());
    EXPECT_NE(std::string::npos, asked[0].find("The selected key, including all entries and subkeys"));
    EXPECT_NE(std::string::npos, asked[1].find("The selected entries will be permanently removed"));
    EXPECT_EQ(asked[1], asked[2]);
    EXPECT_NE(std::string::npos, asked[3].find("The selected entry will be permanently removed"));
    EXPECT_EQ(0, list().RowCount());
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, RegQueryValueExA(scratch(), "three", nullptr, nullptr, nullptr, nullptr));
    EXPECT_TRUE(keyExists("Second"));
}

// What the list shows after the bar moved is what it paints afresh.
TEST_F(RegistryEditorTest, DraggingTheSplitterLeavesTheListPainted) {
    for (int i = 0; i < 12; ++i) setString("", ("Value" + std::to_string(i)).c_str(), "data");
    open();
    pump();
    for (int distance : {-60, 120}) {
        dragBar(barLeft() + 1, distance, 40);
        pump();
        const std::string shown = onScreen(list().hwnd());
        RedrawWindow(list().hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
        pump();
        EXPECT_TRUE(shown == onScreen(list().hwnd())) << distance;
    }
}

// With no stored place, each editor window and each value dialog opens centred over its owner.
TEST_F(RegistryEditorTest, TheEditorsAndTheirDialogsFirstOpenCentredOverTheirOwner) {
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Halvard\\Zelkor\\Registry Editor");
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Halvard\\Zelkor\\Text Editor");
    RECT area{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    const POINT centre{(area.left + area.right) / 2 + 16, (area.top + area.bottom) / 2 + 8};
    fw::UniqueWindow owner(CreateWindowExA(0, "STATIC", "owner", WS_POPUP | WS_VISIBLE, centre.x - 150,
                                           centre.y - 100, 300, 200, nullptr, nullptr, nullptr, nullptr));
    CRegistryEditorWnd registryEditor(owner.get());
    registryEditor.AddRootEntry("Scratch", HKEY_CURRENT_USER, path());
    ASSERT_TRUE(registryEditor.Open());
    const std::string notes = files / "notes.txt";
    ASSERT_TRUE(WriteTextFile(notes, "text"));
    CTextEditorWnd textEditor(owner.get(), "Notes", notes, false);
    ASSERT_TRUE(textEditor.Open());
    CEditStringDlg string(owner.get(), "Name", "value");
    CNewKeyDlg key(HKEY_CURRENT_USER);
    ASSERT_TRUE(string.Create(owner.get()) && key.Create(owner.get()));
    for (HWND window : {registryEditor.hwnd(), textEditor.hwnd(), string.hwnd(), key.hwnd()}) {
        RECT frame{};
        GetWindowRect(window, &frame);
        EXPECT_NEAR(centre.x, (frame.left + frame.right) / 2, 1);
        EXPECT_NEAR(centre.y, (frame.top + frame.bottom) / 2, 1);
    }
    string.Destroy();
    key.Destroy();
    registryEditor.DestroyWindow();
}

TEST_F(RegistryEditorTest, RefreshKeepsTheSelectedKeyAndTheBranchesThatStillExist) {
    createKey("A\\A1\\A2");
    createKey("B\\B1");
    createKey("C\\C1");
    open();
    HTREEITEM top = tree().Root();
    tree().Expand(child(top, "B"), TVE_EXPAND);
    tree().Expand(child(top, "C"), TVE_EXPAND);
    tree().Select(child(child(child(top, "A"), "A1"), "A2"));
    RegDeleteTreeA(scratch(), "A\\A1\\A2");  // behind the editor's back
    RegDeleteTreeA(scratch(), "C");
    setString("A\\A1", "seen", "after the refresh");
    command(ID_REGEDIT_REFRESH);
    EXPECT_EQ("A1", selectedKey());  // the nearest key above the one that went
    EXPECT_EQ(0, rowOf("seen"));
    top = tree().Root();
    const HTREEITEM a1 = child(child(top, "A"), "A1");
    ASSERT_NE(nullptr, a1);
    EXPECT_EQ(nullptr, tree().FirstChild(a1));
    EXPECT_TRUE(tree().IsExpanded(child(top, "B")));
    EXPECT_EQ(nullptr, child(top, "C"));
}

// Every key opened below its parent: a path from the root longer than 259 characters is fine.
TEST_F(RegistryEditorTest, DeepKeysShowTheirValuesAndTakeNewOnes) {
    HKEY level = scratch();
    for (int depth = 0; depth < 40; ++depth) {
        HKEY next = nullptr;
        ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(level, ("Level" + std::to_string(100 + depth)).c_str(), 0, nullptr, 0,
                                                 KEY_ALL_ACCESS, nullptr, &next, nullptr));
        if (level != scratch()) RegCloseKey(level);
        level = next;
    }
    RegSetValueExA(level, "Bottom", 0, REG_SZ, reinterpret_cast<const BYTE*>("reached"), 8);
    open();
    HTREEITEM item = tree().Root();
    while (tree().FirstChild(item)) item = tree().FirstChild(item);
    tree().Select(item);
    ASSERT_EQ("Level139", selectedKey());
    EXPECT_EQ(0, rowOf("Bottom"));
    MessageBoxAnswers boxes({});
    commandThroughDialog(ID_REGEDIT_NEW_STRING, "Edit String",
                         [](HWND dialog) { drive::SetText(GetDlgItem(dialog, IDC_STRING_NAME), "Added"); });
    EXPECT_TRUE(boxes.Finish().empty());
    EXPECT_EQ(ERROR_SUCCESS, RegQueryValueExA(level, "Added", nullptr, nullptr, nullptr, nullptr));
    RegCloseKey(level);
}

// A key deleted behind the editor's back: the message says so and offers a refresh, the list
// shows the registry as it is, and access rights are not blamed.
TEST_F(RegistryEditorTest, AKeyGoneBehindTheEditorsBackIsToldAndTheListFollowsTheRegistry) {
    setString("Gone", "Name", "old");
    setString("Later", "Name", "old");
    open();
    tree().Select(child(tree().Root(), "Gone"));
    focusRow("Name");
    MessageBoxAnswers boxes({IDNO, IDYES});
    commandThroughDialog(ID_REGEDIT_MODIFY, "Edit String", [&](HWND dialog) {
        drive::SetText(GetDlgItem(dialog, IDC_STRING_VALUE), "new");
        RegDeleteTreeA(scratch(), "Gone");
    });
    EXPECT_EQ(0, list().RowCount());  // answered No: the key's values as they are, none

    tree().Select(child(tree().Root(), "Later"));
    RegDeleteTreeA(scratch(), "Later");
    focusRow("Name");
    command(ID_REGEDIT_DELETE);  // Yes: refreshed
    EXPECT_EQ("Scratch", selectedKey());
    EXPECT_EQ(nullptr, child(tree().Root(), "Later"));

    const std::vector<std::string> told = boxes.Finish();
    ASSERT_EQ(2u, told.size());
    for (const std::string& text : told) EXPECT_NE(std::string::npos, text.find("no longer exists")) << text;
    // Owned by the editor: closing a box enables the editor, not the owner it keeps disabled.
    for (HWND owner : boxes.Owners()) EXPECT_EQ(editor->hwnd(), owner);
}

}  // namespace
