#include "wizard/TaskRunner.h"

#include "zelkor_pages.h"

namespace {
constexpr DWORD kStopSliceMs = 5000;

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

LRESULT CTaskRunner::setButtons(bool next, bool previous) {
    return m_window ? SendMessageA(m_window, WM_TASK_BUTTONS, MAKEWPARAM(next, previous), 0) : 0;
}

void CTaskRunner::finish() {
    const LRESULT saved = m_savedButtons.load();
    setButtons(LOWORD(saved) != 0, HIWORD(saved) != 0);
    if (m_window) SendMessageA(m_window, ZKPM_TASKDONE, m_terminate.load() ? 1 : 0, 0);
}

bool CTaskRunner::takeIfStill(HANDLE thread) { return thread && m_thread.compare_exchange_strong(thread, nullptr); }

// No lock: a task may be suspended or killed at any point, and must never be able to hold one.
// Begin and an early End each look for the other after leaving their own mark, so exactly one
// of them finishes the task.
void CTaskRunner::Begin(HANDLE thread) {
    m_savedButtons = setButtons(false, false);
    if (thread == INVALID_HANDLE_VALUE) thread = nullptr;
    m_thread = thread;
    if (thread && m_endedEarly.exchange(0) == GetThreadId(thread) && takeIfStill(thread)) finish();
}

void CTaskRunner::End() {
    if (m_thread.exchange(nullptr)) {
        finish();
        return;
    }
    const DWORD self = GetCurrentThreadId();
    m_endedEarly = self;
    HANDLE registered = m_thread.load();
    if (registered && GetThreadId(registered) == self && takeIfStill(registered)) finish();
}

void CTaskRunner::Suspend() {
    if (HANDLE thread = m_thread.load()) SuspendThread(thread);
}

void CTaskRunner::Resume() {
    if (HANDLE thread = m_thread.load()) ResumeThread(thread);
}

void CTaskRunner::Stop(const std::function<bool()>& userAgreesToKill) {
    m_terminate = true;
    for (HANDLE thread = m_thread.load(); thread; thread = m_thread.load()) {
        if (waitForThread(thread, kStopSliceMs)) {
            // A thread that ended without its end steps (still registered) gets them here.
            if (takeIfStill(thread)) finish();
            continue;
        }
        SuspendThread(thread);
        // The task may have ended its registration between the wait and the suspension.
        if (m_thread.load() != thread) {
            ResumeThread(thread);
            continue;
        }
        if (userAgreesToKill()) {
            TerminateThread(thread, 0xFFFFFFFF);
            // Suspended while registered, so still registered: its end steps are run here.
            if (takeIfStill(thread)) finish();
        } else {
            ResumeThread(thread);
        }
    }
}
