// Handing the log to support: no secret reaches it, personal details are hidden on request and
// come back, and a copy goes where the user says, whole or not at all.
#include <gtest/gtest.h>

#include <windows.h>

#include <dlgs.h>

#include "Session.h"
#include "resources/resource.h"

namespace {

using e2e::kLog;
constexpr char kScratchKey[] = "Software\\ZelkorE2E";
constexpr char kIni[] = "C:\\windows\\zke2e.ini";
constexpr char kText[] = "C:\\windows\\zke2e.txt";
constexpr char kNames[] = "C:\\Zelkor.names";
constexpr char kOriginal[] = "C:\\Zelkor.original.log";  // the log as it was, while details are hidden
constexpr char kCopy[] = "C:\\ZelkorCopy.log";

class HandOffTest : public ::testing::Test {
protected:
    void SetUp() override {
        RegDeleteTreeA(HKEY_CURRENT_USER, kScratchKey);
        const std::string alpha = std::string(kScratchKey) + "\\Alpha";
        e2e::SetString(alpha, "Contact", "help@corp.example at 10.20.30.40");
        e2e::SetString(alpha, "DbPassword", "reg-hunter2");
        e2e::WriteWholeFile(kIni, "[Boot]\r\nshell=explorer.exe\r\nProxyPassword = ini-hunter2\r\n");
        e2e::WriteWholeFile(kText, "before\r\napi_key=txt-hunter2\r\nafter\r\n");
        for (const char* file : {kLog, kNames, kCopy, kOriginal}) DeleteFileA(file);
    }
    void TearDown() override {
        RegDeleteTreeA(HKEY_CURRENT_USER, kScratchKey);
        for (const char* file : {kIni, kText, kNames, kCopy, kOriginal}) DeleteFileA(file);
    }

    HWND lastPage() {
        const e2e::Details details{"Jo Smith", "help@corp.example", "555 0100", ""};
        EXPECT_FALSE(session.Run(IDC_WELCOME_TYPICAL, &details).empty());
        return drive::VisibleChildDialog(session.wizard());
    }
    // Waits until the wizard is usable again after a task and the log is no longer `before`.
    std::string logOtherThan(const std::string& before) {
        std::string log;
        drive::WaitFor(
            [&]() -> HWND {
                log = e2e::ReadWholeFile(kLog);
                return log != before && IsWindowEnabled(session.wizard()) ? session.wizard() : nullptr;
            },
            20000);
        return log;
    }

    // Clicks the box until it shows `checked`: a click that comes while the status window of
    // the log's generation hands the focus back can be lost.
    bool setHidden(HWND page, bool checked) {
        HWND box = GetDlgItem(page, IDC_COMPLETE_HIDE_DETAILS);
        const auto shown = [&]() -> HWND {
            return (SendMessageA(box, BM_GETCHECK, 0, 0) == BST_CHECKED) == checked ? box : nullptr;
        };
        for (int tries = 0; tries < 3 && !shown(); ++tries) {
            drive::Click(page, IDC_COMPLETE_HIDE_DETAILS);
            drive::WaitFor(shown, 3000);
        }
        return shown() != nullptr;
    }
    // Clicks Save a copy until the Save As dialog comes, for the same reason.
    HWND openSaveAs(HWND page) {
        for (int tries = 0; tries < 3; ++tries) {
            drive::Click(page, IDC_COMPLETE_SAVE_COPY);
            if (HWND dialog = drive::WaitForTopLevel(session.pid(), "#32770", "Save As", 5000)) return dialog;
        }
        return nullptr;
    }
    // Types the path into the Save As dialog's name box (until it shows it: the dialog may
    // still be filling the box) and confirms it.
    void typePath(HWND dialog, const char* path) {
        HWND name = GetDlgItem(dialog, cmb13);
        drive::WaitFor(
            [&]() -> HWND {
                drive::SetText(name, path);
                Sleep(200);
                return drive::Text(name) == path ? name : nullptr;
            },
            5000);
        drive::Click(dialog, IDOK);
    }

    e2e::Session session{{"e2e\\Alpha.ZKL"}};
};

}  // namespace

