// The application: start-up in its fixed order, one modal run of the wizard, and exit.
#pragma once
#include <string>

#include "app/CommandLine.h"
#include "framework/App.h"
#include "framework/Handles.h"
#include "wizard/WizardSession.h"

class CWizardApp : public fw::CApp {
public:
    // The exit codes of an unattended run; an interactive run ends with 0.
    enum ExitCode { kLogComplete = 0, kTestIncomplete = 1, kLogNotWritten = 2, kBadCommandLine = 3 };

    void InitInstance() override;
    int ExitInstance() override;
    void ReportStartupFailure(const std::string& description) override;

private:
    // Reads the command line; false when the program has nothing more to do.
    bool TakeCommandLine();
    // Checks the tests asked for and plans the run; false (exit code 3) for an unknown test.
    bool PlanUnattendedRun();
    // Waits while another unattended run of this machine writes its log.
    void WaitForOtherRuns();
    int UnattendedOutcome();
    // A person's session in a message box. The command line's answers and an unattended run's
    // failures on the console when there is one; otherwise in a message box, unless nobody is there.
    void Tell(DWORD standardHandle, const std::string& text, UINT icon);

    WizardSession m_session;
    CommandLine m_line;
    int m_exitCode = kLogComplete;
    fw::UniqueKernelHandle m_runLock;
    bool m_runLockHeld = false;
};
