// Host functions that steer the wizard's buttons. Test libraries may call them from a
// background thread: the wizard's own thread does the work while the caller waits.
#include <windows.h>

#include "wizard/WizardDlg.h"
#include "zelkor.h"

namespace {
// Runs the step on the wizard's thread; false when there is no wizard.
BOOL onWizard(bool (*step)(CWizardDlg&, bool), BOOL argument) {
    CWizardDlg* wizard = CWizardDlg::Active();
    bool result = false;
    if (wizard) wizard->RunOnOwnThread([&] { result = step(*wizard, argument != FALSE); });
    return result ? TRUE : FALSE;
}
}  // namespace

BOOL WINAPI ZKEnableNext(BOOL enable) {
    return onWizard([](CWizardDlg& wizard, bool on) { return wizard.EnableNext(on); }, enable);
}

BOOL WINAPI ZKEnablePrev(BOOL enable) {
    return onWizard([](CWizardDlg& wizard, bool on) { return wizard.EnablePrev(on); }, enable);
}

BOOL WINAPI ZKEnableContinue(BOOL enable) {
    return onWizard([](CWizardDlg& wizard, bool on) { return wizard.EnableContinue(on); }, enable);
}

void WINAPI ZKSetContinue(BOOL on) {
    onWizard([](CWizardDlg& wizard, bool mode) { return wizard.SetContinueMode(mode); }, on);
}

void WINAPI ZKForceNext() {
    onWizard([](CWizardDlg& wizard, bool) {
        wizard.ForceNext();
        return true;
    }, FALSE);
}
