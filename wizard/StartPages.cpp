#include "wizard/StartPages.h"

#include <memory>

#include "wizard/WelcomePage.h"
#include "wizard/WizardDlg.h"

void AddStartPages(CWizardDlg& wizard) {
    wizard.AddPage(std::make_unique<CWelcomePage>());
    // The Diagnostics complete page (template 106) is added here, after the Welcome page.
}
