// Test libraries that fail: the user is told which library failed, its part of the log is
// marked incomplete, and the other libraries' output stays whole. A fault the process cannot
// survive still leaves the log written so far, marked, and a non-zero exit code.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Session.h"
#include "resources/resource.h"

namespace {

const std::string kUnderline = "\r\n" + std::string(50, '=') + "\r\n\r\n";
const std::string kPassed = "Result               = passed\r\n\r\n";

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

}  // namespace

// A Typical session over Alpha and one failing library, with empty details; every message box is
// answered with OK.
TEST(LibraryFault, AFailingLibraryIsNamedAndItsLogPartMarkedWhileTheOthersStayWhole) {
    const struct {
        const char* library;
        bool survives;  // the session reaches its log, and Finish ends it with 0
        std::vector<std::string> messages;
        std::vector<std::string> inLog, notInLog;
    } faults[] = {
        // Throwing pages are contained. Each note follows what its page wrote: the log part that
        // threw stops after its first line. Tests without a template or a procedure get no page,
        // and nothing is said of them.
        {"Thrower",
         true,
         {goesOnMessage("Thrower", "Throws on Next"), goesOnMessage("Thrower", "Throws in its log")},
         {"Alpha one" + kUnderline + kPassed,
          "Throws on Next" + kUnderline + kPassed + "\r\n" + incompleteLine("Thrower", "Throws on Next") +
              "\r\n\r\n",
          "Throws in its log" + kUnderline + "Started\r\n\r\n" +
              incompleteLine("Thrower", "Throws in its log") + "\r\n\r\n"},
         {"No template", "No procedure"}},
        // A null dereference ends the program.
        {"Crasher",
         false,
         {"An error occurred that Zelkor cannot recover from: " + failed("Crasher", "Crashes in its log") +
          ".\r\nZelkor will close now. A log that was being written has been kept and marked incomplete."},
         {"Crashes in its log" + kUnderline + "Started\r\n\r\nThis log is incomplete: " +
          failed("Crasher", "Crashes in its log") + "\r\n\r\n"},
         {}},
    };
    for (const auto& fault : faults) {
        SCOPED_TRACE(fault.library);
        DeleteFileA(e2e::kLog);
        e2e::Session session({"e2e\\Alpha.ZKL", std::string("e2e\\") + fault.library + ".ZKL"});
        const e2e::Details empty;
        const bool reachedLog = !session.Run(IDC_WELCOME_TYPICAL, &empty).empty();
        EXPECT_EQ(fault.survives, reachedLog) << "the session reached its log";
        if (fault.survives)
            EXPECT_EQ(0u, session.Finish());
        else
            EXPECT_NE(0u, session.WaitForExit());
        EXPECT_EQ(fault.messages, session.messages());
        const std::string log = e2e::ReadWholeFile(e2e::kLog);
        EXPECT_EQ(0u, log.find("Name:")) << log;
        for (const std::string& text : fault.inLog) EXPECT_NE(std::string::npos, log.find(text)) << log;
        for (const std::string& text : fault.notInLog) EXPECT_EQ(std::string::npos, log.find(text)) << log;
    }
}