TEST_F(HandOffTest, SecretsHiddenDetailsHiddenAndBackAndACopyOfWhatIsShown) {
    HWND page = lastPage();
    ASSERT_TRUE(page);
    const std::string original = e2e::ReadWholeFile(kLog);
    EXPECT_EQ(std::string::npos, original.find("hunter2"));
    EXPECT_NE(std::string::npos, original.find("STRING    DbPassword           = ******** (hidden)\r\n"));
    EXPECT_NE(std::string::npos, original.find("ProxyPassword        = ******** (hidden)\r\n"));
    EXPECT_NE(std::string::npos, original.find("before\r\napi_key=******** (hidden)\r\nafter\r\n"));

    // Hidden: the same placeholders however often a detail comes; the typed details stay.
    ASSERT_TRUE(setHidden(page, true));
    const std::string hidden = logOtherThan(original);
    EXPECT_EQ(0u, hidden.find("Name:               Jo Smith\r\nCompany:            help@corp.example\r\n"));
    EXPECT_NE(std::string::npos, hidden.find("= name1@example.invalid at 192.0.2.1\r\n"));
    EXPECT_EQ(hidden.find("help@corp.example"), hidden.rfind("help@corp.example"));
    EXPECT_EQ(std::string::npos, hidden.find("10.20.30.40"));
    const std::string names = e2e::ReadWholeFile(kNames);
    EXPECT_NE(std::string::npos, names.find("ipv4\t192.0.2.1\t10.20.30.40\r\n"));

    // The copy is what View Log shows: the hidden log, named as the user chose.
    HWND saveAs = openSaveAs(page);
    ASSERT_TRUE(saveAs);
    const std::string proposed = drive::Text(GetDlgItem(saveAs, cmb13));
    EXPECT_EQ(0u, proposed.find("Zelkor-")) << proposed;
    EXPECT_EQ(proposed.size() - 18, proposed.rfind('-', proposed.size() - 10)) << proposed;
    typePath(saveAs, kCopy);
    drive::WaitFor([&]() -> HWND { return e2e::ReadWholeFile(kCopy).empty() ? nullptr : page; }, 10000);
    EXPECT_EQ(hidden, e2e::ReadWholeFile(kCopy));
    EXPECT_EQ("A copy of the log file has been saved as \"C:\\ZelkorCopy.log\"",
              drive::Text(GetDlgItem(page, IDC_COMPLETE_RESULT)));

    // Unticked: the log as it was generated, byte for byte.
    ASSERT_TRUE(setHidden(page, false));
    EXPECT_EQ(original, logOtherThan(hidden));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(kOriginal));

    // Ticked again and left so: the log as it was goes with the program.
    ASSERT_TRUE(setHidden(page, true));
    EXPECT_EQ(hidden, logOtherThan(original));
    EXPECT_EQ(original, e2e::ReadWholeFile(kOriginal));
    EXPECT_EQ(std::vector<std::string>(), session.messages());
    EXPECT_EQ(0u, session.Finish());
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(kOriginal));
}

TEST_F(HandOffTest, ACopyOntoAFullDiskIsToldAndLeavesNothing) {
    if (GetFileAttributesA("Y:\\") == INVALID_FILE_ATTRIBUTES) GTEST_SKIP() << "no small drive Y:";
    // Fill the drive so that not even a small log fits.
    const char filler[] = "Y:\\filler.bin";
    HANDLE file = CreateFileA(filler, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    const std::string block(1024, 'f');
    DWORD written = 0;
    while (WriteFile(file, block.data(), 1024, &written, nullptr) && written == 1024) {
    }
    CloseHandle(file);

    HWND page = lastPage();
    ASSERT_TRUE(page);
    HWND saveAs = openSaveAs(page);
    ASSERT_TRUE(saveAs);
    typePath(saveAs, "Y:\\copy.log");
    const drive::MessageBoxSeen box = drive::WaitForMessageBox(session.pid(), 10000);
    EXPECT_EQ(0u, box.text.find("The copy could not be saved as \"Y:\\copy.log\": ")) << box.text;
    drive::AnswerMessageBox(box, IDOK);
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA("Y:\\copy.log"));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA("Y:\\copy.log.tmp"));
    DeleteFileA(filler);
    EXPECT_EQ(0u, session.Finish());
}
