// The registry editor on a scratch key: what its list shows, how Find walks the keys, and when
// Delete is offered and what it asks. The window is shown but its loop is not run: commands are
// sent as the menu and the accelerators send them.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "MessageBoxAnswers.h"
#include "ScratchKey.h"
#include "editors/RegistryDataText.h"
#include "editors/RegistryEditorWnd.h"
#include "resources/resource.h"

namespace {

class RegistryEditorTest : public ScratchKeyTest {
protected:
    void setValue(const char* key, const char* name, DWORD type, const void* data, DWORD size) {
        HKEY handle = nullptr;
        ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(scratch(), key, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &handle, nullptr));
        RegSetValueExA(handle, name, 0, type, static_cast<const BYTE*>(data), size);
        RegCloseKey(handle);
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
};

TEST(RegistryDataText, BytesAreCutAfterTwentyAndDoubleWordsShowBothBases) {
    const BYTE bytes[21] = {0x00, 0x0a, 0xff, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 0x13, 0xAB};
    EXPECT_EQ("(zero-length binary data)", BytesDataText(bytes, 0));
    EXPECT_EQ("00", BytesDataText(bytes, 1));
    EXPECT_EQ("00 0a ff 03 04 05 06 07 08 09 0a 0b 0c 0d 0e 0f 10 11 12 13", BytesDataText(bytes, 20));
    EXPECT_EQ("00 0a ff 03 04 05 06 07 08 09 0a 0b 0c 0d 0e 0f 10 11 12 13 ...", BytesDataText(bytes, 21));
    EXPECT_EQ("0xffffffff (4294967295)", DwordDataText(0xFFFFFFFF));
    EXPECT_EQ("0x0000002a (42)", DwordDataText(42));
}

TEST_F(RegistryEditorTest, TheListShowsEveryTypeWithItsImageAndText) {
    const DWORD all = 0xFFFFFFFF;
    const BYTE bytes[30] = {1, 2, 3};
    setValue("", "dword", REG_DWORD, &all, sizeof all);
    setValue("", "empty", REG_BINARY, bytes, 0);
    setValue("", "long", REG_BINARY, bytes, sizeof bytes);
    setValue("", "expand", REG_EXPAND_SZ, "%a%", 4);
    setValue("", "unterminated", REG_SZ, "abc", 3);  // no zero byte stored
    setValue("", "multi", REG_MULTI_SZ, "a\0b\0", 5);
    const unsigned long long quad = 1;
    setValue("", "quad", REG_QWORD, &quad, sizeof quad);
    open();
    ASSERT_EQ(7, list().RowCount());
    const struct {
        const char* name;
        const char* text;
        int image;
    } expected[] = {
        {"dword", "0xffffffff (4294967295)", CRegistryEditorWnd::kOtherValue},
        {"empty", "(zero-length binary data)", CRegistryEditorWnd::kOtherValue},
        {"long", "01 02 03 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 ...", CRegistryEditorWnd::kOtherValue},
        {"expand", "25 61 25 00", CRegistryEditorWnd::kOtherValue},
        {"unterminated", "abc", CRegistryEditorWnd::kStringValue},
        {"multi", "61 00 62 00 00", CRegistryEditorWnd::kOtherValue},
        {"quad", "01 00 00 00 00 00 00 00", CRegistryEditorWnd::kOtherValue},
    };
    for (const auto& value : expected) {
        const int row = rowOf(value.name);
        ASSERT_GE(row, 0) << value.name;
        EXPECT_EQ(value.text, list().Text(row, 1)) << value.name;
        EXPECT_EQ(value.image, imageOf(row)) << value.name;
    }
}

TEST_F(RegistryEditorTest, FindWalksValueNamesOnlyFromTheFocusedRowIntoSubkeysAndOnToSiblings) {
    setString("", "alpha", "target in the data only");
    setString("A", "Target one", "");
    setString("A", "zother", "");
    setString("A\\A1", "THE TARGET TWO", "");
    setString("B", "xtargetx", "");
    setString("C", "plain", "target");
    createKey("C\\target");
    open();
    EXPECT_EQ("Scratch", selectedKey());

    MessageBoxAnswers boxes({IDOK});
    editor->SetFindText("tArGeT");
    command(ID_REGEDIT_FIND_NEXT);
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

    editor->SetFindText("");
    command(ID_REGEDIT_FIND_NEXT);  // disabled: nothing is searched, nothing said
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

}  // namespace
