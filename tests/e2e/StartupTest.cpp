// Start-up as a user sees it.
#include <gtest/gtest.h>

#include "Session.h"

TEST(Startup, WithoutAnyTestLibraryOnlyTheStopMessageShowsAndTheExitCodeIsZero) {
    e2e::Session session({});
    ASSERT_TRUE(session.Start());
    drive::MessageBoxSeen box = drive::WaitForMessageBox(session.pid(), 30000);
    ASSERT_NE(nullptr, box.window) << "no message box appeared";
    EXPECT_EQ("Zelkor", box.caption);
    EXPECT_EQ("Zelkor was unable to locate any valid test libraries", box.text);
    EXPECT_NE(nullptr, GetDlgItem(box.window, IDOK));
    EXPECT_EQ(nullptr, GetDlgItem(box.window, IDCANCEL));
    EXPECT_EQ(nullptr, GetWindow(box.window, GW_OWNER)) << "the message has no owner";
    // Nothing else: the box is the process's only visible window.
    EXPECT_EQ(1u, drive::TopLevelWindows(session.pid(), nullptr, nullptr).size());

    ASSERT_TRUE(drive::AnswerMessageBox(box, IDOK));
    DWORD exitCode = 1;
    ASSERT_TRUE(session.WaitForExit(20000, exitCode));
    EXPECT_EQ(0u, exitCode);
}
