// A Custom session with the Registry page: the user looks into the registry editor, changes a
// described value and leaves with Yes; the registry holds the change and the log the checked
// keys, one banner per library.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "Session.h"
#include "resources/resource.h"

namespace {

constexpr char kScratchKey[] = "Software\\ZelkorE2E";

class RegistryPageTest : public ::testing::Test {
protected:
    void SetUp() override {
        RegDeleteTreeA(HKEY_CURRENT_USER, kScratchKey);
        e2e::SetDword(std::string(kScratchKey) + "\\Beta", "Retries", 3);
        e2e::SetDword(std::string(kScratchKey) + "\\Gamma\\One", "Rings", 2);
        e2e::SetString(std::string(kScratchKey) + "\\Gamma\\Skipped", "Port", "COM9");
        e2e::SetString(std::string(kScratchKey) + "\\Gamma\\Two", "Port", "COM2");
        DeleteFileA(e2e::kLog);
    }
    void TearDown() override { RegDeleteTreeA(HKEY_CURRENT_USER, kScratchKey); }

    static HTREEITEM Next(HWND tree, HTREEITEM item, UINT relation) {
        return reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(item)));
    }
    // A key's values are there once it is expanded, as the user sees them.
    static HTREEITEM FirstValue(HWND tree, HTREEITEM key) {
        SendMessageA(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(key));
        return Next(tree, key, TVGN_CHILD);
    }

    e2e::Session session{{"e2e\\Beta.ZKL", "e2e\\Gamma.ZKL"}};
};

