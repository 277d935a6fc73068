#include "wizard/WizardDlg.h"

#include <algorithm>

#include "framework/MessageBox.h"
#include "framework/StringTable.h"
#include "resources/resource.h"
#include "wizard/WizardLayout.h"
#include "zelkor_pages.h"

CWizardDlg* CWizardDlg::s_active = nullptr;

CWizardDlg::CWizardDlg(WizardSession& session) : CDialog(IDD_WIZARD), m_session(session) {}

CWizardDlg::~CWizardDlg() {
    // Pages go first to last, each with its window.
    for (auto& page : m_pages) page->DestroyPage();
    m_pages.clear();
    Destroy();
    if (s_active == this) s_active = nullptr;
}

size_t CWizardDlg::position(const CWizardPage* page) const {
    for (size_t i = 0; i < m_pages.size(); ++i)
        if (m_pages[i].get() == page) return i;
    return npos;
}

void CWizardDlg::AddPage(std::unique_ptr<CWizardPage> page) {
    page->JoinWizard(this, &m_tasks);
    m_pages.push_back(std::move(page));
}

void CWizardDlg::InsertPageAfter(const CWizardPage* reference, std::unique_ptr<CWizardPage> page) {
    page->JoinWizard(this, &m_tasks);
    size_t at = position(reference);
    if (at == npos) {
        m_pages.push_back(std::move(page));
        return;
    }
    m_pages.insert(m_pages.begin() + static_cast<std::ptrdiff_t>(at) + 1, std::move(page));
    if (m_current != npos && m_current > at) ++m_current;
}

void CWizardDlg::RemovePage(const CWizardPage* page) {
    size_t at = position(page);
    if (at != npos) RemovePageAt(at);
}

void CWizardDlg::RemovePageAt(size_t at) {
    CWizardPage* page = m_pages[at].get();
    if (page->created()) SendToPage(page, ZKPM_REMOVE);
    // The page may have removed pages of its own: find it again.
    at = position(page);
    if (at == npos) return;
    page->DestroyPage();
    std::unique_ptr<CWizardPage> removed = std::move(m_pages[at]);
    m_pages.erase(m_pages.begin() + static_cast<std::ptrdiff_t>(at));
    if (m_current == at) {
        m_current = npos;
        m_currentPage = nullptr;
    } else if (m_current != npos && m_current > at) {
        --m_current;
    }
}

LRESULT CWizardDlg::SendToPage(CWizardPage* page, UINT message) {
    if (!page || !page->hwnd()) return 0;
    ++m_pageCalls;
    const LRESULT result = SendMessageA(page->hwnd(), message, 0, 0);
    --m_pageCalls;
    return result;
}

BOOL CWizardDlg::OnInitDialog() {
    s_active = this;
    m_tasks.NotifyWindow(hwnd());
    CDialog::OnInitDialog();
    SendMessageA(hwnd(), WM_SETICON, ICON_BIG,
                 reinterpret_cast<LPARAM>(LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_ZELKOR))));
    window().setText(fw::LoadedString(IDS_APP_NAME));

    fw::WindowRef title = item(IDC_WIZARD_TITLE);
    m_titleFont.reset(CreateFontA(fw::height(title.clientRect()), 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE,
                                  ANSI_CHARSET, OUT_TT_PRECIS, 0x20, PROOF_QUALITY,
                                  VARIABLE_PITCH | FF_ROMAN, nullptr));
    title.setFont(m_titleFont.get());

    if (!m_pages.empty()) {
        m_current = 0;
        ShowCurrentPage(true);
    }
    SetFocus(item(IDC_WIZARD_NEXT));
    return FALSE;  // the focus is set
}

// The wizard stays the active one until it is deleted, so that a stop request still reaches
// test-library threads after its window has closed.
void CWizardDlg::OnDestroy() { m_tasks.NotifyWindow(nullptr); }

void CWizardDlg::RunOnOwnThread(const std::function<void()>& work) {
    if (hwnd() && GetWindowThreadProcessId(hwnd(), nullptr) != GetCurrentThreadId())
        SendMessageA(hwnd(), WM_RUN_ON_OWN_THREAD, 0, reinterpret_cast<LPARAM>(&work));
    else
        work();
}

