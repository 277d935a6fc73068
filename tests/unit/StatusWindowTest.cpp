// The status window over the wizard: whole texts, the wizard's enabled state,
// and calls from a background thread, which the wizard's thread carries out.
#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "driver/Driver.h"
#include "fixture_ids.h"
#include "resources/resource.h"
#include "wizard/StatusWindow.h"
#include "wizard/WizardDlg.h"
#include "zelkor.h"

namespace {

class StatusWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        wizard.AddPage(std::make_unique<CWizardPage>(IDD_PROBE_PAGE, true));
        ASSERT_TRUE(wizard.Create(nullptr));
        wizard.window().show(SW_SHOW);
    }
    void TearDown() override { ZKEndStatus(); }

    // The one status window of the process: a top-level dialog with the status text control.
    static HWND statusWindow() {
        std::vector<HWND> found;
        for (HWND window : drive::TopLevelWindows(GetCurrentProcessId(), "#32770", nullptr))
            if (GetDlgItem(window, IDC_STATUS_TEXT)) found.push_back(window);
        return found.size() == 1 ? found[0] : nullptr;
    }
    static std::string textOf(HWND status) { return drive::Text(GetDlgItem(status, IDC_STATUS_TEXT)); }
    // The whole text fits, measured with the control's own font.
    static void expectWhole(HWND status) {
        RECT place{};
        HWND label = GetDlgItem(status, IDC_STATUS_TEXT);
        const std::string text = drive::Text(label);
        HDC dc = GetDC(label);
        SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(label, WM_GETFONT, 0, 0)));
        SIZE needed{};
        GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &needed);
        ReleaseDC(label, dc);
        GetClientRect(label, &place);
        EXPECT_LE(needed.cx, place.right) << text;
    }
    // Runs work on another thread while this one keeps handling messages.
    static void onAnotherThread(const std::function<void()>& work) {
        std::atomic<bool> done{false};
        std::thread worker([&] {
            work();
            done = true;
        });
        drive::WaitFor([&]() -> HWND { return done ? GetDesktopWindow() : nullptr; }, 10000);
        worker.join();
    }

    WizardSession session;
    CWizardDlg wizard{session};
};

// Whole sessions show the status window over a disabled wizard while a sample works or the log
// is written; here what they cannot see.
TEST_F(StatusWindowTest, TheWizardsThreadCarriesOutEveryCallAndGivesBackTheWizardsState) {
    onAnotherThread([] { ZKBeginStatus(IDI_FAX, IDS_STATUS_GENERATING, nullptr); });
    HWND status = statusWindow();
    ASSERT_NE(nullptr, status);
    EXPECT_EQ(GetCurrentThreadId(), GetWindowThreadProcessId(status, nullptr));
    EXPECT_EQ(wizard.hwnd(), GetWindow(status, GW_OWNER));
    EXPECT_EQ("Please wait while Zelkor generates the log file...", textOf(status));
    EXPECT_FALSE(IsWindowEnabled(wizard.hwnd()));
    expectWhole(status);

    // The update has reached the window by the time the call returns on the other thread. A line
    // longer than the window was made for widens it instead of being cut.
    const std::string longLine = "Checking the modem on COM1, then on COM2, COM3 and COM4, at every speed it offers";
    std::string seenByTheThread;
    onAnotherThread([&] {
        ZKUpdateStatus(longLine.c_str());
        seenByTheThread = textOf(status);
    });
    EXPECT_EQ(longLine, seenByTheThread);
    expectWhole(status);

    onAnotherThread([] {
        ZKEndStatus();
        ZKUpdateStatus("after the end");  // nothing left to update
    });
    EXPECT_FALSE(IsWindow(status));
    EXPECT_TRUE(IsWindowEnabled(wizard.hwnd())) << "the wizard's state from before the opening";

    // Opened over a wizard that was already disabled: it stays disabled.
    EnableWindow(wizard.hwnd(), FALSE);
    ZKBeginStatus(IDI_ZELKOR, "Working on it", nullptr);
    ASSERT_NE(nullptr, statusWindow());
    ZKEndStatus();
    EXPECT_FALSE(IsWindowEnabled(wizard.hwnd()));
}

// Printing offers Cancel: the click reaches the work as a flag, the window says so and stays
// until the work closes it. Without the offer there is no button and Esc does nothing.
TEST_F(StatusWindowTest, CancelIsOfferedOnlyWhenTheWorkCanStop) {
    BeginStatus(IDI_PRINT, "Printing page 1 of 3");
    HWND status = statusWindow();
    ASSERT_NE(nullptr, status);
    RECT without{};
    GetWindowRect(status, &without);
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(status, IDCANCEL)));
    SendMessageA(status, WM_COMMAND, IDCANCEL, 0);  // what Esc sends
    EXPECT_EQ(status, statusWindow());

    std::atomic<bool> cancelled{false};
    onAnotherThread([&] { OfferStatusCancel(cancelled); });
    HWND button = GetDlgItem(status, IDCANCEL);
    ASSERT_TRUE(IsWindowVisible(button));
    RECT with{}, place{};
    GetWindowRect(status, &with);
    GetWindowRect(button, &place);
    EXPECT_GT(with.bottom - with.top, without.bottom - without.top);
    EXPECT_LE(place.bottom, with.bottom) << "the button lies inside the window";
    onAnotherThread([] { UpdateStatus("Printing page 2 of 3"); });
    EXPECT_FALSE(cancelled);

    drive::Click(status, IDCANCEL);  // posted: handled while the wait pumps messages
    EXPECT_TRUE(drive::WaitFor([&] { return cancelled ? status : nullptr; }, 5000));
    EXPECT_EQ("Cancelling...", textOf(status));
    EXPECT_FALSE(IsWindowEnabled(button));
    EXPECT_EQ(status, statusWindow()) << "the work closes the window when it has stopped";
    EndStatus();
    EXPECT_FALSE(IsWindow(status));
    EXPECT_TRUE(IsWindowEnabled(wizard.hwnd()));
}

}  // namespace
