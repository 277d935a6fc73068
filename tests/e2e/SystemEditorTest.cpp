// A Custom session with the System Editor page: the user changes SYSTEM.INI of this machine (in
// the Windows directory, where the program's search finds it) and saves on leaving the page; the
// file, its backup and the log hold what they should.
#include <gtest/gtest.h>

#include <string>

#include "Session.h"
#include "resources/resource.h"

namespace {

const char kBefore[] = "[boot]\r\nshell=explorer.exe\r\n";
const char kChange[] = "; changed on the telephone\r\n";

std::string WindowsFile(const char* name) {
    char directory[MAX_PATH] = {};
    GetWindowsDirectoryA(directory, MAX_PATH);
    return std::string(directory) + "\\" + name;
}

class SystemEditorTest : public ::testing::Test {
protected:
    void SetUp() override {
        char found[MAX_PATH] = {};
        ASSERT_NE(0u, SearchPathA(nullptr, "system.ini", nullptr, MAX_PATH, found, nullptr));
        ASSERT_EQ(0, lstrcmpiA(found, m_file.c_str())) << "the search finds " << found;
        m_original = e2e::ReadWholeFile(m_file.c_str());
        e2e::WriteWholeFile(m_file.c_str(), kBefore);
        DeleteFileA(m_backup.c_str());
    }
    void TearDown() override {
        e2e::WriteWholeFile(m_file.c_str(), m_original);
        for (const char* backup : {"system.000", "system.001", "system.002", "system.003"})
            DeleteFileA(WindowsFile(backup).c_str());
    }

    // Answers the next message box of the program; returns its text.
    std::string Answer(int button) {
        const drive::MessageBoxSeen box = drive::WaitForMessageBox(session.pid(), 10000);
        EXPECT_TRUE(drive::AnswerMessageBox(box, button)) << "no message box";
        return box.text;
    }
    // Adds text at the end of the edit control, as typing there would.
    static void TypeAtEnd(HWND edit, const char* text) {
        const LRESULT length = SendMessageA(edit, WM_GETTEXTLENGTH, 0, 0);
        SendMessageA(edit, EM_SETSEL, length, length);
        SendMessageA(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text));
    }

    const std::string m_file = WindowsFile("system.ini");
    const std::string m_backup = WindowsFile("system.000");
    std::string m_original;
    e2e::Session session{{"System.ZKL"}};
};

TEST_F(SystemEditorTest, AChangeToSystemIniIsSavedWithABackupAndLogged) {
    HWND editor = session.OpenCustomPage(IDC_SELECT_SYSTEM, IDC_SYSEDIT_TEXT);
    ASSERT_NE(nullptr, editor);
    HWND wizard = session.wizard();
    EXPECT_EQ("System Editor", drive::Text(GetDlgItem(wizard, IDC_WIZARD_TITLE)));
    EXPECT_EQ("system.ini", drive::Text(GetDlgItem(editor, IDC_SYSEDIT_FILE)));
    HWND edit = GetDlgItem(editor, IDC_SYSEDIT_TEXT);
    EXPECT_EQ(kBefore, drive::Text(edit));

    TypeAtEnd(edit, kChange);
    ASSERT_TRUE(drive::IsEnabled(editor, IDC_SYSEDIT_SAVE));
    drive::Click(wizard, IDC_WIZARD_NEXT);
    EXPECT_EQ("Save changes to system.ini?\r\nYour old file will be backed up", Answer(IDYES));
    EXPECT_EQ("Your old file has been saved as " + m_backup, Answer(IDOK));

    const e2e::Details details{"Sys Admin", "", "", ""};
    ASSERT_TRUE(session.EnterUserInfo(&details));
    EXPECT_EQ("The log file for this session has been saved as \"C:\\Zelkor.log\"", session.WaitForResult());
    EXPECT_EQ(0u, session.Finish());
    EXPECT_TRUE(session.messages().empty());

    const std::string changed = std::string(kBefore) + kChange;
    EXPECT_EQ(changed, e2e::ReadWholeFile(m_file.c_str()));
    EXPECT_EQ(kBefore, e2e::ReadWholeFile(m_backup.c_str()));
    const std::string log = e2e::ReadWholeFile("C:\\Zelkor.log");
    const size_t banner = log.find("* system.ini\r\n");
    ASSERT_NE(std::string::npos, banner) << log;
    EXPECT_NE(std::string::npos, log.find(changed, banner)) << "the page logs the system files as they are now";
}

// Two saves are listed in the log, and Undo changes on the last page puts the file back byte for byte.
TEST_F(SystemEditorTest, TwoSavesAreLoggedAndUndoneToTheOriginalBytes) {
    HWND editor = session.OpenCustomPage(IDC_SELECT_SYSTEM, IDC_SYSEDIT_TEXT);
    ASSERT_NE(nullptr, editor);
    HWND edit = GetDlgItem(editor, IDC_SYSEDIT_TEXT);
    for (int save = 0; save < 2; ++save) {
        TypeAtEnd(edit, kChange);
        drive::Click(editor, IDC_SYSEDIT_SAVE);  // saves without asking, then names the backup
        Answer(IDOK);
    }
    ASSERT_EQ(std::string(kBefore) + kChange + kChange, e2e::ReadWholeFile(m_file.c_str()));
    drive::Click(session.wizard(), IDC_WIZARD_NEXT);
    ASSERT_TRUE(session.EnterUserInfo(nullptr));
    EXPECT_FALSE(session.WaitForResult().empty());
    const std::string log = e2e::ReadWholeFile(e2e::kLog);
    const size_t banner = log.find("* Changes made during this session\r\n");
    ASSERT_NE(std::string::npos, banner);
    const size_t first = log.find("system.ini saved; its old content is in ", banner);
    ASSERT_NE(std::string::npos, first);
    EXPECT_NE(std::string::npos, log.find("system.ini saved; its old content is in ", first + 1));

    HWND page = session.PageWith(IDC_COMPLETE_UNDO);
    ASSERT_NE(nullptr, page);
    drive::Click(page, IDC_COMPLETE_UNDO);
    HWND list = drive::WaitForTopLevel(session.pid(), "#32770", "Undo changes", 10000);
    ASSERT_NE(nullptr, list);
    EXPECT_EQ(2, SendMessageA(GetDlgItem(list, IDC_UNDO_LIST), LB_GETCOUNT, 0, 0));
    drive::Click(list, IDYES);
    EXPECT_EQ("The changes have been taken back.", Answer(IDOK));
    EXPECT_EQ(kBefore, e2e::ReadWholeFile(m_file.c_str()));
    EXPECT_EQ(0u, session.Finish());
}

}  // namespace
