// Unattended runs from the command line: the same log as a person's session, no window that waits
// for anyone, a time bound per page, and the exit codes that tell a fleet's scripts what happened.
#include <gtest/gtest.h>

#include "Session.h"
#include "resources/resource.h"

namespace {

using e2e::kLog;
constexpr char kGeneralKey[] = "Software\\Halvard\\Zelkor\\General";
// The quit's grace for a task asked to stop, and room for starting and writing.
constexpr DWORD kGraceMs = 5000, kRoomMs = 8000;

class UnattendedTest : public ::testing::Test {
protected:
    void SetUp() override { e2e::SeedGoldenMachine(); }
    void TearDown() override { e2e::ClearGoldenMachine(); }

    // Runs the program with these arguments to its end; its exit code. A message box of the
    // program's that appears fails the test (and is answered, so that the run can end); a
    // library's own is left to the run.
    DWORD run(e2e::Session& session, const std::string& arguments) {
        EXPECT_TRUE(session.StartWith(arguments, outputFile)) << arguments;
        const DWORD start = GetTickCount();
        for (;;) {
            const drive::MessageBoxSeen box = drive::WaitForMessageBox(session.pid(), 0);
            if (box.window && box.caption == "Zelkor") {
                ADD_FAILURE() << "a message box appeared: " << box.text;
                drive::AnswerMessageBox(box, IDOK);
            }
            if (session.Ended() || GetTickCount() - start > 60000) break;
            Sleep(50);
        }
        elapsedMs = GetTickCount() - start;
        const DWORD exitCode = session.WaitForExit();
        output = e2e::ReadWholeFile(outputFile);
        return exitCode;
    }
    DWORD run(const std::string& arguments) { return run(session, arguments); }

    static bool contains(const std::string& text, const std::string& part) {
        return text.find(part) != std::string::npos;
    }

    const char* outputFile = "C:\\zkunattended.txt";
    std::string output;
    DWORD elapsedMs = 0;
    e2e::Session session{{"e2e\\Alpha.ZKL", "e2e\\Beta.ZKL"}};
};

// A Typical run's golden log is checked after a second run at once (below).
TEST_F(UnattendedTest, AFullRunWritesThePersonsLogByteForByte) {
    // The details a person typed in the golden session are the ones saved for the next.
    e2e::SetString(kGeneralKey, "User Name", "Ada Lovelace");
    e2e::SetString(kGeneralKey, "User Company", "Analytical Engines Ltd");
    e2e::SetString(kGeneralKey, "User Phone", "+44 20 7946 0000");
    e2e::SetString(kGeneralKey, "User Fax", "+44 20 7946 0001");
    EXPECT_EQ(0u, run("/AUTO:Full"));
    e2e::expectGolden("FULL_LOG", e2e::ReadWholeFile(kLog));
}

TEST_F(UnattendedTest, ABadCommandLineOrLogPlaceEndsNonZeroAndSaysWhyWithoutAWindow) {
    EXPECT_EQ(3u, run("\"/tests:Alpha Modem.Alpha one,alpha modem.no such test\""));
    EXPECT_TRUE(contains(output, "\"alpha modem.no such test\"")) << output;
    EXPECT_EQ(3u, run("/auto:quick"));
    EXPECT_TRUE(contains(output, "quick")) << output;
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(kLog)) << "no session ran";

    EXPECT_EQ(0u, run("/?"));
    EXPECT_TRUE(contains(output, "Exit codes:\r\n0   the log is complete")) << output;

    // A log that cannot be written ends with 2 and says where. That a read-only log stays as it
    // was, whoever runs the session, LogLocationTest shows.
    EXPECT_EQ(2u, run("/auto /log:C:\\zk-no-such-folder\\run.log"));
    EXPECT_TRUE(contains(output, "C:\\zk-no-such-folder\\run.log")) << output;
}

