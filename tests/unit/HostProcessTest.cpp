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
std::vector<LPARAM> g_exitCodes;  // the end notices that the notice window was sent

LRESULT CALLBACK recordNotice(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != kProcessEnded) return DefWindowProcA(hwnd, message, wParam, lParam);
    EXPECT_EQ(0u, wParam);
    g_exitCodes.push_back(lParam);
    return 0;
}

TEST(HostCreateProcess, RefusesUnusableRecordsAndTellsTheWindowOnceWithTheExitCode) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = recordNotice;
    windowClass.lpszClassName = "ZkUnitNoticeWindow";
    RegisterClassA(&windowClass);
    fw::UniqueWindow window(CreateWindowExA(0, windowClass.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE,
                                            nullptr, nullptr, nullptr));
    ScratchDirectory scratch;
    char refused[] = "cmd.exe /c echo started>refused.txt";
    CREATEPROCESSINFO info{sizeof info, refused, nullptr, scratch.path().c_str(), nullptr, window.get(),
                           kProcessEnded};
    EXPECT_FALSE(ZKCreateProcess(nullptr));
    info.cbSize = 24;
    EXPECT_FALSE(ZKCreateProcess(&info));
    info.cbSize = sizeof info;
    info.lpCommandLine = nullptr;
    EXPECT_FALSE(ZKCreateProcess(&info));
    char missing[] = "zk-no-such-program.exe";
    info.lpCommandLine = missing;
    EXPECT_FALSE(ZKCreateProcess(&info));

    char command[] = "cmd.exe /c exit 7";
    info.lpCommandLine = command;
    g_exitCodes.clear();
    ASSERT_TRUE(ZKCreateProcess(&info));
    drive::WaitFor([]() -> HWND { return g_exitCodes.empty() ? nullptr : GetDesktopWindow(); }, 20000);
    EXPECT_EQ(std::vector<LPARAM>({7}), g_exitCodes);
    EXPECT_FALSE(FileExists(scratch / "refused.txt")) << "a refused record started the program";
}

}  // namespace
