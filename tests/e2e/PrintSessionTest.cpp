// Print and Fax on the last page, end to end: the log's lines reach the queues of
// scripts/with-cups.sh ("ZelkorTest", the default, and the fax printer "Ravelin"), and the
// fax-product simulator, installed as Ravelin 8.00, receives the commands.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include <windows.h>
#include <winspool.h>

#include "Session.h"
#include "resources/resource.h"
#include "tests/printing/PrintedPages.h"
#include "tools/ravelin/RavelinSimulator.h"

namespace {

class PrintSessionTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (std::getenv("ZELKOR_NO_CUPSD")) GTEST_SKIP() << "this machine has no cupsd: printing is not tested";
        if (!std::getenv("ZELKOR_PRINT_SPOOL")) GTEST_SKIP() << "needs scripts/with-cups.sh (CTest runs it)";
    }
    void TearDown() override {
        if (HWND simulator = FindWindowA(kRavelinSimulatorClass, nullptr)) PostMessageA(simulator, WM_CLOSE, 0, 0);
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, "Software\\Halvard\\Ravelin");
        RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Halvard\\Ravelin");
    }

    // Presses the action; once the wizard is usable again, the lines of the new job's pages (the
    // headers and footers checked and left out), or nothing when the job did not reach that queue.
    std::vector<std::string> PrintedLines(HWND wizard, const char* queue, const std::function<void()>& answer) {
        const size_t before = printing::SpooledJobs().size();
        answer();
        drive::WaitFor([&] { return printing::SpooledJobs().size() > before && IsWindowEnabled(wizard) ? wizard : nullptr; }, 60000);
        const auto jobs = printing::SpooledJobs();
        // The scheduler writes the control file that names the queue a moment after the job.
        if (jobs.size() <= before ||
            !drive::WaitFor([&] { return printing::JobWentTo(jobs.back(), queue) ? wizard : nullptr; }, 10000))
            return {};
        std::vector<std::string> lines;
        const std::vector<printing::Page> pages = printing::ReadPostScript(jobs.back());
        for (size_t p = 0; p < pages.size(); ++p) {
            EXPECT_EQ(printing::Printable(e2e::kLog), pages[p].front()) << "the header names the log";
            EXPECT_EQ("Page " + std::to_string(p + 1) + " of " + std::to_string(pages.size()), pages[p].back());
            if (pages[p].size() > 4) lines.insert(lines.end(), pages[p].begin() + 3, pages[p].end() - 1);
        }
        return lines;
    }

    // The log's non-empty lines, as the pages show them.
    static std::vector<std::string> LogLines() {
        std::vector<std::string> lines;
        const std::string log = e2e::ReadWholeFile(e2e::kLog);
        for (size_t at = 0, end; at < log.size(); at = end + 2) {
            end = std::min(log.find("\r\n", at), log.size());
            if (end > at) lines.push_back(printing::Printable(log.substr(at, end - at)));
        }
        return lines;
    }

    static void PrintOn(const e2e::Session& session, HWND page) {
        drive::Click(page, IDC_COMPLETE_PRINT);
        HWND print = drive::WaitForTopLevel(session.pid(), "#32770", "Print", 20000);
        EXPECT_FALSE(IsWindowVisible(GetDlgItem(print, IDC_PRINT_COPIES))) << "only the printer is chosen";
        drive::Click(print, IDOK);
    }

    // The program's status window once its text starts with the prefix.
    static HWND StatusSaying(DWORD pid, const std::string& prefix) {
        return drive::WaitFor([&]() -> HWND {
            for (HWND window : drive::TopLevelWindows(pid, "#32770", nullptr))
                if (HWND text = GetDlgItem(window, IDC_STATUS_TEXT))
                    if (drive::Text(text).rfind(prefix, 0) == 0) return window;
            return nullptr;
        }, 30000);
    }
};

