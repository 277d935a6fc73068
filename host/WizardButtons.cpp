// Host functions that steer the wizard's buttons. Test libraries may call them from a
// background thread: work that creates or shows windows is handed to the wizard's thread.
#include <windows.h>

#include "wizard/WizardDlg.h"
#include "zelkor.h"

BOOL WINAPI ZKEnableNext(BOOL enable) {
    CWizardDlg* wizard = CWizardDlg::Active();
    return wizard && wizard->EnableNext(enable != FALSE) ? TRUE : FALSE;
}

BOOL WINAPI ZKEnablePrev(BOOL enable) {
    CWizardDlg* wizard = CWizardDlg::Active();
    return wizard && wizard->EnablePrev(enable != FALSE) ? TRUE : FALSE;
}

BOOL WINAPI ZKEnableContinue(BOOL enable) {
    CWizardDlg* wizard = CWizardDlg::Active();
    return wizard && wizard->EnableContinue(enable != FALSE) ? TRUE : FALSE;
}

void WINAPI ZKSetContinue(BOOL on) {
    if (CWizardDlg* wizard = CWizardDlg::Active())
        SendMessageA(wizard->hwnd(), CWizardDlg::WM_SET_CONTINUE, on ? 1 : 0, 0);
}

void WINAPI ZKForceNext() {
    if (CWizardDlg* wizard = CWizardDlg::Active()) SendMessageA(wizard->hwnd(), CWizardDlg::WM_FORCE_NEXT, 0, 0);
}
