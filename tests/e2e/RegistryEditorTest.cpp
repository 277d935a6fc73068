// The registry editor end to end: the Ravelin sample's button opens it through ZKRegEdit on the
// user's Ravelin key; the user creates a key and three values, changes each, finds them by
// name, deletes a value and a key, and closes. The registry then holds exactly that, and the
// editor reopens where it was closed, with the same split and column widths; Undo changes then
// takes everything back, and the session's log lists the changes and the undo.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <cstring>
#include <string>
#include <vector>

#include "Session.h"
#include "editors/EditorSettingsIds.h"
#include "resources/resource.h"

namespace {

const char kRavelin[] = "Software\\Halvard\\Ravelin";
const char kSupport[] = "Software\\Halvard\\Ravelin\\Support";
const char kEditorSettings[] = "Software\\Halvard\\Zelkor\\Registry Editor";
const int kLookAtSettings = 1004;  // the sample page's own button

// The key as the system's `reg export` writes it, by which "as it was before" is judged.
std::string Exported(const char* key) {
    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    const std::string file = std::string(folder) + "zelkor-e2e-export.reg";
    drive::Process reg;
    DWORD code = 1;
    if (!reg.Start("reg.exe export \"HKEY_CURRENT_USER\\" + std::string(key) + "\" \"" + file + "\" /y", folder) ||
        !reg.WaitForExit(20000, code) || code != 0)
        ADD_FAILURE() << "reg export " << key << " did not run";
    const std::string text = e2e::ReadWholeFile(file.c_str());
    DeleteFileA(file.c_str());
    return text;
}

std::vector<BYTE> Value(const char* key, const char* name, DWORD& type) {
    std::vector<BYTE> data(64);
    DWORD size = static_cast<DWORD>(data.size());
    type = REG_NONE;
    if (RegGetValueA(HKEY_CURRENT_USER, key, name, RRF_RT_ANY | RRF_NOEXPAND, &type, data.data(), &size) !=
        ERROR_SUCCESS)
        return {};
    data.resize(size);
    return data;
}
std::string StringValue(const char* key, const char* name) {
    DWORD type;
    const std::vector<BYTE> data = Value(key, name, type);
    return type == REG_SZ && !data.empty() ? std::string(reinterpret_cast<const char*>(data.data())) : "(none)";
}
DWORD DwordValue(const char* key, const char* name) {
    DWORD type;
    const std::vector<BYTE> data = Value(key, name, type);
    return type == REG_DWORD && data.size() == 4 ? *reinterpret_cast<const DWORD*>(data.data()) : 0xDEADBEEF;
}
bool KeyExists(const char* key) {
    HKEY handle = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, key, 0, KEY_READ, &handle) != ERROR_SUCCESS) return false;
    RegCloseKey(handle);
    return true;
}

class RegistryEditorEndToEnd : public ::testing::Test {
protected:
    void SetUp() override {
        RegDeleteTreeA(HKEY_CURRENT_USER, kRavelin);
        RegDeleteTreeA(HKEY_CURRENT_USER, kEditorSettings);
        e2e::SetDword(std::string(kRavelin) + "\\Settings", "Resolution", 1);
    }
    void TearDown() override { RegDeleteTreeA(HKEY_CURRENT_USER, kRavelin); }

