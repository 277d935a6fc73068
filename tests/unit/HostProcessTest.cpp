// ZKCreateProcess: the record's checks, the started program, the end notice with its exit code.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "ScratchDirectory.h"
#include "driver/Driver.h"
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

TEST(HostCreateProcess, TheWindowIsToldOnceWithTheExitCode) {
    NoticeWindow window;
    char command[] = "cmd.exe /c exit 7";
    CREATEPROCESSINFO info = request(command, window.hwnd());
    ASSERT_TRUE(ZKCreateProcess(&info));
    ASSERT_TRUE(window.WaitForNotice(20000));
    drive::WaitFor([]() -> HWND { return nullptr; }, 200);  // a second notice would arrive now
    ASSERT_EQ(1u, window.notices().size());
    EXPECT_EQ(0u, window.notices()[0].wParam);
    EXPECT_EQ(7, window.notices()[0].lParam);
}

TEST(HostCreateProcess, RefusesUnusableRecordsAndRunsWithoutANoticeWindow) {
    ScratchDirectory scratch;
    char command[] = "cmd.exe /c echo started>marker.txt";
    CREATEPROCESSINFO info = request(command, nullptr);
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
    Sleep(500);
    EXPECT_FALSE(FileExists(scratch / "marker.txt")) << "a refused record started the program";

    // The same request, complete: the program runs in the given directory and nobody is told.
    info.lpCommandLine = command;
    ASSERT_TRUE(ZKCreateProcess(&info));
    const std::string marker = scratch / "marker.txt";
    EXPECT_TRUE(drive::WaitFor([&]() -> HWND { return FileExists(marker) ? GetDesktopWindow() : nullptr; }, 20000));
    Sleep(300);  // let cmd finish writing and release the file before the directory goes
}

}  // namespace
