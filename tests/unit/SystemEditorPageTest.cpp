// The System Editor page in a real wizard, over fixture libraries that name system files. The
// files lie in a scratch directory made current, where the system's search finds them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <memory>
#include <string>
#include <vector>

#include "MessageBoxAnswers.h"
#include "ScratchDirectory.h"
#include "editors/SystemEditorPage.h"
#include "resources/resource.h"
#include "testlib/TestLibrary.h"
#include "wizard/WelcomePage.h"
#include "wizard/WizardDlg.h"

namespace {

const char kMissing[] = "This file is currently missing or unavailable";
const char kFileA[] = "zkse-a.ini.txt";  // the first of the list
const char kFileB[] = "zkse-b.ini";

std::string LibraryDirectory(const char* name) {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string directory(path);
    directory.erase(directory.find_last_of('\\') + 1);
    return directory + "syseditlibs\\" + name + "\\";
}

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

bool StartsWith(const std::string& text, const std::string& start) { return text.compare(0, start.size(), start) == 0; }

class SystemEditorPageTest : public ::testing::Test {
protected:
    void SetUp() override { Work(scratch.path()); }
    void TearDown() override {
        wizard.reset();
        FreeTestLibraries();
        SetCurrentDirectoryA(m_previousDirectory.c_str());
    }
    // Where the system files are looked for first.
    void Work(const std::string& directory) {
        char current[MAX_PATH] = {};
        GetCurrentDirectoryA(MAX_PATH, current);
        if (m_previousDirectory.empty()) m_previousDirectory = current;
        SetCurrentDirectoryA(directory.c_str());
    }

    // A wizard whose first page is the System Editor page, over one fixture catalogue.
    void Open(const char* libraries) {
        ASSERT_TRUE(FindTestLibrariesIn(LibraryDirectory(libraries)));
        auto editor = std::make_unique<CSystemEditorPage>();
        page = editor.get();
        wizard->AddPage(std::move(editor));
        wizard->AddPage(std::make_unique<CWizardPage>(IDD_WELCOME, true));
        ASSERT_TRUE(wizard->Create(nullptr));
        wizard->window().show(SW_SHOW);
    }

    fw::WindowRef Control(int id) { return page->item(id); }
    std::string Text() { return Control(IDC_SYSEDIT_TEXT).text(); }
    std::string Chosen() { return Control(IDC_SYSEDIT_FILE).text(); }
    bool SaveAndRestoreEnabled() {
        const bool save = Control(IDC_SYSEDIT_SAVE).isEnabled();
        EXPECT_EQ(save, Control(IDC_SYSEDIT_RESTORE).isEnabled());
        return save;
    }
    std::vector<std::string> Entries() {
        std::vector<std::string> entries;
        const fw::WindowRef list = Control(IDC_SYSEDIT_FILE);
        for (LRESULT i = 0; i < list.send(CB_GETCOUNT); ++i) {
            char entry[MAX_PATH] = {};
            list.send(CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(entry));
            entries.push_back(Lower(entry));
        }
        return entries;
    }