    // From the Welcome page to the editor, through the Ravelin page's button.
    HWND openEditor() {
        HWND wizard = session.wizard() ? session.wizard() : session.StartWizard(IDC_WELCOME_TYPICAL);
        if (!wizard) return nullptr;
        if (!drive::VisibleChildDialog(wizard) || !GetDlgItem(drive::VisibleChildDialog(wizard), kLookAtSettings))
            drive::Click(wizard, IDC_WIZARD_NEXT);
        HWND page = drive::WaitFor(
            [&]() -> HWND {
                HWND shown = drive::VisibleChildDialog(wizard);
                return shown && GetDlgItem(shown, kLookAtSettings) ? shown : nullptr;
            },
            10000);
        EXPECT_NE(nullptr, page) << "no Ravelin page";
        if (!page) return nullptr;
        drive::Click(page, kLookAtSettings);
        editor = drive::WaitForTopLevel(session.pid(), "ZKFRAME", "Registry Editor", 10000);
        EXPECT_NE(nullptr, editor) << "no registry editor";
        return editor;
    }
    void command(UINT id) { PostMessageA(editor, WM_COMMAND, id, 0); }
    // The dialog with that title; its edits get the texts (control id, text), then OK.
    HWND dialog(const char* title) {
        HWND found = drive::WaitForTopLevel(session.pid(), "#32770", title, 10000);
        EXPECT_NE(nullptr, found) << title;
        return found;
    }
    void fillIn(const char* title, const std::vector<std::pair<int, std::string>>& fields, int before = 0) {
        HWND box = dialog(title);
        if (!box) return;
        if (before) SendMessageA(GetDlgItem(box, before), BM_CLICK, 0, 0);
        for (const auto& field : fields) drive::SetText(GetDlgItem(box, field.first), field.second);
        drive::Click(box, IDOK);
        waitGone(box);
    }
    void typeHex(const char* title, const char* name, const char* digits) {
        HWND box = dialog(title);
        if (!box) return;
        if (name) drive::SetText(GetDlgItem(box, IDC_BINARY_NAME), name);
        HWND hex = GetDlgItem(box, IDC_BINARY_DATA);
        for (const char* digit = digits; *digit; ++digit) PostMessageA(hex, WM_KEYDOWN, *digit, 0);
        drive::Click(box, IDOK);
        waitGone(box);
    }
    static void waitGone(HWND window) {
        drive::WaitFor([&]() -> HWND { return IsWindow(window) ? nullptr : GetDesktopWindow(); }, 10000);
    }
    // Find with the dialog, as the user would: the match is selected and focused in the list.
    void find(const char* text) {
        command(ID_REGEDIT_FIND);
        HWND box = dialog("Find");
        if (!box) return;
        drive::SetText(GetDlgItem(box, 0x480), text);  // the find dialog's text field
        drive::Click(box, IDOK);
        waitGone(box);
    }
    std::string answer(int button) {
        const drive::MessageBoxSeen box = drive::WaitForMessageBox(session.pid(), 10000);
        EXPECT_TRUE(drive::AnswerMessageBox(box, button)) << "no message box";
        waitGone(box.window);
        return box.text;
    }
    // Clicks the tree's selected item: the tree takes the focus.
    void clickSelectedKey() {
        HWND tree = GetDlgItem(editor, IDC_REGEDIT_TREE);
        const auto item = reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
        DWORD pid = 0;
        GetWindowThreadProcessId(tree, &pid);
        HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
        void* remote = VirtualAllocEx(process, nullptr, sizeof(RECT), MEM_COMMIT, PAGE_READWRITE);
        RECT rect{};
        std::memcpy(&rect, &item, sizeof item);  // the item goes in, its rectangle comes back
        WriteProcessMemory(process, remote, &rect, sizeof rect, nullptr);
        SendMessageA(tree, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(remote));
        ReadProcessMemory(process, remote, &rect, sizeof rect, nullptr);
        VirtualFreeEx(process, remote, 0, MEM_RELEASE);
        CloseHandle(process);
        const LPARAM point = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
        PostMessageA(tree, WM_LBUTTONDOWN, MK_LBUTTON, point);
        PostMessageA(tree, WM_LBUTTONUP, 0, point);
    }
    // The tree's right edge, where the splitter bar starts, in the editor's client coordinates.
    int treeRight() const {
        RECT tree{};
        GetWindowRect(GetDlgItem(editor, IDC_REGEDIT_TREE), &tree);
        MapWindowPoints(HWND_DESKTOP, editor, reinterpret_cast<POINT*>(&tree), 2);
        return tree.right;
    }
    // Waits until the message queue of the editor has been worked through.
    void settle() { SendMessageTimeoutA(editor, WM_NULL, 0, 0, SMTO_NORMAL, 10000, nullptr); }

    e2e::Session session{{"Ravelin.ZKL"}};
    HWND editor = nullptr;
};

