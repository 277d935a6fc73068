// The one background task of a session: a page's job or a thread that a test library registered.
// The runner has no window: it tells the wizard's window when a task begins and ends, and that
// window's own thread does the work on the buttons while the task's thread waits.
#pragma once
#include <windows.h>

#include <atomic>
#include <functional>

class CTaskRunner {
public:
    // Sent to the window told of the tasks. wParam: MAKEWPARAM(enable Next, enable Previous);
    // the answer: MAKELONG(Next was enabled, Previous was enabled).
    static constexpr UINT WM_TASK_BUTTONS = WM_APP + 10;

    explicit CTaskRunner(std::atomic<bool>& terminate) : m_terminate(terminate) {}

    void NotifyWindow(HWND window) { m_window = window; }

    // Disables Next and Previous and registers the thread as the task.
    void Begin(HANDLE thread);
    // The task's last act: the buttons get the states they had at Begin, and the window is sent
    // ZKPM_TASKDONE (wParam: whether a stop was asked for). A thread that ends before its Begin
    // returns at once and Begin finishes it; with no task at all it does nothing.
    void End();

    bool Running() const { return m_thread.load() != nullptr; }
    void Suspend();
    void Resume();
    // Asks the task to stop, then waits for it in 5-second slices. After a slice the task is
    // suspended and the question decides: true kills it, false gives it another slice.
    void Stop(const std::function<bool()>& userAgreesToKill);

private:
    LRESULT setButtons(bool next, bool previous);
    // Takes the registration if it still names that thread; true when it did.
    bool takeIfStill(HANDLE thread);
    void finish();

    std::atomic<bool>& m_terminate;
    HWND m_window = nullptr;
    std::atomic<HANDLE> m_thread{nullptr};
    std::atomic<LRESULT> m_savedButtons{0};
    // The id of a thread whose end came before its Begin.
    std::atomic<DWORD> m_endedEarly{0};
};
