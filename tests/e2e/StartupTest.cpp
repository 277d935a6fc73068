// Start-up as a user sees it.
#include <gtest/gtest.h>

#include "Session.h"
#include "resources/resource.h"

namespace {

// Without any test library only the stop message shows, and the exit code is 0.
void expectOnlyTheStopMessage() {
    e2e::Session session({});
    ASSERT_TRUE(session.Start());
    drive::MessageBoxSeen box = drive::WaitForMessageBox(session.pid(), 30000);
    ASSERT_NE(nullptr, box.window) << "no message box appeared";
    EXPECT_EQ("Zelkor", box.caption);
    EXPECT_EQ("Zelkor was unable to locate any valid test libraries", box.text);
    EXPECT_EQ(nullptr, GetWindow(box.window, GW_OWNER)) << "the message has no owner";
    // Nothing else: the box is the process's only visible window.
    EXPECT_EQ(1u, drive::TopLevelWindows(session.pid(), nullptr, nullptr).size());
    ASSERT_TRUE(drive::AnswerMessageBox(box, IDOK));
    EXPECT_EQ(0u, session.WaitForExit());
}

// Wine's settings for Zelkor.exe alone: the Windows version it sees, and the libraries it may load.
constexpr char kAppDefaults[] = "Software\\Wine\\AppDefaults\\Zelkor.exe";

}  // namespace

TEST(Startup, WithoutAnyTestLibraryOnlyTheStopMessageShowsAndTheExitCodeIsZero) { expectOnlyTheStopMessage(); }

TEST(Startup, BeforeWindowsFourTheThreeDControlsAreNeededAndTheirAbsenceEndsSilently) {
    e2e::SetString(kAppDefaults, "Version", "nt351");
    // The 3-D controls load: start-up goes on to the library search.
    expectOnlyTheStopMessage();
    // Without them (an empty override disables a library) the program ends at once, showing
    // nothing, still with exit code 0.
    e2e::SetString(std::string(kAppDefaults) + "\\DllOverrides", "ctl3d32", "");
    e2e::Session session({});
    EXPECT_TRUE(session.Start());
    EXPECT_EQ(0u, session.WaitForExit());
    // Reached even after a failure (nothing above returns early), so no later test sees NT 3.51.
    RegDeleteTreeA(HKEY_CURRENT_USER, kAppDefaults);
}

TEST(Startup, BeforeWindowsFourTheLastPageDrawsItsOwnIconButtonsAndTheyClick) {
    e2e::SetString(kAppDefaults, "Version", "nt351");
    {
        e2e::Session session({"e2e\\Alpha.ZKL"});
        const e2e::Details nobody;
        EXPECT_FALSE(session.Run(IDC_WELCOME_TYPICAL, &nobody).empty());
        HWND page = drive::VisibleChildDialog(session.wizard());
        for (int id : {IDC_COMPLETE_VIEW, IDC_COMPLETE_FAX, IDC_COMPLETE_PRINT}) {
            char name[32] = {};
            GetClassNameA(GetDlgItem(page, id), name, sizeof name);
            EXPECT_STREQ("ZKICONBUTTON", name) << id;
        }
        EXPECT_FALSE(drive::IsEnabled(page, IDC_COMPLETE_FAX)) << "no fax program here";

        // Pressed and released on View Log: the log opens in the text editor.
        HWND view = GetDlgItem(page, IDC_COMPLETE_VIEW);
        PostMessageA(view, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
        PostMessageA(view, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
        // The program's own editor where the platform's is disabled (as CTest does), else notepad.
        HWND editor = drive::WaitFor(
            [&]() -> HWND {
                HWND own = drive::WaitForTopLevel(session.pid(), "ZKFRAME", nullptr, 0);
                return own ? own : drive::WaitForTopLevel(0, "Notepad", nullptr, 0);
            },
            20000);
        ASSERT_NE(nullptr, editor) << "View Log opened nothing";
        PostMessageA(editor, WM_CLOSE, 0, 0);
        EXPECT_EQ(0u, session.Finish());
    }
    RegDeleteTreeA(HKEY_CURRENT_USER, kAppDefaults);
}
