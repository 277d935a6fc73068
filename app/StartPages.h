// The two pages every session starts with: Welcome and Diagnostics complete.
#pragma once

class CWizardDlg;

void AddStartPages(CWizardDlg& wizard);
