// The task functions of the host table: thin adapters over the running wizard's task runner and
// its session. Without a wizard there is no task, no stop request and no unattended run.
#include <windows.h>

#include "wizard/WizardDlg.h"
#include "zelkor.h"

void WINAPI ZKBeginBackground(HANDLE thread) {
    if (CWizardDlg* wizard = CWizardDlg::Active()) wizard->tasks().Begin(thread);
}

void WINAPI ZKEndBackground() {
    if (CWizardDlg* wizard = CWizardDlg::Active()) wizard->tasks().End();
}

BOOL WINAPI ZKShouldTerminate() {
    CWizardDlg* wizard = CWizardDlg::Active();
    return wizard && wizard->session().terminate ? TRUE : FALSE;
}

BOOL WINAPI ZKAutoRun() {
    CWizardDlg* wizard = CWizardDlg::Active();
    return wizard && wizard->session().autoRun ? TRUE : FALSE;
}