TEST_F(PrintSessionTest, PrintAndFaxPutTheLogOnPaper) {
    const char* home = std::getenv("ZELKOR_HOME");
    const DWORD eight = 8, zero = 0;
    const char* version = "Software\\Halvard\\Ravelin\\CurrentVersion";
    RegSetKeyValueA(HKEY_LOCAL_MACHINE, version, "MajorVersion", REG_DWORD, &eight, sizeof eight);
    RegSetKeyValueA(HKEY_LOCAL_MACHINE, version, "MinorVersion", REG_DWORD, &zero, sizeof zero);
    e2e::SetString("Software\\Halvard\\Ravelin\\7.0\\Ravelin", "Exepath",
                   std::string(home && *home ? home : "C:\\Zelkor") + "\\ravelin\\");
    char record[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, record);
    lstrcatA(record, "zkfax-received.txt");
    DeleteFileA(record);
    SetEnvironmentVariableA("RAVELIN_SIM_RECORD", record);  // the simulator inherits it

    e2e::Session session({"e2e\\Alpha.ZKL"});
    const e2e::Details details{"Ada", "Corvane", "", ""};
    ASSERT_FALSE(session.Run(IDC_WELCOME_TYPICAL, &details).empty());
    HWND wizard = session.wizard();
    HWND page = drive::VisibleChildDialog(wizard);
    const std::vector<std::string> logLines = LogLines();

    EXPECT_EQ(logLines, PrintedLines(wizard, "ZelkorTest", [&] { PrintOn(session, page); }));
    ASSERT_TRUE(drive::IsEnabled(page, IDC_COMPLETE_FAX));
    EXPECT_EQ(logLines, PrintedLines(wizard, "Ravelin", [&] {
        drive::Click(page, IDC_COMPLETE_FAX);
        HWND fax = drive::WaitForTopLevel(session.pid(), "#32770", "Fax to Corvane", 20000);
        drive::SetText(GetDlgItem(fax, IDC_FAX_NUMBER), "555 0199");
        drive::SetText(GetDlgItem(fax, IDC_FAX_DETAILS), "The modem hangs up");
        drive::Click(fax, IDOK);
    }));
    const std::string received = e2e::ReadWholeFile(record);
    EXPECT_NE(std::string::npos, received.find("\r\nrecipient(\"555 0199\",")) << received;
    EXPECT_NE(std::string::npos, received.find("\r\nfillcoverpage(\"The modem hangs up\")\r\n")) << received;
    EXPECT_TRUE(session.messages().empty());
    EXPECT_EQ(0u, session.Finish());
    DeleteFileA(record);
}

// A long print shows its progress and stops at Cancel without a job in the spool; a queue that
// refuses the job is told to the user. The wizard goes on printing either way.
TEST_F(PrintSessionTest, CancelLeavesNoJobAndARefusalIsTold) {
    e2e::Session session({"e2e\\Alpha.ZKL"});
    const e2e::Details details{"Ada", "Corvane", "", ""};
    ASSERT_FALSE(session.Run(IDC_WELCOME_TYPICAL, &details).empty());
    HWND wizard = session.wizard();
    HWND page = drive::VisibleChildDialog(wizard);
    const std::string log = e2e::ReadWholeFile(e2e::kLog);
    std::string longLog;
    for (int i = 1; i <= 20000; ++i) longLog += "Line " + std::to_string(i) + "\r\n";
    e2e::WriteWholeFile(e2e::kLog, longLog);

    const size_t before = printing::SpooledJobs().size();
    PrintOn(session, page);
    HWND status = StatusSaying(session.pid(), "Printing page ");
    ASSERT_NE(nullptr, status);
    const std::string progress = drive::Text(GetDlgItem(status, IDC_STATUS_TEXT));
    unsigned number = 0, pages = 0;
    EXPECT_EQ(2, sscanf(progress.c_str(), "Printing page %u of %u", &number, &pages)) << progress;
    EXPECT_GT(pages, 300u) << progress;
    ASSERT_TRUE(drive::IsVisible(status, IDCANCEL));
    drive::Click(status, IDCANCEL);
    EXPECT_TRUE(drive::WaitFor([&] { return IsWindow(status) ? nullptr : wizard; }, 30000)) << "the print stops";
    EXPECT_TRUE(drive::WaitFor([&] { return IsWindowEnabled(wizard) ? wizard : nullptr; }, 10000));
    Sleep(1000);  // what the scheduler would take in
    EXPECT_EQ(before, printing::SpooledJobs().size()) << "a cancelled print leaves no job";

    e2e::WriteWholeFile(e2e::kLog, log);
    EXPECT_EQ(LogLines(), PrintedLines(wizard, "ZelkorTest", [&] { PrintOn(session, page); }));

    ASSERT_TRUE(SetDefaultPrinterA("Refusing")) << GetLastError();  // the print dialog offers it first
    PrintOn(session, page);
    const drive::MessageBoxSeen refusal = drive::WaitForMessageBox(session.pid(), 30000);
    SetDefaultPrinterA("ZelkorTest");
    EXPECT_EQ(0u, refusal.text.rfind("The printer refused the log, so it has not been printed:", 0)) << refusal.text;
    drive::AnswerMessageBox(refusal, IDOK);
    EXPECT_TRUE(drive::WaitFor([&] { return IsWindowEnabled(wizard) ? wizard : nullptr; }, 10000));
    EXPECT_TRUE(session.messages().empty());
    EXPECT_EQ(0u, session.Finish());
}

}  // namespace
