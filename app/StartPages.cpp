#include "app/StartPages.h"

#include <memory>

#include "output/DiagnosticsCompletePage.h"
#include "wizard/WelcomePage.h"
#include "wizard/WizardDlg.h"

void AddStartPages(CWizardDlg& wizard) {
    wizard.AddPage(std::make_unique<CWelcomePage>());
    wizard.AddPage(std::make_unique<CDiagnosticsCompletePage>());
}
