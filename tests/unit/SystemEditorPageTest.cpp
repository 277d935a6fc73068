// The System Editor page in a real wizard, over fixture libraries that name system files. The
// files lie in a scratch directory made current, where the system's search finds them.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "FixtureLibraries.h"
#include "MessageBoxAnswers.h"
#include "ScratchDirectory.h"
#include "editors/SystemEditorPage.h"
#include "resources/resource.h"
#include "testlib/TestLibrary.h"
#include "wizard/WizardDlg.h"

namespace {

const char kMissing[] = "This file is currently missing or unavailable";
const char kFileA[] = "zkse-a.ini.txt";  // the first of the list
const char kFileB[] = "zkse-b.ini";

bool StartsWith(const std::string& text, const std::string& start) { return text.compare(0, start.size(), start) == 0; }

class SystemEditorPageTest : public ::testing::Test {
protected:
    void SetUp() override { SetCurrentDirectoryA(scratch.path().c_str()); }
    void TearDown() override {
        Close();
        SetCurrentDirectoryA("C:\\");
    }

    // A wizard whose first page is the System Editor page, over one fixture catalogue.
    void Open(const char* catalogue) {
        ASSERT_TRUE(FindTestLibrariesIn(FixtureDirectory() + "..\\syseditlibs\\" + catalogue + "\\"));
        wizard = std::make_unique<CWizardDlg>(session);
        auto editor = std::make_unique<CSystemEditorPage>();
        page = editor.get();
        wizard->AddPage(std::move(editor));
        wizard->AddPage(std::make_unique<CWizardPage>(IDD_WELCOME, true));
        ASSERT_TRUE(wizard->Create(nullptr));
    }
    // The page goes and lets go of the file it holds.
    void Close() {
        wizard.reset();
        FreeTestLibraries();
    }