void CWizardDlg::FitFrameToPage(CWizardPage& page) {
    page.CreatePage(hwnd());
    RECT pageWindow = page.window().windowRect();
    WizardFrameRects frame{};
    frame.placeholder = item(IDC_WIZARD_PAGE_AREA).rectInParent();
    frame.margin = item(IDC_WIZARD_MARGIN).rectInParent();
    frame.picture = item(IDC_WIZARD_PICTURE).rectInParent();
    frame.title = item(IDC_WIZARD_TITLE).rectInParent();
    frame.titleLine = item(IDC_WIZARD_TITLE_LINE).rectInParent();
    frame.separator = item(IDC_WIZARD_SEPARATOR).rectInParent();
    frame.previous = item(IDC_WIZARD_PREVIOUS).rectInParent();
    frame.next = item(IDC_WIZARD_NEXT).rectInParent();
    frame.cancel = item(IDCANCEL).rectInParent();
    RECT wizardWindow = window().windowRect();
    frame.window = {fw::width(wizardWindow), fw::height(wizardWindow)};

    const WizardFrameRects fitted =
        FitWizardToPage(frame, {fw::width(pageWindow), fw::height(pageWindow)}, m_pageRect);
    item(IDC_WIZARD_TITLE).move(fitted.title);
    item(IDC_WIZARD_TITLE_LINE).move(fitted.titleLine);
    item(IDC_WIZARD_SEPARATOR).move(fitted.separator);
    item(IDC_WIZARD_PREVIOUS).move(fitted.previous);
    item(IDC_WIZARD_NEXT).move(fitted.next);
    item(IDC_WIZARD_CONTINUE).move(fitted.next);
    item(IDCANCEL).move(fitted.cancel);
    item(IDC_WIZARD_FINISH).move(fitted.cancel);

    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    POINT place{(screenWidth - fitted.window.cx) / 2, (screenHeight - fitted.window.cy) / 2};
    // Nobody watches an unattended run: it stays out of sight, left of every screen.
    if (m_session.unattendedRun()) place = {GetSystemMetrics(SM_XVIRTUALSCREEN) - fitted.window.cx - 64, 0};
    SetWindowPos(hwnd(), nullptr, place.x, place.y, fitted.window.cx, fitted.window.cy, SWP_NOZORDER | SWP_NOACTIVATE);
    page.window().move(m_pageRect);
}

void CWizardDlg::GrowFrameToPage(CWizardPage& page) {
    const int dy = fw::height(page.window().windowRect()) - fw::height(m_pageRect);
    if (dy <= 0) return;
    m_pageRect.bottom += dy;
    for (int id : {IDC_WIZARD_SEPARATOR, IDC_WIZARD_PREVIOUS, IDC_WIZARD_NEXT, IDC_WIZARD_CONTINUE, IDCANCEL,
                   IDC_WIZARD_FINISH}) {
        RECT rect = item(id).rectInParent();
        OffsetRect(&rect, 0, dy);
        item(id).move(rect);
    }
    const RECT wizardWindow = window().windowRect();
    SetWindowPos(hwnd(), nullptr, 0, 0, fw::width(wizardWindow), fw::height(wizardWindow) + dy,
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOMOVE);
}

void CWizardDlg::ShowCurrentPage(bool first) {
    if (m_current == npos || m_current >= m_pages.size()) return;
    CWizardPage* old = m_currentPage;
    CWizardPage* page = m_pages[m_current].get();
    m_currentPage = page;

    if (first) FitFrameToPage(*page);
    if (old && old != page) {
        SendToPage(old, ZKPM_DEACTIVATE);
        old->window().enable(false);
        old->window().show(SW_HIDE);
    }
    EnableNext(m_current + 1 < m_pages.size());
    EnablePrev(m_current > 0);
    if (!page->created()) {
        page->CreatePage(hwnd());
        GrowFrameToPage(*page);
        page->window().move(m_pageRect);
    }
    item(IDC_WIZARD_TITLE).setText(page->window().text());
    page->window().show(SW_SHOW);
    page->window().enable(true);
    StartPageTimer();
    SendToPage(page, ZKPM_ACTIVATE);
    PostUnattendedStep();
}

bool CWizardDlg::EnableNext(bool enable) {
    if (enable) PostUnattendedStep();
    return item(IDC_WIZARD_NEXT).enable(enable);
}

void CWizardDlg::ForceNext() {
    if (m_current == npos || m_current + 1 >= m_pages.size()) return;
    ++m_current;
    ShowCurrentPage(false);
}

void CWizardDlg::OnNext() {
    if (!m_currentPage || !SendToPage(m_currentPage, ZKPM_NEXT)) return;
    ForceNext();
}

void CWizardDlg::OnPrevious() {
    if (!m_currentPage || !SendToPage(m_currentPage, ZKPM_BACK)) return;
    SetContinueMode(false);
    size_t at = m_current;
    if (at == npos) return;
    while (at < m_pages.size() && !m_pages[at]->persistent()) RemovePageAt(at);
    // Walk back over non-persistent pages to the nearest persistent one before the current.
    size_t back = at;
    while (back > 0) {
        --back;
        if (m_pages[back]->persistent()) break;
        RemovePageAt(back);
    }
    m_current = back;
    ShowCurrentPage(false);
}

void CWizardDlg::OnContinue() {
    SetContinueMode(false);
    SendToPage(m_currentPage, ZKPM_CONTINUE);
}

bool CWizardDlg::SetFinishMode(bool on) {
    bool previous = m_finishMode;
    if (on != m_finishMode) {
        item(IDCANCEL).show(on ? SW_HIDE : SW_SHOW);
        item(IDC_WIZARD_FINISH).show(on ? SW_SHOW : SW_HIDE);
        m_finishMode = on;
    }
    return previous;
}

