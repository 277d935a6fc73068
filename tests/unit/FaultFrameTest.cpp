// A fault in our own dialog procedure reaches the fault action even where the platform's dispatch
// would swallow it: a message sent from another thread. (That a library's own handler keeps its
// fault, and that one no handler takes ends the session, the end-to-end library tests show.)
#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>

#include "fixture_ids.h"
#include "framework/Dialog.h"
#include "framework/FaultFrame.h"

namespace {

constexpr UINT WM_FAULT = WM_APP + 1;
constexpr DWORD kEndedByAction = 0xFA;

volatile int* volatile nowhere = nullptr;  // volatile: the compiler cannot see that it is null
std::atomic<HWND> shown{nullptr};

class FaultingDialog : public fw::CDialog {
public:
    FaultingDialog() : CDialog(IDD_PROBE_PAGE) {}

protected:
    INT_PTR DialogProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_FAULT) return *nowhere;
        return CDialog::DialogProc(message, wParam, lParam);
    }
};

// The action may not return: it ends the thread that faulted.
void EndFaultingThread(const EXCEPTION_RECORD&) { ExitThread(kEndedByAction); }

// The dialog's own thread: shows it and handles its messages until told to quit.
DWORD WINAPI RunDialog(void* dialog) {
    auto& faulting = *static_cast<FaultingDialog*>(dialog);
    if (!faulting.Create(nullptr)) return 1;
    shown = faulting.hwnd();
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
    return 0;
}

}  // namespace

TEST(FaultFrame, AFaultInADialogProcedureSentFromAnotherThreadReachesTheAction) {
    fw::SetFaultAction(EndFaultingThread);
    FaultingDialog dialog;
    DWORD threadId = 0;
    HANDLE thread = CreateThread(nullptr, 0, RunDialog, &dialog, 0, &threadId);
    ASSERT_NE(nullptr, thread);
    for (int i = 0; i < 500 && !shown; ++i) Sleep(10);
    ASSERT_NE(nullptr, shown.load());

    DWORD_PTR result = 0;
    SendMessageTimeoutA(shown, WM_FAULT, 0, 0, SMTO_NORMAL, 5000, &result);
    PostThreadMessageA(threadId, WM_QUIT, 0, 0);  // should the fault have been swallowed
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(thread, 5000));
    DWORD exitCode = 0;
    GetExitCodeThread(thread, &exitCode);
    EXPECT_EQ(kEndedByAction, exitCode);
    CloseHandle(thread);
    fw::SetFaultAction(nullptr);
}