    // What a user does: replaces the text (or, with append, adds to its end), picks a file,
    // clicks a button.
    void Type(const std::string& text, bool append = false) {
        const fw::WindowRef edit = Control(IDC_SYSEDIT_TEXT);
        if (append)
            edit.send(EM_SETSEL, edit.send(WM_GETTEXTLENGTH), -1);
        else
            edit.send(EM_SETSEL, 0, -1);
        edit.send(EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
    }
    void Choose(const std::string& name) {
        const fw::WindowRef list = Control(IDC_SYSEDIT_FILE);
        list.send(CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(name.c_str()));
        page->window().send(WM_COMMAND, MAKEWPARAM(IDC_SYSEDIT_FILE, CBN_SELCHANGE), reinterpret_cast<LPARAM>(list.hwnd()));
    }
    void Click(int id) { Control(id).send(BM_CLICK); }

    ScratchDirectory scratch;
    WizardSession session;
    std::unique_ptr<CWizardDlg> wizard = std::make_unique<CWizardDlg>(session);
    CSystemEditorPage* page = nullptr;

private:
    std::string m_previousDirectory;
};

TEST_F(SystemEditorPageTest, ListsEachNameOnceSortedShowsTheFirstAndHoldsItLocked) {
    ASSERT_TRUE(WriteTextFile(scratch / kFileA, "[a]\r\nx=1\r\n"));
    Open("files");
    // zkse-b.ini comes once whatever its case; zkse-a.ini begins a name listed before it.
    EXPECT_EQ(std::vector<std::string>({"zkse-a.ini.txt", "zkse-b.ini", "zkse-c.ini"}), Entries());
    EXPECT_EQ(kFileA, Chosen());
    EXPECT_EQ("[a]\r\nx=1\r\n", Text());
    EXPECT_TRUE(Control(IDC_SYSEDIT_TEXT).isEnabled());
    EXPECT_FALSE(SaveAndRestoreEnabled());

    HANDLE other = CreateFileA((scratch / kFileA).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                               OPEN_EXISTING, 0, nullptr);
    EXPECT_EQ(INVALID_HANDLE_VALUE, other) << "the file shown is locked";
    if (other != INVALID_HANDLE_VALUE) CloseHandle(other);

    Choose("zkse-c.ini");  // not there
    EXPECT_EQ(kMissing, Text());
    EXPECT_FALSE(Control(IDC_SYSEDIT_TEXT).isEnabled());
    EXPECT_FALSE(SaveAndRestoreEnabled());
    EXPECT_TRUE(WriteTextFile(scratch / kFileA, "free again")) << "the file left is let go";
}

TEST_F(SystemEditorPageTest, WithoutSystemFilesTheListIsEmptyAndTheEditShowsTheMissingText) {
    Open("none");
    EXPECT_TRUE(Entries().empty());
    EXPECT_EQ(kMissing, Text());
    EXPECT_FALSE(Control(IDC_SYSEDIT_TEXT).isEnabled());
    EXPECT_FALSE(SaveAndRestoreEnabled());
}

TEST_F(SystemEditorPageTest, NoOnChoosingAnotherFileLeavesTheDiskUnchanged) {
    ASSERT_TRUE(WriteTextFile(scratch / kFileA, "old a\r\n"));
    ASSERT_TRUE(WriteTextFile(scratch / kFileB, "old b\r\n"));
    Open("files");
    Type("new a\r\n");
    EXPECT_TRUE(SaveAndRestoreEnabled());
    MessageBoxAnswers answers({IDNO});
    Choose(kFileB);
    EXPECT_EQ(std::vector<std::string>({"Save changes to zkse-a.ini.txt?\r\nYour old file will be backed up"}),
              answers.Finish());
    EXPECT_EQ("old a\r\n", ReadTextFile(scratch / kFileA));
    EXPECT_FALSE(FileExists(scratch / "zkse-a.ini.000"));
    EXPECT_EQ("old b\r\n", Text());
    EXPECT_FALSE(SaveAndRestoreEnabled());

    // Leaving the page with its text unchanged asks nothing.
    MessageBoxAnswers none({});
    wizard->window().send(WM_COMMAND, MAKEWPARAM(IDC_WIZARD_NEXT, BN_CLICKED));
    EXPECT_NE(page, wizard->currentPage());
    EXPECT_TRUE(none.Finish().empty());
}

TEST_F(SystemEditorPageTest, EachSaveMakesTheNextBackupAndRestoreRereadsTheDisk) {
    ASSERT_TRUE(WriteTextFile(scratch / kFileA, "v0\r\n"));
    Open("files");
    MessageBoxAnswers answers({IDOK, IDOK});
    Type("v1\r\n");
    Click(IDC_SYSEDIT_SAVE);
    Type("v2\r\n");
    Click(IDC_SYSEDIT_SAVE);
    const std::vector<std::string> told = answers.Finish();
    ASSERT_EQ(2u, told.size());
    for (const char* number : {"000", "001"}) {
        const std::string& message = told[number[2] - '0'];
        EXPECT_TRUE(StartsWith(message, "Your old file has been saved as ")) << message;
        EXPECT_EQ(Lower(scratch / "zkse-a.ini.") + number, Lower(message.substr(message.find(" as ") + 4)));
    }
    EXPECT_EQ("v0\r\n", ReadTextFile(scratch / "zkse-a.ini.000"));
    EXPECT_EQ("v1\r\n", ReadTextFile(scratch / "zkse-a.ini.001"));
    EXPECT_EQ("v2\r\n", Text());
    EXPECT_FALSE(SaveAndRestoreEnabled());

    Type("v3\r\n");
    Click(IDC_SYSEDIT_RESTORE);
    EXPECT_EQ("v2\r\n", Text());
    EXPECT_FALSE(SaveAndRestoreEnabled());
    EXPECT_FALSE(FileExists(scratch / "zkse-a.ini.002"));
    wizard.reset();  // the page lets go of the file it holds
    EXPECT_EQ("v2\r\n", ReadTextFile(scratch / kFileA));
}

TEST_F(SystemEditorPageTest, ABackupThatFailsLeavesTheFileAndTheUsersText) {
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
    ASSERT_NE(INVALID_HANDLE_VALUE, other);
    CloseHandle(other);
    ASSERT_EQ(2u, told.size());
    EXPECT_TRUE(StartsWith(told[1], "Zelkor could not back up ")) << told[1];
    EXPECT_EQ("kept\r\n", ReadTextFile(fileA));
    EXPECT_FALSE(FileExists(scratch / "zkse-a.ini.000"));
    EXPECT_EQ(kFileA, Chosen());
    EXPECT_EQ("mine\r\n", Text());
    EXPECT_TRUE(SaveAndRestoreEnabled());

    // Once the file is free again, Save writes the changes still shown.
    MessageBoxAnswers again({IDOK});
    Click(IDC_SYSEDIT_SAVE);
    ASSERT_EQ(1u, again.Finish().size());
    wizard.reset();
    EXPECT_EQ("mine\r\n", ReadTextFile(fileA));
    EXPECT_EQ("kept\r\n", ReadTextFile(scratch / "zkse-a.ini.000"));
}

TEST_F(SystemEditorPageTest, AWriteThatFailsOnAFullDiskLeavesTheOldContent) {
    if (GetFileAttributesA("Y:\\") == INVALID_FILE_ATTRIBUTES) GTEST_SKIP() << "no small drive Y:";
    const std::string directory = "Y:\\zksedit";
    CreateDirectoryA(directory.c_str(), nullptr);
    const std::string fileA = directory + "\\" + kFileA;
    ASSERT_TRUE(WriteTextFile(fileA, "small\r\n"));
    Work(directory);
    Open("files");
    const std::string large(100000, 'x');  // more than the drive holds
    Type(large);
    MessageBoxAnswers answers({IDOK});
    Click(IDC_SYSEDIT_SAVE);
    const std::vector<std::string> told = answers.Finish();
    ASSERT_EQ(1u, told.size());
    EXPECT_TRUE(StartsWith(told[0], "Zelkor could not save ")) << told[0];
    EXPECT_EQ(large, Text());
    EXPECT_TRUE(SaveAndRestoreEnabled());
    EXPECT_EQ(7u, ReadTextFile(directory + "\\zkse-a.ini.000").size()) << "the backup was made";
    WIN32_FIND_DATAA found;
    HANDLE leftOver = FindFirstFileA((directory + "\\ZK*.tmp").c_str(), &found);
    EXPECT_EQ(INVALID_HANDLE_VALUE, leftOver) << "the unfinished copy is removed";
    if (leftOver != INVALID_HANDLE_VALUE) FindClose(leftOver);

    wizard.reset();
    EXPECT_EQ("small\r\n", ReadTextFile(fileA));
    for (const char* name : {kFileA, "zkse-a.ini.000"}) DeleteFileA((directory + "\\" + name).c_str());
    SetCurrentDirectoryA("C:\\");
    RemoveDirectoryA(directory.c_str());
}

TEST_F(SystemEditorPageTest, LineEndsAndEveryByteComeBackAsTheyWere) {
    ASSERT_TRUE(WriteTextFile(scratch / kFileA, "l1\nl2\n"));
    std::string everyByte;
    for (int c = 1; c < 256; ++c) everyByte += static_cast<char>(c);
    ASSERT_TRUE(WriteTextFile(scratch / kFileB, everyByte));
    Open("files");
    MessageBoxAnswers answers({IDOK, IDOK});

    // Lines ended by LF alone are shown as lines and written back with LF.
    EXPECT_EQ("l1\r\nl2\r\n", Text());
    Type("l3\r\n", true);
    Click(IDC_SYSEDIT_SAVE);

    // A lone CR and a lone LF stay as they are; so does every other byte.
    Choose(kFileB);
    EXPECT_EQ("l1\nl2\nl3\n", ReadTextFile(scratch / kFileA));
    Type("!", true);
    Click(IDC_SYSEDIT_SAVE);
    wizard.reset();
    EXPECT_EQ(everyByte + "!", ReadTextFile(scratch / kFileB));
    EXPECT_EQ(2u, answers.Finish().size());
}

TEST_F(SystemEditorPageTest, NulBytesAreShownReadOnlyAndALockedFileSaysWhy) {
    ASSERT_TRUE(WriteTextFile(scratch / kFileA, std::string("a\0b", 3)));
    ASSERT_TRUE(WriteTextFile(scratch / kFileB, "in use"));
    MessageBoxAnswers answers({IDOK});
    Open("files");
    EXPECT_EQ("a\xB7" "b", Text());
    EXPECT_TRUE(GetWindowLongA(Control(IDC_SYSEDIT_TEXT), GWL_STYLE) & ES_READONLY);
    const std::vector<std::string> told = answers.Finish();
    ASSERT_EQ(1u, told.size());
    EXPECT_TRUE(StartsWith(told[0], "zkse-a.ini.txt contains zero (NUL) bytes")) << told[0];

    HANDLE other = CreateFileA((scratch / kFileB).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    Choose(kFileB);
    CloseHandle(other);
    EXPECT_TRUE(StartsWith(Text(), std::string(kMissing) + ":\r\n")) << Text();
    EXPECT_FALSE(Control(IDC_SYSEDIT_TEXT).isEnabled());
    EXPECT_EQ(std::string("a\0b", 3), ReadTextFile(scratch / kFileA));
}

TEST_F(SystemEditorPageTest, TheSystemEditorBoxInsertsThePageThatTheSessionOffers) {
    ASSERT_TRUE(FindTestLibrariesIn(LibraryDirectory("files")));
    session.createSystemEditorPage = []() -> std::unique_ptr<CWizardPage> { return std::make_unique<CSystemEditorPage>(); };
    wizard->AddPage(std::make_unique<CWelcomePage>());
    wizard->AddPage(std::make_unique<CWizardPage>(IDD_WELCOME, true));
    ASSERT_TRUE(wizard->Create(nullptr));
    auto press = [&](int id) { wizard->window().send(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED)); };
    wizard->currentPage()->item(IDC_WELCOME_CUSTOM).send(BM_CLICK);
    press(IDC_WIZARD_NEXT);
    const fw::WindowRef select = wizard->currentPage()->window();
    ASSERT_TRUE(select.item(IDC_SELECT_SYSTEM).isEnabled());
    select.item(IDC_SELECT_SYSTEM).send(BM_CLICK);
    press(IDC_WIZARD_NEXT);
    EXPECT_EQ("System Editor", wizard->item(IDC_WIZARD_TITLE).text());
    EXPECT_EQ(4u, wizard->pageCount());
    press(IDC_WIZARD_PREVIOUS);
    press(IDC_WIZARD_NEXT);
    EXPECT_EQ(4u, wizard->pageCount()) << "the page that exists is kept";
}

}  // namespace
