// The application: start-up in its fixed order, one modal run of the wizard, and exit.
#pragma once
#include "framework/App.h"
#include "wizard/WizardSession.h"

class CWizardApp : public fw::CApp {
public:
    void InitInstance() override;
    int ExitInstance() override;
    void ReportStartupFailure(const std::string& description) override;

private:
    WizardSession m_session;
};
