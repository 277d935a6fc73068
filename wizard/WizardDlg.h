// The wizard: one modal dialog showing one page at a time, with a side picture, a title line
// and the Previous, Next (or Continue) and Cancel (or Finish) buttons.
#pragma once
#include <windows.h>

#include <functional>
#include <memory>
#include <vector>

#include "framework/Dialog.h"
#include "framework/Handles.h"
#include "wizard/TaskRunner.h"
#include "wizard/WizardPage.h"
#include "wizard/WizardSession.h"

class CWizardDlg : public fw::CDialog {
public:
    explicit CWizardDlg(WizardSession& session);
    ~CWizardDlg() override;

    // The wizard whose window exists, if any: the host functions steer it.
    static CWizardDlg* Active() { return s_active; }
    // The running wizard's window, or null when there is none.
    static HWND ActiveWindow() { return s_active ? s_active->hwnd() : nullptr; }
    WizardSession& session() const { return m_session; }
    CTaskRunner& tasks() { return m_tasks; }
    // Windows belong to the thread that made them: work on them asked for by another thread is
    // done by the wizard's thread while the asking thread waits.
    void RunOnOwnThread(const std::function<void()>& work);

    void AddPage(std::unique_ptr<CWizardPage> page);
    // Inserts directly after reference, or at the end when reference is not in the list.
    void InsertPageAfter(const CWizardPage* reference, std::unique_ptr<CWizardPage> page);
    void RemovePage(const CWizardPage* page);
    void ShowCurrentPage(bool first);
    // Moves forward without asking the current page; not on the last page.
    void ForceNext();

    bool SetFinishMode(bool on);
    bool SetContinueMode(bool on);
    bool EnableNext(bool enable);
    bool EnablePrev(bool enable) { return item(100).enable(enable); }
    bool EnableContinue(bool enable) { return item(102).enable(enable); }

    size_t pageCount() const { return m_pages.size(); }
    CWizardPage* page(size_t position) const { return m_pages[position].get(); }
    CWizardPage* currentPage() const { return m_currentPage; }

protected:
    INT_PTR DialogProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL OnInitDialog() override;
    bool OnCommand(WORD id, WORD code, HWND control) override;
    void OnCancel() override;
    void OnDestroy() override;

private:
    static constexpr size_t npos = static_cast<size_t>(-1);

    size_t position(const CWizardPage* page) const;
    void RemovePageAt(size_t position);
    void OnNext();
    void OnPrevious();
    void OnContinue();
    void OnTaskEnded(WPARAM terminated);
    void OnSystemMenuPopup(HMENU menu);

    // An unattended run drives the wizard itself (WizardUnattended.cpp): each page is left as
    // soon as its work is done, and a page still busy after its time is stopped and left.
    void PostUnattendedStep();
    void OnUnattendedStep();
    void StartPageTimer();
    void OnPageTimeout();
    void StopTimedOutPage();
    void SetDefaultButton(int id);
    void FitFrameToPage(CWizardPage& page);
    // A page taller than the frame grows it downwards; the frame never shrinks.
    void GrowFrameToPage(CWizardPage& page);
    LRESULT SendToPage(CWizardPage* page, UINT message);

    static constexpr UINT WM_RUN_ON_OWN_THREAD = WM_APP + 3;  // lParam: const std::function<void()>*
    static constexpr UINT WM_UNATTENDED_STEP = WM_APP + 4;
    static constexpr UINT_PTR kPageTimer = 1;
    static constexpr UINT_PTR kRetryTimer = 2;  // the wizard was disabled by a window of its own
    static CWizardDlg* s_active;

    WizardSession& m_session;
    CTaskRunner m_tasks{m_session.terminate};

    fw::UniqueFont m_titleFont;
    std::vector<std::unique_ptr<CWizardPage>> m_pages;
    size_t m_current = npos;
    CWizardPage* m_currentPage = nullptr;
    RECT m_pageRect{};
    bool m_finishMode = false;
    bool m_continueMode = false;
    bool m_previousBeforeContinue = false;
    bool m_askingToQuit = false;
    bool m_taskEndedWhileAsking = false;
    bool m_stepPending = false;
    int m_pageCalls = 0;  // a page is answering a page message (perhaps in a dialog of its own)
    bool m_stoppingPage = false;
    CWizardPage* m_timedOutPage = nullptr;
};
