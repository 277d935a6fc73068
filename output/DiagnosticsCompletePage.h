// The wizard's last page: generates the session log each time it is shown, then offers to view,
// fax or print it.
#pragma once
#include "output/UserInfoDlg.h"
#include "wizard/WizardPage.h"

class CDiagnosticsCompletePage : public CWizardPage {
public:
    enum Job { GenerateLog = 0, PrintLog = 1, FaxLog = 2 };

    CDiagnosticsCompletePage();

    BOOL PageOpBack() override;
    void PageOpActivate() override;
    void PageOpTaskDone() override;
    void PageOpRunTask() override;

protected:
    BOOL OnInitDialog() override;
    bool OnCommand(WORD id, WORD code, HWND control) override;

private:
    void GenerateLogFile();
    void SweepPages();

    UserDetails m_user;
    Job m_job = GenerateLog;
};
