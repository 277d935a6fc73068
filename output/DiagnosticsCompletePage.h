// The wizard's last page: generates the session log each time it is shown, then offers to view,
// fax or print it.
#pragma once
#include "output/UserInfoDlg.h"
#include "wizard/WizardPage.h"

class CDiagnosticsCompletePage : public CWizardPage {
public:
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
    // The result text and the actions after a generation; the actions only for a saved log.
    void ShowLogResult(bool saved);
    void EnableLogActions(bool enable);

    UserDetails m_user;
    bool m_faxProgramFound = false;
};
