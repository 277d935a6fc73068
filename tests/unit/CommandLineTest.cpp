// The command line of unattended runs: what each switch asks for and what is refused (exit code 3).
#include <gtest/gtest.h>

#include "app/CommandLine.h"
#include "framework/MessageBox.h"
#include "wizard/WizardSession.h"

namespace {

CommandLine parse(std::vector<std::wstring> arguments) { return ParseCommandLine(arguments); }

TEST(CommandLine, ModesTestsTimeoutAndLogAreTaken) {
    EXPECT_FALSE(parse({}).unattended());
    EXPECT_EQ(CommandLine::Mode::Typical, parse({L"/auto"}).mode);
    // "/AUTO:Full" and "/?" are run whole by UnattendedTest.

    const CommandLine custom =
        parse({L"/tests: Alpha Modem.Alpha one ,,beta fax.beta one", L"/timeout:7", L"/log:\\\\share\\logs\\"});
    EXPECT_EQ("", custom.error);
    EXPECT_EQ(CommandLine::Mode::Custom, custom.mode);
    EXPECT_EQ((std::vector<std::string>{"Alpha Modem.Alpha one", "beta fax.beta one"}), custom.tests);
    EXPECT_EQ(7u, custom.pageTimeoutSeconds);
    EXPECT_EQ(L"\\\\share\\logs\\", custom.logPath);
    EXPECT_EQ(300u, parse({L"/auto"}).pageTimeoutSeconds);
    // A plain /auto beside the list changes nothing.
    EXPECT_EQ(CommandLine::Mode::Custom, parse({L"/auto", L"/tests:A.b"}).mode);
    // The log may be put elsewhere for a person's session too.
    EXPECT_EQ("", parse({L"/log:D:\\x.log"}).error);
}

TEST(CommandLine, SplitsAtSpacesOutsideQuotesAndKeepsEveryBackslash) {
    EXPECT_EQ((std::vector<std::wstring>{L"C:\\Program Files\\Zelkor.exe", L"/auto", L"/log:C:\\My Logs\\",
                                         L"/tests:Alpha Modem.Alpha one", L"x"}),
              SplitCommandLine(L"\"C:\\Program Files\\Zelkor.exe\"  /auto \"/log:C:\\My Logs\\\"\t"
                               L"/tests:\"Alpha Modem.Alpha one\" x "));
    EXPECT_EQ(std::vector<std::wstring>{L""}, SplitCommandLine(L"\"\""));
}

TEST(CommandLine, BadLinesNameWhatIsWrong) {
    const struct {
        std::vector<std::wstring> arguments;
        const char* named;
    } bad[] = {
        {{L"/auto:quick"}, "quick"},
        {{L"/autox"}, "/autox"},
        {{L"report.txt"}, "report.txt"},
        {{L"/auto", L"/timeout:0"}, "\"0\""},
        {{L"/auto", L"/timeout:86401"}, "86401"},
        {{L"/auto", L"/timeout:5s"}, "5s"},
        {{L"/auto", L"/timeout:"}, "/timeout"},
        {{L"/tests:"}, "/tests"},
        {{L"/tests: , "}, "/tests"},
        {{L"/auto:full", L"/tests:A.b"}, "full"},
        {{L"/timeout:5"}, "/timeout"},
        {{L"/auto", L"/log:"}, "/log"},
    };
    for (const auto& line : bad) {
        const std::string error = parse(line.arguments).error;
        EXPECT_NE(std::string::npos, error.find(line.named)) << error;
    }
}

TEST(CommandLine, TestNamesMatchLibraryDotTestWithoutRegardToCase) {
    EXPECT_TRUE(NamesTest("alpha modem.ALPHA ONE", "Alpha Modem", "Alpha one"));
    // A dot inside a library's name is part of it.
    EXPECT_TRUE(NamesTest("Lib.v2.Test", "Lib.v2", "Test"));
    EXPECT_FALSE(NamesTest("Alpha Modem.Alpha", "Alpha Modem", "Alpha one"));
    EXPECT_FALSE(NamesTest("Alpha Modem Alpha one", "Alpha Modem", "Alpha one"));
    EXPECT_FALSE(NamesTest("Alpha one", "Alpha Modem", "Alpha one"));
}

TEST(CommandLine, AFolderGetsOneFileNamedAfterTheMachineAndTheTime) {
    const SYSTEMTIME time{2026, 3, 0, 7, 9, 5, 2, 0};
    EXPECT_EQ(L"PC-0042-20260307-090502.log", FleetLogName(L"PC-0042", time));
    EXPECT_EQ(L"C:\\logs\\run.log", ResolveLogPath(L"C:\\logs\\run.log"));
    const std::wstring inFolder = ResolveLogPath(L"\\\\srv\\zelkor\\");
    ASSERT_GT(inFolder.size(), 24u);
    EXPECT_EQ(0u, inFolder.find(L"\\\\srv\\zelkor\\"));
    EXPECT_EQ(L".log", inFolder.substr(inFolder.size() - 4));
}

// What an unattended run answers for a box: the button that Enter would press.
TEST(UnattendedAnswers, AreTheDefaultButtons) {
    EXPECT_EQ(IDOK, fw::DefaultButton(MB_OK | MB_ICONSTOP));
    EXPECT_EQ(IDYES, fw::DefaultButton(MB_YESNO | MB_ICONQUESTION));
    EXPECT_EQ(IDNO, fw::DefaultButton(MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2));
    EXPECT_EQ(IDCANCEL, fw::DefaultButton(MB_YESNOCANCEL | MB_DEFBUTTON3));
    EXPECT_EQ(IDCONTINUE, fw::DefaultButton(MB_CANCELTRYCONTINUE | MB_DEFBUTTON3));
    // A default beyond the box's buttons is its first, as the system does.
    EXPECT_EQ(IDRETRY, fw::DefaultButton(MB_RETRYCANCEL | MB_DEFBUTTON3));
    EXPECT_EQ(IDOK, fw::DefaultButton(MB_OKCANCEL | MB_DEFBUTTON4));
}

}  // namespace