TEST_F(RegistryEditorEndToEnd, CreateModifyFindDeleteReopenWhereItWasThenUndoEverything) {
    const std::string original = Exported(kRavelin);
    const wchar_t resolution[] = L"Resolution";  // the export is in UTF-16
    ASSERT_NE(std::string::npos, original.find(reinterpret_cast<const char*>(resolution), 0, sizeof resolution - 2));
    ASSERT_NE(nullptr, openEditor());
    command(ID_REGEDIT_NEW_KEY);  // under the top-level key, selected at start
    fillIn("New Key", {{IDC_NEW_KEY_NAME, "Support"}});
    command(ID_REGEDIT_NEW_STRING);  // in the new key, now selected
    fillIn("Edit String", {{IDC_STRING_NAME, "Number"}, {IDC_STRING_VALUE, "555-0100"}});
    command(ID_REGEDIT_NEW_DWORD);
    fillIn("Edit DWORD", {{IDC_DWORD_NAME, "Retries"}, {IDC_DWORD_VALUE, "1f"}}, IDC_DWORD_HEX);
    command(ID_REGEDIT_NEW_BINARY);
    typeHex("Edit Binary", "Blob", "41");
    settle();
    EXPECT_EQ("555-0100", StringValue(kSupport, "Number"));
    EXPECT_EQ(31u, DwordValue(kSupport, "Retries"));
    DWORD type;
    EXPECT_EQ(std::vector<BYTE>{0x41}, Value(kSupport, "Blob", type));
    EXPECT_EQ(static_cast<DWORD>(REG_BINARY), type);

    // New rows were added at the end, in the order made: Number, Retries, Blob.
    find("umb");
    command(ID_REGEDIT_MODIFY);
    fillIn("Edit String", {{IDC_STRING_VALUE, "555-0199"}});
    find("tries");  // after the focused row
    command(ID_REGEDIT_MODIFY);
    fillIn("Edit DWORD", {{IDC_DWORD_VALUE, "42"}});
    find("LOB");
    command(ID_REGEDIT_MODIFY);
    typeHex("Edit Binary", nullptr, "42");
    settle();
    EXPECT_EQ(std::vector<BYTE>{0x42}, Value(kSupport, "Blob", type));
    EXPECT_EQ("555-0199", StringValue(kSupport, "Number"));
    EXPECT_EQ(42u, DwordValue(kSupport, "Retries"));

    find("blob");  // nothing after the last row nor below: no match
    EXPECT_EQ("No matches found", answer(IDOK));
    command(ID_REGEDIT_REFRESH);  // the same key again, no row focused
    find("blob");  // through the registry
    command(ID_REGEDIT_DELETE);
    EXPECT_NE(std::string::npos, answer(IDNO).find("The selected entry"));
    settle();
    // A box inside the editor leaves the wizard disabled until the editor closes.
    EXPECT_FALSE(IsWindowEnabled(session.wizard()));
    command(ID_REGEDIT_DELETE);
    EXPECT_NE(std::string::npos, answer(IDYES).find("The selected entry"));

    command(ID_REGEDIT_NEW_KEY);
    fillIn("New Key", {{IDC_NEW_KEY_NAME, "Scrap"}});
    command(ID_REGEDIT_NEW_DWORD);
    fillIn("Edit DWORD", {{IDC_DWORD_NAME, "Kept"}, {IDC_DWORD_VALUE, "7"}});
    settle();
    EXPECT_TRUE(KeyExists("Software\\Halvard\\Ravelin\\Support\\Scrap"));
    clickSelectedKey();
    command(ID_REGEDIT_DELETE);
    EXPECT_NE(std::string::npos, answer(IDYES).find("The selected key"));
    settle();

    EXPECT_FALSE(KeyExists("Software\\Halvard\\Ravelin\\Support\\Scrap"));
    EXPECT_FALSE(Value(kSupport, "Blob", type).size());
    EXPECT_EQ("555-0199", StringValue(kSupport, "Number"));
    EXPECT_EQ(42u, DwordValue(kSupport, "Retries"));
    EXPECT_EQ(1u, DwordValue("Software\\Halvard\\Ravelin\\Settings", "Resolution"));

    // Moved, resized and the columns changed, then closed and opened again.
    MoveWindow(editor, 40, 50, 600, 400, TRUE);
    settle();
    const int split = treeRight();
    HWND list = GetDlgItem(editor, IDC_REGEDIT_LIST);
    SendMessageA(list, LVM_SETCOLUMNWIDTH, 0, 123);
    SendMessageA(list, LVM_SETCOLUMNWIDTH, 1, 77);
    RECT before{};
    GetWindowRect(editor, &before);
    PostMessageA(editor, WM_CLOSE, 0, 0);
    waitGone(editor);
    ASSERT_NE(nullptr, openEditor());
    RECT after{};
    GetWindowRect(editor, &after);
    EXPECT_TRUE(EqualRect(&before, &after)) << after.left << "," << after.top << " " << after.right << "," << after.bottom;
    list = GetDlgItem(editor, IDC_REGEDIT_LIST);
    EXPECT_EQ(123, SendMessageA(list, LVM_GETCOLUMNWIDTH, 0, 0));
    EXPECT_EQ(77, SendMessageA(list, LVM_GETCOLUMNWIDTH, 1, 0));
    EXPECT_EQ(static_cast<DWORD>(split), DwordValue(kEditorSettings, "Split"));
    EXPECT_EQ(split, treeRight());

    // Undo changes lists every change and takes them all back, the deleted key with its value too.
    command(ID_REGEDIT_UNDO_CHANGES);
    HWND undo = dialog("Undo changes");
    ASSERT_NE(nullptr, undo);
    EXPECT_EQ(11, SendMessageA(GetDlgItem(undo, IDC_UNDO_LIST), LB_GETCOUNT, 0, 0));
    drive::Click(undo, IDYES);
    EXPECT_EQ("The changes have been taken back.", answer(IDOK));
    settle();
    EXPECT_EQ(original, Exported(kRavelin));
    PostMessageA(editor, WM_CLOSE, 0, 0);
    waitGone(editor);

    // The log of the session lists the changes, then the undo's own, newest first.
    ASSERT_TRUE(session.EnterUserInfo(nullptr));
    EXPECT_FALSE(session.WaitForResult().empty());
    const std::string log = e2e::ReadWholeFile(e2e::kLog);
    const size_t banner = log.find("* Changes made during this session\r\n");
    ASSERT_NE(std::string::npos, banner);
    const char* lines[] = {
        "Key HKEY_CURRENT_USER\\Software\\Halvard\\Ravelin\\Support created\r\n",
        "Value \"Number\" of HKEY_CURRENT_USER\\Software\\Halvard\\Ravelin\\Support created as 555-0100\r\n",
        "Value \"Kept\" of HKEY_CURRENT_USER\\Software\\Halvard\\Ravelin\\Support\\Scrap created as 0x00000007 (7)\r\n",
        "Key HKEY_CURRENT_USER\\Software\\Halvard\\Ravelin\\Support\\Scrap deleted (keys: 1, values: 1)\r\n",
        "Key HKEY_CURRENT_USER\\Software\\Halvard\\Ravelin\\Support\\Scrap created\r\n",
        "Key HKEY_CURRENT_USER\\Software\\Halvard\\Ravelin\\Support deleted (keys: 1, values: 0)\r\n",
    };
    size_t at = banner;
    for (const char* line : lines) {
        const size_t found = log.find(line, at);
        EXPECT_NE(std::string::npos, found) << line;
        if (found != std::string::npos) at = found;
    }
    EXPECT_EQ(0u, session.Finish());
}

// A session killed after its changes is offered back at the next start, and Yes takes them back.
TEST_F(RegistryEditorEndToEnd, KilledSessionIsOfferedBackAtTheNextStart) {
    ASSERT_NE(nullptr, openEditor());
    command(ID_REGEDIT_NEW_KEY);
    fillIn("New Key", {{IDC_NEW_KEY_NAME, "Support"}});
    settle();
    ASSERT_TRUE(KeyExists(kSupport));
    ASSERT_TRUE(session.Kill());

    ASSERT_TRUE(session.Start());
    HWND offer = drive::WaitForTopLevel(session.pid(), "#32770", "Undo changes", 20000);
    ASSERT_NE(nullptr, offer);
    EXPECT_EQ(1, SendMessageA(GetDlgItem(offer, IDC_UNDO_LIST), LB_GETCOUNT, 0, 0));
    drive::Click(offer, IDYES);
    EXPECT_EQ("The changes have been taken back.", answer(IDOK));
    EXPECT_NE(nullptr, drive::WaitForTopLevel(session.pid(), "#32770", "Zelkor", 20000));
    EXPECT_FALSE(KeyExists(kSupport));
}

}  // namespace
