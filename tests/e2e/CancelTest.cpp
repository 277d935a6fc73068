// Quitting while a test library's background work runs: the work stops and the program ends.
#include <gtest/gtest.h>
#include <windows.h>
#include <tlhelp32.h>

#include "Session.h"
#include "framework/Handles.h"
#include "resources/resource.h"

namespace {

// Whether a program of that name that the process started is still running.
bool ChildAlive(DWORD parent, const char* name) {
    fw::UniqueHandle<fw::InvalidHandleTraits<CloseHandle>> snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot.get(), &entry); more; more = Process32Next(snapshot.get(), &entry))
        if (entry.th32ParentProcessID == parent && _stricmp(entry.szExeFile, name) == 0) return true;
    return false;
}

}  // namespace

// The check's command interpreter is one that never ends (found beside the program before the
// system's), so the check is surely busy when the user quits, and must not leave it running.
TEST(Cancel, QuittingDuringTheSystemSampleBackgroundCheckEndsTheProgramWithoutAHang) {
    e2e::Session session({"System.ZKL", "e2e\\hanging\\cmd.exe"});
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
    EXPECT_FALSE(ChildAlive(session.pid(), "cmd.exe")) << "the check left its command interpreter running";
}
