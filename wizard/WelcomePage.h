// The first page: the user chooses Full, Typical or Custom diagnostics. Full and Typical build
// the test pages here; Custom hands over to the Select Diagnostics page.
#pragma once
#include "wizard/WizardPage.h"

class CSelectDiagnosticsPage;

class CWelcomePage : public CWizardPage {
public:
    // The choices in the order of their radio buttons.
    enum Choice { Full = 0, Typical = 1, Custom = 2 };

    CWelcomePage();

    BOOL PageOpNext() override;
    void PageOpWriteLog() override;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(fw::DataExchange& exchange) override;

private:
    void BuildAutomaticTestPages();

    int m_choice = Full;
    CSelectDiagnosticsPage* m_selectPage = nullptr;
};
