#include "wizard/StartPages.h"

#include "wizard/WizardDlg.h"

void AddStartPages(CWizardDlg&) {}
