// Test libraries that fail: the user is told which library failed, its part of the log is
// marked incomplete, and the other libraries' output stays whole. A fault the process cannot
// survive still leaves the log written so far, marked, and a non-zero exit code.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "Session.h"
#include "resources/resource.h"

namespace {

constexpr char kLog[] = "C:\\Zelkor.log";
const std::string kAlphaPart =
    "Alpha one\r\n" + std::string(50, '=') + "\r\n\r\nResult               = passed\r\n\r\n";

std::string readLog() {
    std::ifstream file(kLog, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

std::string failed(const char* library, const char* test) {
    return std::string("the test library \"") + library + "\" (" + library + ".ZKL) failed in its test \"" + test +
           "\"";
}

std::string incompleteLine(const char* library, const char* test) {
    return "This log is incomplete: " + failed(library, test) + ", so the output of that library is incomplete";
}

std::string goesOnMessage(const char* library, const char* test) {
    return "An error occurred: " + failed(library, test) +
           ".\r\nThat library's part of the log will be incomplete. The session goes on with the other tests.";
}

// A Typical session over Alpha and the given fixture: Next until the User Info dialog, whose
// empty details are taken, then until the log is generated or the program ends. Every message
// box on the way is recorded and answered with OK.
class FaultSession {
public:
    explicit FaultSession(const char* library) : m_session({"e2e\\Alpha.ZKL", std::string("e2e\\") + library}) {
        DeleteFileA(kLog);
    }

    // True when the log was generated and the wizard waits for Finish.
    bool Run() {
        if (!m_session.Start()) return false;
        m_wizard = m_session.WaitForWizard();
        if (!m_wizard) return false;
        drive::Click(drive::VisibleChildDialog(m_wizard), IDC_WELCOME_TYPICAL);
        bool detailsGiven = false;
        for (int step = 0; step < 40; ++step) {
            answerMessageBoxes();
            if (!detailsGiven) {
                if (HWND info = drive::WaitForTopLevel(m_session.pid(), "#32770", "User Info", 300)) {
                    drive::Click(info, IDOK);
                    detailsGiven = true;
                } else {
                    drive::Click(m_wizard, IDC_WIZARD_NEXT);
                }
            } else if (logGenerated() || ended()) {
                return logGenerated();
            }
        }
        return false;
    }
    DWORD Finish() {
        drive::Click(m_wizard, IDC_WIZARD_FINISH);
        return WaitForExit();
    }
    DWORD WaitForExit() {
        DWORD exitCode = 0;
        EXPECT_TRUE(m_session.WaitForExit(20000, exitCode));
        return exitCode;
    }
    const std::vector<std::string>& messages() const { return m_messages; }

private:
    void answerMessageBoxes() {
        for (drive::MessageBoxSeen box; (box = drive::WaitForMessageBox(m_session.pid(), 300)).window;) {
            m_messages.push_back(box.text);
            if (const char* shot = std::getenv("ZELKOR_FAULT_SCREENSHOT")) drive::SaveScreenshot(box.window, shot);
            drive::AnswerMessageBox(box, IDOK);
            Sleep(100);  // let it close before looking again
        }
    }
    bool logGenerated() const {
        HWND page = drive::VisibleChildDialog(m_wizard);
        return page && IsWindowEnabled(m_wizard) && !drive::Text(GetDlgItem(page, IDC_COMPLETE_RESULT)).empty();
    }
    bool ended() const { return !IsWindow(m_wizard); }

    e2e::Session m_session;
    HWND m_wizard = nullptr;
    std::vector<std::string> m_messages;
};

}  // namespace

TEST(LibraryFault, ThrowingPagesAreContainedAndTheSessionCompletes) {
    FaultSession session("Thrower.ZKL");
    ASSERT_TRUE(session.Run()) << "the session did not reach its log";
    EXPECT_EQ(0u, session.Finish());
    EXPECT_EQ((std::vector<std::string>{goesOnMessage("Thrower", "Throws on Next"),
                                        goesOnMessage("Thrower", "Throws in its log")}),
              session.messages());
    const std::string log = readLog();
    EXPECT_NE(std::string::npos, log.find(kAlphaPart)) << log;
    // Each note follows what its page wrote: the log part that threw stops after its first line.
    EXPECT_NE(std::string::npos, log.find("Throws on Next\r\n" + std::string(50, '=') +
                                          "\r\n\r\nResult               = passed\r\n\r\n\r\n" +
                                          incompleteLine("Thrower", "Throws on Next") + "\r\n\r\n"))
        << log;
    EXPECT_NE(std::string::npos, log.find("Throws in its log\r\n" + std::string(50, '=') + "\r\n\r\nStarted\r\n\r\n" +
                                          incompleteLine("Thrower", "Throws in its log") + "\r\n\r\n"))
        << log;
}

TEST(LibraryFault, TestsWithoutTemplateOrProcedureGetNoPageAndTheSessionCompletes) {
    FaultSession session("Hollow.ZKL");
    ASSERT_TRUE(session.Run()) << "the session did not reach its log";
    EXPECT_EQ(0u, session.Finish());
    EXPECT_TRUE(session.messages().empty());
    const std::string log = readLog();
    EXPECT_NE(std::string::npos, log.find(kAlphaPart)) << log;
    EXPECT_EQ(std::string::npos, log.find("No template")) << log;
    EXPECT_EQ(std::string::npos, log.find("No procedure")) << log;
}

TEST(LibraryFault, ANullDereferenceEndsTheProgramWithTheLogMarked) {
    FaultSession session("Crasher.ZKL");
    EXPECT_FALSE(session.Run()) << "the session went on after the crash";
    EXPECT_NE(0u, session.WaitForExit());
    EXPECT_EQ((std::vector<std::string>{"An error occurred that Zelkor cannot recover from: " +
                                        failed("Crasher", "Crashes in its log") +
                                        ".\r\nZelkor will close now. A log that was being written has been kept "
                                        "and marked incomplete."}),
              session.messages());
    const std::string log = readLog();
    EXPECT_EQ(0u, log.find("Name:")) << log;
    EXPECT_NE(std::string::npos, log.find("Crashes in its log\r\n" + std::string(50, '=') + "\r\n\r\nStarted\r\n\r\n" +
                                          "This log is incomplete: " + failed("Crasher", "Crashes in its log") +
                                          "\r\n\r\n"))
        << log;
}
