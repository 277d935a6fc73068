// Test libraries that fail: the user is told which library failed, its part of the log is
// marked incomplete, and the other libraries' output stays whole. A fault that the library
// handles itself is left to it. A fault the process cannot survive still leaves the log written
// so far, marked, and a non-zero exit code.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Session.h"
#include "resources/resource.h"

namespace {

const std::string kUnderline = "\r\n" + std::string(50, '=') + "\r\n\r\n";
const std::string kPassed = "Result               = passed\r\n\r\n";
const std::string kSaved = "The log file for this session has been saved as \"C:\\Zelkor.log\"";

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
        std::string outcome;  // what the last page says of the log; empty: the session ends first
        std::vector<std::string> messages;
        std::vector<std::string> inLog, notInLog;
    } faults[] = {
        // Throwing pages are contained. Each note follows what its page wrote: the log part that
        // threw stops after its first line. The last page gives the first note's reason (the
        // pages are in the tree's order). Tests without a template or a procedure get no page,
        // and nothing is said of them.
        {"Thrower",
         kSaved + ", but it is incomplete: " + failed("Thrower", "Throws in its log") +
             ", so the output of that library is incomplete",
         {goesOnMessage("Thrower", "Throws on Next"), goesOnMessage("Thrower", "Throws in its log")},
         {"Alpha one" + kUnderline + kPassed,
          "Throws on Next" + kUnderline + kPassed + "\r\n" + incompleteLine("Thrower", "Throws on Next") +
              "\r\n\r\n",
          "Throws in its log" + kUnderline + "Started\r\n\r\n" +
              incompleteLine("Thrower", "Throws in its log") + "\r\n\r\n"},
         {"No template", "No procedure"}},
        // A fault that the library's own handler repairs is no concern of the program's.
        {"Recoverer",
         kSaved,
         {},
         {"Recovers in its log" + kUnderline + "Recovered from its own fault and read 42\r\n\r\n"},
         {"This log is incomplete"}},
        // A null dereference that no handler of the library's takes ends the program.
        {"Crasher",
         "",
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
        EXPECT_EQ(fault.outcome, session.Run(IDC_WELCOME_TYPICAL, &empty));
        if (!fault.outcome.empty())
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
