// The wizard driving itself in an unattended run: it presses what a person would press, as soon
// as the page's work allows, and bounds the time each page may take.
#include "wizard/StatusWindow.h"
#include "wizard/WizardDlg.h"

#include "resources/resource.h"

namespace {
// Asks the windows that a page opened over the wizard to close, as Escape would.
BOOL CALLBACK CloseOwnWindow(HWND window, LPARAM wizard) {
    if (window == reinterpret_cast<HWND>(wizard) || !IsWindowVisible(window)) return TRUE;
    char className[16] = {};
    GetClassNameA(window, className, sizeof className);
    if (lstrcmpA(className, "#32770") == 0)
        EndDialog(window, IDCANCEL);
    else
        PostMessageA(window, WM_CLOSE, 0, 0);
    return TRUE;
}
}  // namespace

// One step at a time: every event that may let the run go on asks for one, and a step already
// asked for is not asked for again.
void CWizardDlg::PostUnattendedStep() {
    if (!m_session.unattendedRun() || m_stepPending || !hwnd()) return;
    m_stepPending = PostMessageA(hwnd(), WM_UNATTENDED_STEP, 0, 0) != FALSE;
}

void CWizardDlg::OnUnattendedStep() {
    m_stepPending = false;
    if (!m_currentPage || m_tasks.Running()) return;  // the task's end asks again
    if (!IsWindowEnabled(hwnd()) || m_pageCalls > 0) {
        // A window of the page's (a status window, a dialog) is up, or the page has not yet
        // answered: look again shortly.
        SetTimer(hwnd(), kRetryTimer, 50, nullptr);
        return;
    }
    if (m_timedOutPage == m_currentPage) {
        m_timedOutPage = nullptr;
        SetContinueMode(false);
        ForceNext();
        return;
    }
    if (m_current + 1 >= m_pages.size()) {
        if (m_finishMode) EndDialog(IDC_WIZARD_FINISH);
        return;
    }
    if (m_continueMode) {
        if (IsWindowEnabled(item(IDC_WIZARD_CONTINUE))) {
            OnContinue();
            PostUnattendedStep();
        }
        return;
    }
    if (IsWindowEnabled(item(IDC_WIZARD_NEXT))) OnNext();
}

// The last page, which writes the log, is not bounded: the log is written whole or not at all.
void CWizardDlg::StartPageTimer() {
    if (!m_session.unattendedRun()) return;
    KillTimer(hwnd(), kPageTimer);
    if (m_current + 1 < m_pages.size()) SetTimer(hwnd(), kPageTimer, m_session.unattended.pageTimeoutMs, nullptr);
}

// The page is asked to stop as the quit asks a task, and stopped by force after the same grace;
// windows it opened over the wizard are closed. The step that follows leaves it.
void CWizardDlg::OnPageTimeout() {
    KillTimer(hwnd(), kPageTimer);
    if (!m_currentPage || m_current + 1 >= m_pages.size()) return;
    m_timedOutPage = m_currentPage;
    m_currentPage->PageOpTimedOut(m_session.unattended.pageTimeoutMs / 1000);
    StopTimedOutPage();
    PostUnattendedStep();
}

void CWizardDlg::StopTimedOutPage() {
    m_stoppingPage = true;
    m_tasks.Stop([] { return true; });
    m_stoppingPage = false;
    m_session.terminate = false;  // the next page runs as usual
    EndStatus();
    EnumThreadWindows(GetCurrentThreadId(), CloseOwnWindow, reinterpret_cast<LPARAM>(hwnd()));
}
