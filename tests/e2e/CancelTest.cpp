// Quitting while a test library's background work runs: the work stops and the program ends.
#include <gtest/gtest.h>

#include "Session.h"
#include "resources/resource.h"

TEST(Cancel, QuittingDuringTheSystemSampleBackgroundCheckEndsTheProgramWithoutAHang) {
    e2e::Session session({"System.ZKL"});
    HWND wizard = session.StartWizard(IDC_WELCOME_FULL);
    ASSERT_NE(nullptr, wizard);
    // Full diagnostics: the check starts as soon as its page is shown, and its status window
    // disables the wizard while it runs. Quit then, as Escape would.
    HWND busy = nullptr;
    for (int page = 0; page < 5 && !busy; ++page) {
        drive::Click(wizard, IDC_WIZARD_NEXT);
        busy = drive::WaitFor([&]() -> HWND { return IsWindowEnabled(wizard) ? nullptr : wizard; }, 2000);
    }
    ASSERT_NE(nullptr, busy) << "the background check never started";
    PostMessageA(wizard, WM_COMMAND, IDCANCEL, 0);
    drive::MessageBoxSeen question = drive::WaitForMessageBox(session.pid(), 20000);
    ASSERT_NE(nullptr, question.window);
    EXPECT_EQ("If you quit now the current session will not be saved.\r\nAre you sure you want to continue?",
              question.text);
    drive::AnswerMessageBox(question, IDYES);
    EXPECT_EQ(0u, session.WaitForExit()) << "Zelkor did not end after the user quit";
}