TEST_F(RegistryPageTest, AChangedValueIsSavedOnLeavingAndCheckedKeysAreLoggedUnderTheirLibraries) {
    HWND page = session.OpenCustomPage(IDC_SELECT_REGISTRY, IDC_REGPAGE_TREE);
    ASSERT_NE(nullptr, page);
    HWND wizard = session.wizard();

    // Advanced opens the editor over the wizard on the editor keys that exist; the tree is read
    // again after it, with nothing changed.
    ASSERT_TRUE(drive::IsEnabled(page, IDC_REGPAGE_ADVANCED));
    drive::Click(page, IDC_REGPAGE_ADVANCED);
    HWND editor = drive::WaitForTopLevel(session.pid(), "ZKFRAME", "Registry Editor", 10000);
    ASSERT_NE(nullptr, editor);
    EXPECT_FALSE(IsWindowEnabled(wizard)) << "the editor runs over the wizard";
    HWND editorTree = GetDlgItem(editor, IDC_REGEDIT_TREE);
    HTREEITEM root = Next(editorTree, nullptr, TVGN_ROOT);
    ASSERT_NE(nullptr, root);
    EXPECT_EQ(nullptr, Next(editorTree, root, TVGN_NEXT)) << "only the editor key that exists";
    PostMessageA(editor, WM_CLOSE, 0, 0);
    ASSERT_NE(nullptr, drive::WaitFor([&]() -> HWND { return IsWindowEnabled(wizard) ? wizard : nullptr; }, 10000));
    EXPECT_TRUE(drive::IsEnabled(page, IDC_REGPAGE_ADVANCED));
    HWND tree = GetDlgItem(page, IDC_REGPAGE_TREE);
    for (HTREEITEM item = Next(tree, nullptr, TVGN_ROOT); item; item = Next(tree, item, TVGN_NEXT))
        EXPECT_EQ(0, SendMessageA(tree, TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(item), TVIS_OVERLAYMASK))
            << "nothing is marked changed";

    // Libraries come in the order the program found them; Gamma's first key holds the value.
    HTREEITEM library = Next(tree, nullptr, TVGN_ROOT);
    HTREEITEM keyOne = Next(tree, library, TVGN_CHILD);
    if (!FirstValue(tree, keyOne)) keyOne = Next(tree, Next(tree, library, TVGN_NEXT), TVGN_CHILD);
    HTREEITEM rings = FirstValue(tree, keyOne);
    ASSERT_NE(nullptr, rings);
    SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(rings));
    HWND edit = GetDlgItem(page, IDC_REGPAGE_EDIT);
    EXPECT_EQ("2", drive::Text(edit));
    EXPECT_EQ("Rings before answering", drive::Text(GetDlgItem(page, IDC_REGPAGE_INFO)));
    drive::SetText(edit, "7");
    EXPECT_TRUE(drive::IsEnabled(page, IDC_REGPAGE_SAVE));

    drive::Click(wizard, IDC_WIZARD_NEXT);
    const drive::MessageBoxSeen box = drive::WaitForMessageBox(session.pid(), 10000);
    EXPECT_EQ("Save changes to the Registry?", box.text);
    ASSERT_TRUE(drive::AnswerMessageBox(box, IDYES));

    const e2e::Details details{"Reg User", "", "", ""};
    ASSERT_TRUE(session.EnterUserInfo(&details));
    EXPECT_EQ("The log file for this session has been saved as \"C:\\Zelkor.log\"", session.WaitForResult());
    const auto ringsNow = []() {
        DWORD value = 0, size = sizeof value;
        RegGetValueA(HKEY_CURRENT_USER, "Software\\ZelkorE2E\\Gamma\\One", "Rings", RRF_RT_REG_DWORD, nullptr, &value,
                     &size);
        return value;
    };
    EXPECT_EQ(7u, ringsNow());

    // The change is listed after the user details, and Undo changes takes it back.
    const std::string log = e2e::ReadWholeFile(e2e::kLog);
    EXPECT_NE(std::string::npos, log.find("Fax Number:         \r\n\r\n************************************************************\r\n"
                                          "* Changes made during this session\r\n************************************************************\r\n\r\n"
                                          "Value \"Rings\" of HKEY_CURRENT_USER\\Software\\ZelkorE2E\\Gamma\\One changed from "
                                          "0x00000002 (2) to 0x00000007 (7)\r\n\r\n"))
        << log;
    drive::Click(session.PageWith(IDC_COMPLETE_UNDO), IDC_COMPLETE_UNDO);
    HWND list = drive::WaitForTopLevel(session.pid(), "#32770", "Undo changes", 10000);
    ASSERT_NE(nullptr, list);
    drive::Click(list, IDYES);
    const drive::MessageBoxSeen done = drive::WaitForMessageBox(session.pid(), 10000);
    EXPECT_EQ("The changes have been taken back.", done.text);
    drive::AnswerMessageBox(done, IDOK);
    EXPECT_EQ(2u, ringsNow());
    EXPECT_EQ(0u, session.Finish());
    EXPECT_TRUE(session.messages().empty());

    const size_t beta = log.find("* Beta Fax\r\n");
    const size_t gamma = log.find("* Gamma Lines\r\n");
    ASSERT_NE(std::string::npos, beta) << log;
    ASSERT_NE(std::string::npos, gamma) << log;
    EXPECT_EQ(std::string::npos, log.find("* Gamma Lines\r\n", gamma + 1)) << "one banner for both Gamma keys";
    const size_t one = log.find("HKEY_CURRENT_USER\\Software\\ZelkorE2E\\Gamma\\One\r\n");
    const size_t two = log.find("HKEY_CURRENT_USER\\Software\\ZelkorE2E\\Gamma\\Two\r\n");
    EXPECT_LT(std::min(beta, gamma), log.find("HKEY_CURRENT_USER\\Software\\ZelkorE2E\\Beta\r\n"));
    EXPECT_LT(gamma, one);
    EXPECT_LT(one, two);
    EXPECT_NE(std::string::npos, log.find("= 0x00000007 (7)", one)) << "the log holds the saved value";
    EXPECT_EQ(std::string::npos, log.find("Skipped")) << "an unchecked key is not logged";
}

}  // namespace