TEST_F(UnattendedTest, APageStillBusyAfterItsTimeIsStoppedNamedInTheLogAndTheRunGoesOn) {
    e2e::Session hanging{{"e2e\\Alpha.ZKL", "e2e\\Hanger.ZKL"}};
    EXPECT_EQ(1u, run(hanging, "\"/tests:Hanger.Never ends,Alpha Modem.Alpha one\" /timeout:2"));
    EXPECT_LT(elapsedMs, 2000 + kGraceMs + kRoomMs);
    const std::string log = e2e::ReadWholeFile(kLog);
    EXPECT_TRUE(contains(log, "This log is incomplete: the test \"Never ends\" of the library \"Hanger\" was still "
                              "busy after 2 seconds"))
        << log;
    EXPECT_TRUE(contains(log, "Alpha one")) << "the next page ran";

    // A library's own message box is closed when the time is up, like a busy page.
    EXPECT_EQ(1u, run(hanging, "\"/tests:hanger.asks a question\" /timeout:1"));
    EXPECT_LT(elapsedMs, 1000 + kRoomMs);
    EXPECT_TRUE(contains(e2e::ReadWholeFile(kLog), "the test \"Asks a question\" of the library \"Hanger\""));
}

// A library that fails is told in the log, not in a message box, and the run ends with 1.
TEST_F(UnattendedTest, WhatAMessageBoxWouldSayGoesToTheLog) {
    e2e::Session failing{{"e2e\\Alpha.ZKL", "e2e\\Thrower.ZKL"}};
    EXPECT_EQ(1u, run(failing, "/auto"));
    const std::string log = e2e::ReadWholeFile(kLog);
    const size_t messages = log.find("* Messages of the unattended run");
    ASSERT_NE(std::string::npos, messages) << log;
    EXPECT_TRUE(contains(log.substr(messages), "\"Thrower\"")) << log.substr(messages);
}

// A share of many machines, here under a folder whose name is neither short nor in the ANSI code
// page: the log lands as COMPUTERNAME-yyyymmdd-hhmmss.log.
TEST_F(UnattendedTest, ALogFolderGetsTheMachinesOwnFileWhateverItsPath) {
    std::wstring folder = L"\\\\?\\C:\\zk-fleet-\u0416\u0443\u0440\u043d\u0430\u043b";
    for (int level = 0; level < 3; ++level) {
        CreateDirectoryW(folder.c_str(), nullptr);
        folder += L"\\" + std::wstring(90, static_cast<wchar_t>(L'a' + level));
    }
    CreateDirectoryW(folder.c_str(), nullptr);
    const std::wstring shown = folder.substr(4) + L"\\";
    ASSERT_GT(shown.size(), static_cast<size_t>(MAX_PATH));
    char utf8[1024] = {};
    WideCharToMultiByte(CP_UTF8, 0, shown.c_str(), -1, utf8, sizeof utf8, nullptr, nullptr);

    EXPECT_EQ(0u, run(std::string("/auto \"/log:") + utf8 + "\"")) << output;
    wchar_t computer[MAX_COMPUTERNAME_LENGTH + 1] = {};
    DWORD length = MAX_COMPUTERNAME_LENGTH + 1;
    GetComputerNameW(computer, &length);
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileW((folder + L"\\" + computer + L"-*.log").c_str(), &found);
    EXPECT_NE(INVALID_HANDLE_VALUE, search) << "no log in the folder";
    if (search != INVALID_HANDLE_VALUE) {
        DeleteFileW((folder + L"\\" + found.cFileName).c_str());
        FindClose(search);
    }
    for (int level = 3; level >= 0; --level) {
        RemoveDirectoryW(folder.c_str());
        folder.resize(folder.rfind(L'\\'));
    }
}

TEST_F(UnattendedTest, ASecondRunAtOnceWaitsForTheFirstAndBothLogsAreWhole) {
    e2e::Session first{{"e2e\\Alpha.ZKL", "e2e\\Hanger.ZKL"}};
    ASSERT_TRUE(first.StartWith("\"/tests:Hanger.Never ends\" /timeout:5", "C:\\zkfirst.txt"));
    ASSERT_NE(nullptr, drive::WaitForTopLevel(first.pid(), "#32770", "Zelkor", 20000));
    EXPECT_EQ(0u, run("/auto"));
    EXPECT_TRUE(contains(output, "this one waits for it to end")) << output;
    EXPECT_EQ(1u, first.WaitForExit());
    e2e::expectGolden("TYPICAL_LOG", e2e::ReadWholeFile(kLog));
    DeleteFileA("C:\\zkfirst.txt");
}

}  // namespace
