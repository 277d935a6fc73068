// The status window over the wizard: placement, texts and icons, the wizard's enabled state,
// and calls from a background thread.
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

    // Every status window of the process: a top-level dialog with the status text control.
    static std::vector<HWND> statusWindows() {
        std::vector<HWND> found;
        for (HWND window : drive::TopLevelWindows(GetCurrentProcessId(), "#32770", nullptr))
            if (GetDlgItem(window, IDC_STATUS_TEXT)) found.push_back(window);
        return found;
    }
    static HWND statusWindow() {
        std::vector<HWND> found = statusWindows();
        return found.size() == 1 ? found[0] : nullptr;
    }
    static HICON iconOf(HWND status) {
        return reinterpret_cast<HICON>(SendDlgItemMessageA(status, IDC_STATUS_ICON, STM_GETICON, 0, 0));
    }
    // Whether the whole text fits in its control, measured with the control's own font.
    static bool textFits(HWND status) {
        HWND label = GetDlgItem(status, IDC_STATUS_TEXT);
        const std::string text = drive::Text(label);
        HDC dc = GetDC(label);
        HGDIOBJ oldFont = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(label, WM_GETFONT, 0, 0)));
        SIZE needed{};
        GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &needed);
        SelectObject(dc, oldFont);
        ReleaseDC(label, dc);
        RECT place{};
        GetClientRect(label, &place);
        return needed.cx <= place.right;
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

    CWizardDlg wizard;
};

TEST_F(StatusWindowTest, ShowsCentredOverTheWizardAndGivesBackItsEnabledState) {
    ZKBeginStatus(IDI_ZELKOR, "Working on it", nullptr);
    HWND status = statusWindow();
    ASSERT_NE(nullptr, status);
    EXPECT_TRUE(IsWindowVisible(status));
    EXPECT_EQ(wizard.hwnd(), GetWindow(status, GW_OWNER));
    EXPECT_NE(WS_CAPTION, GetWindowLongA(status, GWL_STYLE) & WS_CAPTION);
    EXPECT_EQ("Working on it", drive::Text(GetDlgItem(status, IDC_STATUS_TEXT)));
    EXPECT_NE(nullptr, iconOf(status));
    EXPECT_FALSE(IsWindowEnabled(wizard.hwnd()));
    RECT own{}, owner{};
    GetWindowRect(status, &own);
    GetWindowRect(wizard.hwnd(), &owner);
    EXPECT_NEAR(owner.left + owner.right, own.left + own.right, 2);
    EXPECT_NEAR(owner.top + owner.bottom, own.top + own.bottom, 2);

    ZKUpdateStatus("Almost done");
    EXPECT_EQ("Almost done", drive::Text(GetDlgItem(status, IDC_STATUS_TEXT)));
    ZKEndStatus();
    EXPECT_FALSE(IsWindow(status));
    EXPECT_TRUE(IsWindowEnabled(wizard.hwnd()));

    // Opened over a wizard that was already disabled: it stays disabled.
    EnableWindow(wizard.hwnd(), FALSE);
    ZKBeginStatus(IDI_ZELKOR, "Working on it", nullptr);
    ASSERT_NE(nullptr, statusWindow());
    ZKEndStatus();
    EXPECT_EQ(nullptr, statusWindow());
    EXPECT_FALSE(IsWindowEnabled(wizard.hwnd()));
}

TEST_F(StatusWindowTest, ASecondOpeningReplacesTheFirstAndTextsComeFromStringTables) {
    ZKBeginStatus(IDI_ZELKOR, IDS_STATUS_GENERATING, nullptr);
    HWND first = statusWindow();
    ASSERT_NE(nullptr, first);
    EXPECT_EQ("Please wait while Zelkor generates the log file...", drive::Text(GetDlgItem(first, IDC_STATUS_TEXT)));
    EXPECT_TRUE(textFits(first));

    ZKBeginStatus(IDI_PRINT, IDS_STATUS_PRINTING, nullptr);
    EXPECT_FALSE(IsWindow(first));
    HWND second = statusWindow();
    ASSERT_NE(nullptr, second);
    EXPECT_EQ("Printing log file...", drive::Text(GetDlgItem(second, IDC_STATUS_TEXT)));
    ZKUpdateStatus(IDS_STATUS_FAXING, nullptr);
    EXPECT_EQ("Faxing to Technical Support...", drive::Text(GetDlgItem(second, IDC_STATUS_TEXT)));
    // A line longer than the window was made for widens it instead of being cut.
    ZKUpdateStatus("Checking the modem on COM1, then on COM2, COM3 and COM4, at every speed it offers");
    EXPECT_TRUE(textFits(second));
    RECT own{}, owner{};
    GetWindowRect(second, &own);
    GetWindowRect(wizard.hwnd(), &owner);
    EXPECT_NEAR(owner.left + owner.right, own.left + own.right, 2) << "still centred";

    ZKEndStatus();
    EXPECT_TRUE(IsWindowEnabled(wizard.hwnd())) << "the wizard's state from before the first opening";
    // Nothing shown: both are no-ops.
    ZKUpdateStatus("nobody sees this");
    ZKEndStatus();
    EXPECT_TRUE(IsWindowEnabled(wizard.hwnd()));
}

TEST_F(StatusWindowTest, AnIconTheModuleLacksLeavesTheIconAreaEmpty) {
    ZKBeginStatus(4321, "No picture", nullptr);
    HWND status = statusWindow();
    ASSERT_NE(nullptr, status);
    EXPECT_EQ(nullptr, iconOf(status));
    EXPECT_EQ("No picture", drive::Text(GetDlgItem(status, IDC_STATUS_TEXT)));
    EXPECT_TRUE(IsWindowVisible(GetDlgItem(status, IDC_STATUS_TEXT)));
}

TEST_F(StatusWindowTest, ABackgroundThreadsCallsAreCarriedOutByTheWizardsThread) {
    onAnotherThread([] { ZKBeginStatus(IDI_FAX, IDS_STATUS_CONNECTING, nullptr); });
    HWND status = statusWindow();
    ASSERT_NE(nullptr, status);
    EXPECT_EQ(GetCurrentThreadId(), GetWindowThreadProcessId(status, nullptr));

    // The update has reached the window by the time the call returns on the other thread.
    std::string seenByTheThread;
    onAnotherThread([&] {
        ZKUpdateStatus("Disconnecting");
        char text[64] = {};
        GetDlgItemTextA(status, IDC_STATUS_TEXT, text, sizeof text);
        seenByTheThread = text;
    });
    EXPECT_EQ("Disconnecting", seenByTheThread);

    onAnotherThread([] { ZKEndStatus(); });
    EXPECT_FALSE(IsWindow(status));
    EXPECT_TRUE(IsWindowEnabled(wizard.hwnd()));
}

}  // namespace