bool CWizardDlg::SetContinueMode(bool on) {
    bool previous = m_continueMode;
    if (on == m_continueMode) return previous;
    const int shown = on ? IDC_WIZARD_CONTINUE : IDC_WIZARD_NEXT;
    const int hidden = on ? IDC_WIZARD_NEXT : IDC_WIZARD_CONTINUE;
    item(shown).show(SW_SHOW);
    if (on) EnableContinue(true);
    // A hidden button that has the focus would hand it, and the default, to Previous.
    if (GetFocus() == item(hidden).hwnd())
        SendMessageA(hwnd(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(item(shown).hwnd()), TRUE);
    item(hidden).show(SW_HIDE);
    SetDefaultButton(shown);
    if (on) PostUnattendedStep();
    if (m_session.autoRun) {
        if (on)
            m_previousBeforeContinue = EnablePrev(false);
        else
            EnablePrev(m_previousBeforeContinue);
    }
    m_continueMode = on;
    return previous;
}

// Enter presses the button that moves on. The dialog's default id answers Enter from any other
// control; the style draws the button's thick frame.
void CWizardDlg::SetDefaultButton(int id) {
    SendMessageA(hwnd(), DM_SETDEFID, static_cast<WPARAM>(id), 0);
    for (int button : {IDC_WIZARD_PREVIOUS, IDC_WIZARD_NEXT, IDC_WIZARD_CONTINUE})
        item(button).send(BM_SETSTYLE, button == id ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

void CWizardDlg::OnCancel() {
    const bool running = m_tasks.Running();
    if (running) m_tasks.Suspend();
    m_askingToQuit = true;
    const int answer = fw::ShowMessage(hwnd(), IDS_CONFIRM_QUIT, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2);
    m_askingToQuit = false;
    if (running) m_tasks.Resume();
    if (answer != IDYES) {
        if (m_taskEndedWhileAsking) OnTaskEnded(0);
        m_taskEndedWhileAsking = false;
        return;
    }
    m_tasks.Stop([this] { return fw::ShowMessage(hwnd(), IDS_ABORT_TASK, MB_YESNO | MB_ICONQUESTION) == IDYES; });
    EndDialog(IDCANCEL);
}

void CWizardDlg::OnTaskEnded(WPARAM terminated) {
    // A page stopped for its time is left without its end steps: it may no longer act.
    if (m_stoppingPage) return;
    if (terminated) {
        EndDialog(IDCANCEL);
        return;
    }
    // A task that ended just before the question was asked must not move the session on (a page
    // may open a dialog or go to the next page) under the open question: it waits for the answer.
    if (m_askingToQuit) {
        m_taskEndedWhileAsking = true;
        return;
    }
    SendToPage(m_currentPage, ZKPM_TASKDONE);
    PostUnattendedStep();
}

void CWizardDlg::OnSystemMenuPopup(HMENU menu) {
    const bool minimized = IsIconic(hwnd()) != FALSE;
    EnableMenuItem(menu, SC_RESTORE, MF_BYCOMMAND | (minimized ? MF_ENABLED : MF_GRAYED));
    EnableMenuItem(menu, SC_MINIMIZE, MF_BYCOMMAND | (minimized ? MF_GRAYED : MF_ENABLED));
    EnableMenuItem(menu, SC_MAXIMIZE, MF_BYCOMMAND | MF_GRAYED);
    EnableMenuItem(menu, SC_SIZE, MF_BYCOMMAND | MF_GRAYED);
}

bool CWizardDlg::OnCommand(WORD id, WORD code, HWND control) {
    switch (id) {
    case IDC_WIZARD_NEXT:
        OnNext();
        return true;
    case IDC_WIZARD_PREVIOUS:
        OnPrevious();
        return true;
    case IDC_WIZARD_CONTINUE:
        OnContinue();
        return true;
    case IDC_WIZARD_FINISH:
        EndDialog(IDC_WIZARD_FINISH);
        return true;
    case IDOK:
        return true;  // Enter goes to Next, the default button; never close the wizard
    default:
        return CDialog::OnCommand(id, code, control);
    }
}

INT_PTR CWizardDlg::DialogProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case ZKPM_TASKDONE:
        OnTaskEnded(wParam);
        return Answer(0);
    case CTaskRunner::WM_TASK_BUTTONS: {
        const bool nextWasEnabled = EnableNext(LOWORD(wParam) != 0);
        const bool previousWasEnabled = EnablePrev(HIWORD(wParam) != 0);
        return Answer(MAKELONG(nextWasEnabled, previousWasEnabled));
    }
    case WM_UNATTENDED_STEP:
        OnUnattendedStep();
        return Answer(0);
    case WM_TIMER:
        if (wParam == kPageTimer) OnPageTimeout();
        if (wParam == kRetryTimer) {
            KillTimer(hwnd(), kRetryTimer);
            PostUnattendedStep();
        }
        return Answer(0);
    case WM_RUN_ON_OWN_THREAD:
        (*reinterpret_cast<const std::function<void()>*>(lParam))();
        return Answer(0);
    case WM_INITMENUPOPUP:
        if (HIWORD(lParam)) {
            OnSystemMenuPopup(reinterpret_cast<HMENU>(wParam));
            return TRUE;
        }
        return FALSE;
    default:
        return CDialog::DialogProc(message, wParam, lParam);
    }
}