    fw::WindowRef Control(int id) { return page->item(id); }
    std::string Text() { return Control(IDC_SYSEDIT_TEXT).text(); }
    bool SaveAndRestoreEnabled() {
        EXPECT_EQ(Control(IDC_SYSEDIT_SAVE).isEnabled(), Control(IDC_SYSEDIT_RESTORE).isEnabled());
        return Control(IDC_SYSEDIT_SAVE).isEnabled();
    }
    // What a user does: types over the text (or at its end), picks a file, clicks a button.
    void Type(const std::string& text, bool atEnd = false) {
        Control(IDC_SYSEDIT_TEXT).send(EM_SETSEL, atEnd ? Text().size() : 0, -1);
        Control(IDC_SYSEDIT_TEXT).send(EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
    }
    void Choose(const char* name) {
        Control(IDC_SYSEDIT_FILE).send(CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(name));
        page->window().send(WM_COMMAND, MAKEWPARAM(IDC_SYSEDIT_FILE, CBN_SELCHANGE),
                            reinterpret_cast<LPARAM>(Control(IDC_SYSEDIT_FILE).hwnd()));
    }
    void Click(int id) { Control(id).send(BM_CLICK); }

    ScratchDirectory scratch;
    WizardSession session;
    std::unique_ptr<CWizardDlg> wizard;
    CSystemEditorPage* page = nullptr;
};

TEST_F(SystemEditorPageTest, ListsEachNameOnceAndShowsTheFirstLockedOrTheMissingText) {
    ASSERT_TRUE(WriteTextFile(scratch / kFileA, "[a]\r\n"));
    Open("files");
    // zkse-b.ini comes once whatever its case; zkse-a.ini begins a name listed before it.
    std::vector<std::string> entries;
    for (LRESULT i = 0; i < Control(IDC_SYSEDIT_FILE).send(CB_GETCOUNT); ++i) {
        char entry[MAX_PATH] = {};
        Control(IDC_SYSEDIT_FILE).send(CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(entry));
        entries.push_back(CharLowerA(entry));
    }
    EXPECT_EQ(std::vector<std::string>({kFileA, kFileB, "zkse-c.ini"}), entries);
    EXPECT_EQ("[a]\r\n", Text());
    EXPECT_FALSE(SaveAndRestoreEnabled());
    EXPECT_FALSE(WriteTextFile(scratch / kFileA, "")) << "the file shown is locked";

    Choose("zkse-c.ini");  // not there
    EXPECT_EQ(kMissing, Text());
    EXPECT_FALSE(Control(IDC_SYSEDIT_TEXT).isEnabled());
    EXPECT_TRUE(WriteTextFile(scratch / kFileA, "[a]\r\n")) << "the file left is let go";

    Close();
    Open("none");  // no library names a system file
    EXPECT_EQ(0, Control(IDC_SYSEDIT_FILE).send(CB_GETCOUNT));
    EXPECT_EQ(kMissing, Text());
    EXPECT_FALSE(Control(IDC_SYSEDIT_TEXT).isEnabled());
    EXPECT_FALSE(SaveAndRestoreEnabled());
}

TEST_F(SystemEditorPageTest, NoLeavesTheDiskUnchangedSavesMakeNumberedBackupsRestoreRereads) {
    ASSERT_TRUE(WriteTextFile(scratch / kFileA, "v0\r\n"));
    ASSERT_TRUE(WriteTextFile(scratch / kFileB, "b\r\n"));
    Open("files");
    MessageBoxAnswers answers({IDNO, IDOK, IDOK});
    Type("changed\r\n");
    EXPECT_TRUE(SaveAndRestoreEnabled());
    Choose(kFileB);
    EXPECT_EQ("b\r\n", Text());
    EXPECT_FALSE(SaveAndRestoreEnabled());
    Choose(kFileA);  // its text unchanged: no question
    EXPECT_EQ("v0\r\n", Text());

    Type("v1\r\n");
    Click(IDC_SYSEDIT_SAVE);
    Type("v2\r\n");
    Click(IDC_SYSEDIT_SAVE);
    EXPECT_FALSE(SaveAndRestoreEnabled());
    Type("v3\r\n");
    Click(IDC_SYSEDIT_RESTORE);
    EXPECT_EQ("v2\r\n", Text());
    EXPECT_FALSE(SaveAndRestoreEnabled());
    EXPECT_EQ(3u, answers.Finish().size()) << "the question, then each save's backup named";

    Close();
    EXPECT_EQ("v0\r\n", ReadTextFile(scratch / "zkse-a.ini.000"));
    EXPECT_EQ("v1\r\n", ReadTextFile(scratch / "zkse-a.ini.001"));
    EXPECT_EQ("v2\r\n", ReadTextFile(scratch / kFileA));
    EXPECT_FALSE(FileExists(scratch / "zkse-a.ini.002"));
}

TEST_F(SystemEditorPageTest, AFailedBackupOrWriteKeepsTheOldFileAndTheUsersText) {
    const std::string fileA = scratch / kFileA;
    ASSERT_TRUE(WriteTextFile(fileA, "kept\r\n"));
    Open("files");
    Type("mine\r\n");
    // Another program takes the file while the question is open, so it cannot be copied.
    HANDLE other = INVALID_HANDLE_VALUE;
    MessageBoxAnswers answers({IDYES, IDOK}, [&](size_t box) {
        if (box == 0) other = CreateFileA(fileA.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    });
    Choose(kFileB);
    const std::vector<std::string> told = answers.Finish();
    CloseHandle(other);
    ASSERT_EQ(2u, told.size());
    EXPECT_TRUE(StartsWith(told[1], "Zelkor could not back up ")) << told[1];
    EXPECT_EQ(kFileA, Control(IDC_SYSEDIT_FILE).text());
    EXPECT_EQ("mine\r\n", Text());
    EXPECT_TRUE(SaveAndRestoreEnabled());
    EXPECT_EQ("kept\r\n", ReadTextFile(fileA));
    EXPECT_FALSE(FileExists(scratch / "zkse-a.ini.000"));
    Close();

    // A write that fails on a full disk (drive Y: holds 64 KiB) leaves the old content.
    if (GetFileAttributesA("Y:\\") == INVALID_FILE_ATTRIBUTES) GTEST_SKIP() << "no small drive Y:";
    CreateDirectoryA("Y:\\zksedit", nullptr);
    SetCurrentDirectoryA("Y:\\zksedit");
    ASSERT_TRUE(WriteTextFile(kFileA, "small\r\n"));
    Open("files");
    const std::string large(100000, 'x');
    Type(large);
    MessageBoxAnswers full({IDOK});
    Click(IDC_SYSEDIT_SAVE);
    const std::vector<std::string> toldFull = full.Finish();
    ASSERT_EQ(1u, toldFull.size());
    EXPECT_TRUE(StartsWith(toldFull[0], "Zelkor could not save ")) << toldFull[0];
    EXPECT_EQ(large, Text());
    Close();
    EXPECT_EQ("small\r\n", ReadTextFile(kFileA));
    EXPECT_TRUE(DeleteFileA("zkse-a.ini.000")) << "the backup was made";

    // A file that fills more than half the drive cannot be copied: the backup that failed part
    // way leaves no file to pass for the old one.
    const std::string half(36 * 1024, 'h');
    ASSERT_TRUE(WriteTextFile(kFileA, half));
    Open("files");
    Type("mine\r\n");
    MessageBoxAnswers noRoom({IDOK});
    Click(IDC_SYSEDIT_SAVE);
    const std::vector<std::string> toldNoRoom = noRoom.Finish();
    ASSERT_EQ(1u, toldNoRoom.size());
    EXPECT_TRUE(StartsWith(toldNoRoom[0], "Zelkor could not back up ")) << toldNoRoom[0];
    Close();
    EXPECT_EQ(half, ReadTextFile(kFileA));
    EXPECT_FALSE(FileExists("zkse-a.ini.000")) << "a failed backup leaves no file behind";
    DeleteFileA("zkse-a.ini.000");
    EXPECT_TRUE(DeleteFileA(kFileA));
    SetCurrentDirectoryA("C:\\");
    EXPECT_TRUE(RemoveDirectoryA("Y:\\zksedit")) << "no unfinished copy is left behind";
}

TEST_F(SystemEditorPageTest, ALargeFileIsShownAsItComesWithoutMovingTheUsersPlace) {
    std::string large;
    for (int n = 0; large.size() < 3 * 1024 * 1024; ++n) large += "key" + std::to_string(n) + "=value\r\n";
    ASSERT_TRUE(WriteTextFile(scratch / kFileA, large));
    Open("files");
    const fw::WindowRef edit = Control(IDC_SYSEDIT_TEXT);
    const auto length = [&] { return static_cast<size_t>(edit.send(WM_GETTEXTLENGTH)); };
    EXPECT_LT(0u, length());
    EXPECT_GT(large.size(), length()) << "the page answers before the whole text is in";
    EXPECT_TRUE(GetWindowLongA(edit, GWL_STYLE) & ES_READONLY) << "nothing is typed into a text still coming";
    for (const DWORD start = GetTickCount(); length() < large.size() && GetTickCount() - start < 60000;) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
    EXPECT_EQ(large, Text());
    DWORD selectionStart = 1, selectionEnd = 1;
    edit.send(EM_GETSEL, reinterpret_cast<WPARAM>(&selectionStart), reinterpret_cast<LPARAM>(&selectionEnd));
    EXPECT_EQ(0u, selectionEnd) << "the caret stays at the start";
    EXPECT_EQ(0, edit.send(EM_GETFIRSTVISIBLELINE));
    EXPECT_FALSE(GetWindowLongA(edit, GWL_STYLE) & ES_READONLY);
    EXPECT_FALSE(SaveAndRestoreEnabled()) << "pieces coming in are no change of the user's";
}

TEST_F(SystemEditorPageTest, LfLinesEveryByteNulBytesAndLockedFiles) {
    std::string everyByte;
    for (int c = 1; c < 256; ++c) everyByte += static_cast<char>(c);
    ASSERT_TRUE(WriteTextFile(scratch / kFileA, "l1\nl2\n"));
    ASSERT_TRUE(WriteTextFile(scratch / kFileB, everyByte));
    ASSERT_TRUE(WriteTextFile(scratch / "zkse-c.ini", std::string("a\0b", 3)));
    Open("files");
    MessageBoxAnswers answers({IDOK, IDOK, IDOK});
    // Lines ended by LF alone are shown as lines and written back with LF.
    EXPECT_EQ("l1\r\nl2\r\n", Text());
    Type("l3\r\n", true);
    Click(IDC_SYSEDIT_SAVE);
    // A lone CR and a lone LF stay as they are; so does every other byte.
    Choose(kFileB);
    Type("!", true);
    Click(IDC_SYSEDIT_SAVE);
    // NUL bytes cannot be kept by an edit control: the file is shown read-only, and says so.
    Choose("zkse-c.ini");
    EXPECT_EQ("a\xB7" "b", Text());
    EXPECT_TRUE(GetWindowLongA(Control(IDC_SYSEDIT_TEXT), GWL_STYLE) & ES_READONLY);
    Choose(kFileB);  // and back: said once is enough
    Choose("zkse-c.ini");
    const std::vector<std::string> told = answers.Finish();
    ASSERT_EQ(3u, told.size());
    EXPECT_TRUE(StartsWith(told[2], "zkse-c.ini contains zero (NUL) bytes")) << told[2];

    // A file that another program holds says what stands in the way.
    HANDLE other = CreateFileA((scratch / kFileA).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    Choose(kFileA);
    CloseHandle(other);
    EXPECT_TRUE(StartsWith(Text(), std::string(kMissing) + ":\r\n")) << Text();
    Close();
    EXPECT_EQ("l1\nl2\nl3\n", ReadTextFile(scratch / kFileA));
    EXPECT_EQ(everyByte + "!", ReadTextFile(scratch / kFileB));
    EXPECT_EQ(std::string("a\0b", 3), ReadTextFile(scratch / "zkse-c.ini"));
}

}  // namespace
