// Background tasks. The registration and the saved button states are plain process-wide words
// with one writer at a time: the start on the UI thread, the end on the task thread.
#include "host/BackgroundTask.h"

#include <atomic>
#include <string>

#include "app/Session.h"
#include "host/ErrorText.h"
#include "resources/resource.h"
#include "wizard/WizardDlg.h"
#include "zelkor.h"

namespace {

std::atomic<HANDLE> g_taskThread{INVALID_HANDLE_VALUE};
BOOL g_savedNext = FALSE;
BOOL g_savedPrevious = FALSE;

bool registered() { return g_taskThread.load() != INVALID_HANDLE_VALUE; }

// The end-of-task steps after the task is known to be registered (or was killed).
void finishTask() {
    g_taskThread = INVALID_HANDLE_VALUE;
    ZKEnableNext(g_savedNext);
    ZKEnablePrev(g_savedPrevious);
    if (CWizardDlg* wizard = CWizardDlg::Active())
        SendMessageA(wizard->hwnd(), ZKPM_TASKDONE, static_cast<WPARAM>(TerminateFlag.load()), 0);
}

// Waits for the thread to end while still answering messages that other threads send to this
// one, so that a task whose last act is a synchronous message to the wizard can finish.
bool waitForThread(HANDLE thread, DWORD milliseconds) {
    const DWORD start = GetTickCount();
    for (;;) {
        const DWORD elapsed = GetTickCount() - start;
        if (elapsed >= milliseconds) return WaitForSingleObject(thread, 0) == WAIT_OBJECT_0;
        const DWORD result = MsgWaitForMultipleObjects(1, &thread, FALSE, milliseconds - elapsed, QS_SENDMESSAGE);
        if (result == WAIT_OBJECT_0) return true;
        if (result != WAIT_OBJECT_0 + 1) return false;
        MSG message;
        PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
}

}  // namespace

bool BackgroundTaskRunning() { return registered(); }

void SuspendBackgroundTask() {
    HANDLE thread = g_taskThread.load();
    if (thread != INVALID_HANDLE_VALUE) SuspendThread(thread);
}

void ResumeBackgroundTask() {
    HANDLE thread = g_taskThread.load();
    if (thread != INVALID_HANDLE_VALUE) ResumeThread(thread);
}

void StopBackgroundTask() {
    TerminateFlag = 1;
    while (registered()) {
        HANDLE thread = g_taskThread.load();
        if (waitForThread(thread, 5000)) {
            // A thread that ended without its end-of-task steps (still registered) gets them here.
            if (g_taskThread.load() == thread) finishTask();
            continue;
        }
        SuspendThread(thread);
        // The task may have ended its registration between the wait and the suspension.
        if (g_taskThread.load() != thread) {
            ResumeThread(thread);
            continue;
        }
        if (ZKMessageBox(IDS_ABORT_TASK, MB_YESNO | MB_ICONQUESTION, nullptr) == IDYES) {
            TerminateThread(thread, 0xFFFFFFFF);
            // A killed task may have cleared its registration just before: never wait for one here.
            finishTask();
        } else {
            ResumeThread(thread);
        }
    }
}

void ReportTaskStartFailure(DWORD error) {
    ZKMessageBox(ErrorText(error).c_str(), MB_OK | MB_ICONSTOP);
}

void WINAPI ZKBeginBackground(HANDLE thread) {
    g_savedNext = ZKEnableNext(FALSE);
    g_savedPrevious = ZKEnablePrev(FALSE);
    g_taskThread = thread ? thread : INVALID_HANDLE_VALUE;
}

void WINAPI ZKEndBackground() {
    // A short job can end before its starter has registered it.
    while (!registered()) Sleep(1);
    finishTask();
}

BOOL WINAPI ZKShouldTerminate() { return TerminateFlag.load() ? TRUE : FALSE; }

BOOL WINAPI ZKAutoRun() { return AutoRunFlag.load() ? TRUE : FALSE; }
