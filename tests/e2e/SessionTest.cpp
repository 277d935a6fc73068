// Whole sessions: the user walks the wizard and C:\Zelkor.log holds what support expects.
#include <gtest/gtest.h>

#include "Session.h"
#include "resources/resource.h"

namespace {

using e2e::kLog;
constexpr char kGeneralKey[] = "Software\\Halvard\\Zelkor\\General";
constexpr char kSaved[] = "The log file for this session has been saved as \"C:\\Zelkor.log\"";

std::string getString(const char* name) {
    char value[256] = {};
    DWORD size = sizeof value - 1;
    if (RegGetValueA(HKEY_CURRENT_USER, kGeneralKey, name, RRF_RT_REG_SZ, nullptr, value, &size) != ERROR_SUCCESS)
        return "<absent>";
    return value;
}

using e2e::expectGolden;

class SessionTest : public ::testing::Test {
protected:
    void SetUp() override { e2e::SeedGoldenMachine(); }
    void TearDown() override { e2e::ClearGoldenMachine(); }

    // A session without surprises to its end: the log is saved and can be viewed and printed.
    std::string runSession(int diagnostics, const e2e::Details* details) {
        EXPECT_EQ(kSaved, session.Run(diagnostics, details));
        HWND page = drive::VisibleChildDialog(session.wizard());
        for (int action : {IDC_COMPLETE_VIEW, IDC_COMPLETE_VIEW_TEXT, IDC_COMPLETE_PRINT, IDC_COMPLETE_PRINT_TITLE})
            EXPECT_TRUE(drive::IsEnabled(page, action)) << "action " << action;
        // Without Ravelin the Fax action is greyed, its texts with it.
        for (int fax : {IDC_COMPLETE_FAX, IDC_COMPLETE_FAX_TITLE, IDC_COMPLETE_FAX_TEXT})
            EXPECT_FALSE(drive::IsEnabled(page, fax)) << "fax " << fax;
        return finish();
    }
    // No message box came; Finish ends the program with 0. Returns the log.
    std::string finish() {
        EXPECT_EQ(std::vector<std::string>(), session.messages());
        EXPECT_EQ(0u, session.Finish());
        return e2e::ReadWholeFile(kLog);
    }

    e2e::Session session{{"e2e\\Alpha.ZKL", "e2e\\Beta.ZKL"}};
};

TEST_F(SessionTest, TypicalSessionWithEmptyDetailsWritesTheExpectedLog) {
    const e2e::Details empty;
    expectGolden("TYPICAL_LOG", runSession(IDC_WELCOME_TYPICAL, &empty));
}

TEST_F(SessionTest, FullSessionWritesTheExpectedLogAndKeepsTheDetails) {
    const e2e::Details details{"Ada Lovelace", "Analytical Engines Ltd", "+44 20 7946 0000", "+44 20 7946 0001"};
    expectGolden("FULL_LOG", runSession(IDC_WELCOME_FULL, &details));
    EXPECT_EQ("Ada Lovelace", getString("User Name"));
    EXPECT_EQ("+44 20 7946 0001", getString("User Fax"));
}

// Escape with nothing typed logs the stored details; going back, Escape after typing keeps what
// was typed, in the log that replaces the first and for the next time.
TEST_F(SessionTest, EscapeInUserInfoLogsTheStoredDetailsOrKeepsWhatWasTyped) {
    e2e::SetString(kGeneralKey, "User Name", "Stored Name");
    e2e::SetString(kGeneralKey, "User Company", "Stored Company");
    ASSERT_EQ(kSaved, session.Run(IDC_WELCOME_TYPICAL, nullptr));
    EXPECT_EQ(0u, e2e::ReadWholeFile(kLog).find("Name:               Stored Name\r\nCompany:            Stored Company\r\n"
                                                "Phone Number:       \r\nFax Number:         \r\n\r\n"));
    EXPECT_EQ("Stored Name", getString("User Name"));

    drive::Click(session.wizard(), IDC_WIZARD_PREVIOUS);
    const e2e::Details typed{"Typed Name", "Typed Company", "555 0100", ""};
    ASSERT_TRUE(session.EnterUserInfo(&typed, true));
    EXPECT_EQ(kSaved, session.WaitForResult());
    const std::string log = finish();
    EXPECT_EQ(0u, log.find("Name:               Typed Name\r\nCompany:            Typed Company\r\n"
                           "Phone Number:       555 0100\r\n"));
    EXPECT_EQ(std::string::npos, log.find("Stored"));
    EXPECT_EQ("Typed Name", getString("User Name"));
}

}  // namespace
