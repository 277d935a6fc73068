// ZKCreateProcess: the record's checks, the started program, the end notice with its exit code.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "ScratchDirectory.h"
#include "driver/Driver.h"
#include "framework/Handles.h"
#include "zelkor.h"

namespace {

constexpr UINT kProcessEnded = WM_APP + 40;

// A window of the test's thread that records the end notices it is sent.
class NoticeWindow {
public:
    struct Notice {
        WPARAM wParam;
        LPARAM lParam;
    };

    NoticeWindow() {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = Procedure;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "ZkUnitNoticeWindow";
        RegisterClassA(&windowClass);  // fails harmlessly when already registered
        m_hwnd = CreateWindowExA(0, windowClass.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                 windowClass.hInstance, nullptr);
        SetWindowLongPtrA(m_hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    ~NoticeWindow() { DestroyWindow(m_hwnd); }

    HWND hwnd() const { return m_hwnd; }
    const std::vector<Notice>& notices() const { return m_notices; }
    // Handles messages until a notice arrives or the time is up.
    bool WaitForNotice(DWORD timeoutMs) const {
        return drive::WaitFor([&]() -> HWND { return m_notices.empty() ? nullptr : m_hwnd; }, timeoutMs) != nullptr;
    }

private:
    static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
        auto* self = reinterpret_cast<NoticeWindow*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
        if (self && message == kProcessEnded) {
            self->m_notices.push_back({wParam, lParam});
            return 0;
        }
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }

    HWND m_hwnd = nullptr;
    std::vector<Notice> m_notices;
};

CREATEPROCESSINFO request(char* commandLine, HWND notify) {
    CREATEPROCESSINFO info{};
    info.cbSize = sizeof info;
    info.lpCommandLine = commandLine;
    info.hwndNotify = notify;
    info.uNotifyMessage = kProcessEnded;
    return info;
}

TEST(HostCreateProcess, RefusesUnusableRecordsAndTellsTheWindowOnceWithTheExitCode) {
    ScratchDirectory scratch;
    NoticeWindow window;
    char refused[] = "cmd.exe /c echo started>refused.txt";
    CREATEPROCESSINFO info = request(refused, window.hwnd());
    info.lpCurrentDirectory = scratch.path().c_str();
    EXPECT_FALSE(ZKCreateProcess(nullptr));
    info.cbSize = 24;
    EXPECT_FALSE(ZKCreateProcess(&info));
    info.cbSize = sizeof info;
    info.lpCommandLine = nullptr;
    EXPECT_FALSE(ZKCreateProcess(&info));
    char missing[] = "zk-no-such-program.exe";
    info.lpCommandLine = missing;
    EXPECT_FALSE(ZKCreateProcess(&info));

    // The record complete: the window hears of the program's end.
    char command[] = "cmd.exe /c exit 7";
    info.lpCommandLine = command;
    ASSERT_TRUE(ZKCreateProcess(&info));
    ASSERT_TRUE(window.WaitForNotice(20000));
    ASSERT_EQ(1u, window.notices().size());
    EXPECT_EQ(0u, window.notices()[0].wParam);
    EXPECT_EQ(7, window.notices()[0].lParam);
    EXPECT_FALSE(FileExists(scratch / "refused.txt")) << "a refused record started the program";
}

TEST(HostCreateProcess, RunsInTheGivenDirectoryWithoutANoticeWindow) {
    ScratchDirectory scratch;
    char command[] = "cmd.exe /c echo started>marker.txt";
    CREATEPROCESSINFO info = request(command, nullptr);
    info.lpCurrentDirectory = scratch.path().c_str();
    ASSERT_TRUE(ZKCreateProcess(&info));
    // Done once cmd has let go of the file, so that the directory can go.
    const std::string marker = scratch / "marker.txt";
    EXPECT_TRUE(drive::WaitFor(
        [&]() -> HWND {
            fw::UniqueFile file(CreateFileA(marker.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
            return file ? GetDesktopWindow() : nullptr;
        },
        20000));
}

}  // namespace
