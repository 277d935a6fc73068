// A Custom session with the System Editor page: the user changes SYSTEM.INI of this machine (in
// the Windows directory, where the program's search finds it) and saves it twice; the file, its
// backups and the log hold what they should, and Undo changes takes both saves back.
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

// Saved with the button, then on leaving with Yes: each save backs up the file as it was, the log
// shows the file as it is now and lists both saves, and Undo changes puts back the original bytes.
TEST_F(SystemEditorTest, SavesMakeBackupsAreLoggedAndUndoneToTheOriginalBytes) {
    HWND editor = session.OpenCustomPage(IDC_SELECT_SYSTEM, IDC_SYSEDIT_TEXT);
    ASSERT_NE(nullptr, editor);
    HWND wizard = session.wizard();
    EXPECT_EQ("system.ini", drive::Text(GetDlgItem(editor, IDC_SYSEDIT_FILE)));
    HWND edit = GetDlgItem(editor, IDC_SYSEDIT_TEXT);
    EXPECT_EQ(kBefore, drive::Text(edit));

    TypeAtEnd(edit, kChange);
    drive::Click(editor, IDC_SYSEDIT_SAVE);  // saves without asking, then names the backup
    EXPECT_EQ("Your old file has been saved as " + m_backup, Answer(IDOK));
    TypeAtEnd(edit, kChange);
    ASSERT_TRUE(drive::IsEnabled(editor, IDC_SYSEDIT_SAVE));
    drive::Click(wizard, IDC_WIZARD_NEXT);
    EXPECT_EQ("Save changes to system.ini?\r\nYour old file will be backed up", Answer(IDYES));
    EXPECT_EQ("Your old file has been saved as " + WindowsFile("system.001"), Answer(IDOK));

    const e2e::Details details{"Sys Admin", "", "", ""};
    ASSERT_TRUE(session.EnterUserInfo(&details));
    EXPECT_EQ("The log file for this session has been saved as \"C:\\Zelkor.log\"", session.WaitForResult());
    const std::string changed = std::string(kBefore) + kChange + kChange;
    EXPECT_EQ(changed, e2e::ReadWholeFile(m_file.c_str()));
    EXPECT_EQ(kBefore, e2e::ReadWholeFile(m_backup.c_str()));
    EXPECT_EQ(std::string(kBefore) + kChange, e2e::ReadWholeFile(WindowsFile("system.001").c_str()));
    const std::string log = e2e::ReadWholeFile(e2e::kLog);
    const size_t banner = log.find("* system.ini\r\n");
    ASSERT_NE(std::string::npos, banner) << log;
    EXPECT_NE(std::string::npos, log.find(changed, banner)) << "the page logs the system files as they are now";
    const size_t changes = log.find("* Changes made during this session\r\n");
    ASSERT_NE(std::string::npos, changes);
    const size_t first = log.find("system.ini saved; its old content is in ", changes);
    ASSERT_NE(std::string::npos, first);
    EXPECT_NE(std::string::npos, log.find("system.ini saved; its old content is in ", first + 1));

    drive::Click(session.PageWith(IDC_COMPLETE_UNDO), IDC_COMPLETE_UNDO);
    HWND list = drive::WaitForTopLevel(session.pid(), "#32770", "Undo changes", 10000);
    ASSERT_NE(nullptr, list);
    EXPECT_EQ(2, SendMessageA(GetDlgItem(list, IDC_UNDO_LIST), LB_GETCOUNT, 0, 0));
    drive::Click(list, IDYES);
    EXPECT_EQ("The changes have been taken back.", Answer(IDOK));
    EXPECT_EQ(kBefore, e2e::ReadWholeFile(m_file.c_str()));
    EXPECT_EQ(0u, session.Finish());
    EXPECT_TRUE(session.messages().empty());
}

}  // namespace
