// Where the log goes wrong: a place that refuses it, or a session that dies while writing it.
// The file under the log's name is then the previous whole log, and the last page says so.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Session.h"
#include "resources/resource.h"

namespace {

using e2e::kLog;
constexpr char kOldLog[] = "Name:               Earlier Session\r\n";
constexpr char kTypicalKey[] = "Software\\ZelkorE2E\\Alpha";  // Alpha's key for Typical diagnostics

// What is under the log's name: its text, or "<folder>".
std::string logState() {
    const DWORD attributes = GetFileAttributesA(kLog);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) return "<folder>";
    return e2e::ReadWholeFile(kLog);
}

// The files beside the log whose names start with the log's: a log being generated.
std::vector<std::string> logSiblings() {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((std::string(kLog) + "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do
        if (std::string("C:\\") + found.cFileName != kLog) names.push_back(std::string("C:\\") + found.cFileName);
    while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
}

class LogLocationTest : public ::testing::Test {
protected:
    void SetUp() override { removeLog(); }
    void TearDown() override {
        removeLog();
        RegDeleteTreeA(HKEY_CURRENT_USER, kTypicalKey);
    }
    static void removeLog() {
        SetFileAttributesA(kLog, FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(kLog);
        RemoveDirectoryA(kLog);
        for (const std::string& sibling : logSiblings()) DeleteFileA(sibling.c_str());
    }
};

// A folder in the log's place, or a read-only log: the session goes on to its end, the page
// names the reason, and nothing can be done with a log that was not saved.
TEST_F(LogLocationTest, ALogThatCannotBeSavedIsReportedWithTheReasonAndOffersNoActions) {
    const struct {
        const char* what;
        void (*prepare)();
        const char* kept;
    } places[] = {
        {"a folder in the log's place", [] { CreateDirectoryA(kLog, nullptr); }, "<folder>"},
        {"a read-only log",
         [] {
             e2e::WriteWholeFile(kLog, kOldLog);
             SetFileAttributesA(kLog, FILE_ATTRIBUTE_READONLY);
         },
         kOldLog},
    };
    for (const auto& place : places) {
        SCOPED_TRACE(place.what);
        place.prepare();
        e2e::Session session({"e2e\\Alpha.ZKL"});
        const e2e::Details details{"Ada", "", "", ""};
        EXPECT_EQ("Zelkor could not save the log file \"C:\\Zelkor.log\": Access denied.",
                  session.Run(IDC_WELCOME_FULL, &details));
        HWND page = drive::VisibleChildDialog(session.wizard());
        for (int action : {IDC_COMPLETE_VIEW, IDC_COMPLETE_PRINT, IDC_COMPLETE_FAX, IDC_COMPLETE_MAIL})
            EXPECT_FALSE(drive::IsEnabled(page, action)) << "action " << action;
        EXPECT_EQ(std::vector<std::string>(), session.messages());
        EXPECT_EQ(0u, session.Finish());
        EXPECT_EQ(place.kept, logState());
        EXPECT_TRUE(logSiblings().empty()) << "a generated log was left behind";
        removeLog();
    }
}

// The Welcome page's part is made long (a key with many values) so that the session is still
// writing when it is killed.
TEST_F(LogLocationTest, ASessionKilledWhileWritingTheLogLeavesThePreviousLog) {
    for (DWORD i = 0; i < 20000; ++i) e2e::SetDword(kTypicalKey, ("Value" + std::to_string(i)).c_str(), i);
    e2e::WriteWholeFile(kLog, kOldLog);

    e2e::Session session({"e2e\\Alpha.ZKL"});
    ASSERT_NE(nullptr, session.StartWizard(IDC_WELCOME_TYPICAL));
    const e2e::Details details{"Ada", "", "", ""};
    session.EnterUserInfo(&details);
    // The status window shows from the log's start to its end. Found without asking any window
    // for its text: the program's windows do not answer while it writes the log.
    const auto statusWindow = [&]() -> HWND {
        for (HWND window : drive::TopLevelWindows(session.pid(), "#32770", nullptr))
            if (GetDlgItem(window, IDC_STATUS_TEXT)) return window;
        return nullptr;
    };
    ASSERT_NE(nullptr, drive::WaitFor(statusWindow, 20000)) << "the log was never started";
    EXPECT_FALSE(drive::IsEnabled(drive::VisibleChildDialog(session.wizard()), IDC_COMPLETE_VIEW));
    ASSERT_FALSE(session.Ended()) << "the session ended before it was killed";
    ASSERT_TRUE(session.Kill());
    EXPECT_EQ(kOldLog, e2e::ReadWholeFile(kLog));
}

}  // namespace
