// The base of every wizard page: the program's own pages and the test libraries' pages.
// The wizard talks to every page through the page messages 0x401 to 0x408.
#pragma once
#include <windows.h>

#include <vector>

#include "framework/Dialog.h"
#include "framework/ResourceBlock.h"

class CTaskRunner;
class CWizardDlg;

class CWizardPage : public fw::CDialog {
public:
    // A page of the program's own, from template templateId of Zelkor.exe.
    CWizardPage(UINT templateId, bool persistent);
    ~CWizardPage() override;

    bool persistent() const { return m_persistent; }
    bool created() const { return m_created; }

    // Creates the page window as a child of the wizard (hidden and disabled).
    virtual bool CreatePage(HWND wizard);
    void DestroyPage();

    // The wizard that takes the page into its list, and that wizard's task runner.
    void JoinWizard(CWizardDlg* wizard, CTaskRunner* tasks) {
        m_wizard = wizard;
        m_tasks = tasks;
    }
    // Starts PageOpRunTask on a background thread and registers it as the running task.
    bool StartPageTask();

    virtual BOOL PageOpNext() { return TRUE; }
    virtual BOOL PageOpBack() { return TRUE; }
    virtual void PageOpWriteLog() {}
    virtual void PageOpTaskDone() {}
    virtual void PageOpActivate() {}
    virtual void PageOpDeactivate() {}
    virtual void PageOpRemove() {}
    virtual void PageOpContinue() {}
    virtual void PageOpRunTask() {}

protected:
    // A page whose template lives in another module and whose messages go to dialogProc.
    CWizardPage(HMODULE module, UINT templateId, DLGPROC dialogProc, bool persistent);

    INT_PTR DialogProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    CWizardDlg* wizard() const { return m_wizard; }

private:
    static unsigned __stdcall TaskThreadProc(void* page);

    DLGPROC m_dialogProc = nullptr;
    CResourceBlock m_template;
    std::vector<DWORD> m_childTemplate;
    HANDLE m_taskThread = nullptr;
    CWizardDlg* m_wizard = nullptr;
    CTaskRunner* m_tasks = nullptr;
    bool m_persistent;
    bool m_created = false;
};
