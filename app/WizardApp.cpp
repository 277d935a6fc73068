#include "app/WizardApp.h"

#include <windows.h>
#include <commctrl.h>

#include <memory>

#include "app/Console.h"
#include "app/Ctl3d.h"
#include "app/FaultHandler.h"
#include "app/StartPages.h"
#include "controls/BinEdit.h"
#include "controls/IconButton.h"
#include "editors/RegistryPage.h"
#include "editors/SystemEditorPage.h"
#include "framework/ErrorText.h"
#include "framework/MessageBox.h"
#include "framework/StringTable.h"
#include "journal/Journal.h"
#include "journal/UndoChanges.h"
#include "log/LogFile.h"
#include "registry/SettingsStore.h"
#include "resources/resource.h"
#include "testlib/TestLibrary.h"
#include "wizard/WelcomePage.h"
#include "wizard/WizardDlg.h"

namespace {
// Machine-wide, so that runs in different logon sessions never write one log together.
const char kRunLockName[] = "Global\\Zelkor.UnattendedRun";

bool TestExists(const std::string& name) {
    CTestLibrary* library = nullptr;
    for (size_t index = 0; GetTestLibrary(index, library); ++index)
        for (const TestEntry& test : library->description().tests)
            if (NamesTest(name, library->name(), test.name)) return true;
    return false;
}

int WelcomeChoice(CommandLine::Mode mode) {
    switch (mode) {
    case CommandLine::Mode::Full:
        return CWelcomePage::Full;
    case CommandLine::Mode::Custom:
        return CWelcomePage::Custom;
    default:
        return CWelcomePage::Typical;
    }
}
}  // namespace

void CWizardApp::InitInstance() {
    InstallFaultHandler();
    if (!TakeCommandLine()) return;
    InstallSettingsTree(SETTINGS_TREE, nullptr);
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);

    if (!Load3dControls() || !RegisterIconButtonClass()) return;
    RegisterBinEditClass();  // the Edit Binary dialog registers it again if this failed
    if (!FindTestLibraries()) {
        if (m_line.unattended()) m_exitCode = kLogNotWritten;
        Tell(STD_ERROR_HANDLE, fw::LoadedString(IDS_NO_TEST_LIBRARIES), MB_ICONSTOP);
        return;
    }
    if (m_line.unattended() && !PlanUnattendedRun()) return;
    m_session.createRegistryPage = []() -> std::unique_ptr<CWizardPage> { return std::make_unique<CRegistryPage>(); };
    m_session.createSystemEditorPage = []() -> std::unique_ptr<CWizardPage> {
        return std::make_unique<CSystemEditorPage>();
    };
    // An unattended run changes nothing and has nobody to ask: the offer waits for a person.
    if (!m_line.unattended()) OfferAbandonedUndo(nullptr);
    CWizardDlg wizard(m_session);
    AddStartPages(wizard);
    wizard.DoModal(nullptr);
    SessionJournal().Close();
    if (m_line.unattended()) m_exitCode = UnattendedOutcome();
}

bool CWizardApp::TakeCommandLine() {
    m_line = ParseProcessCommandLine();
    if (!m_line.error.empty()) {
        m_exitCode = kBadCommandLine;
        Tell(STD_ERROR_HANDLE, m_line.error, MB_ICONSTOP);
        return false;
    }
    if (m_line.help) {
        Tell(STD_OUTPUT_HANDLE, fw::LoadedString(IDS_USAGE), MB_ICONINFORMATION);
        return false;
    }
    if (!m_line.logPath.empty()) SetLogFilePath(ResolveLogPath(m_line.logPath));
    return true;
}

bool CWizardApp::PlanUnattendedRun() {
    for (const std::string& name : m_line.tests) {
        if (!TestExists(name)) {
            m_exitCode = kBadCommandLine;
            Tell(STD_ERROR_HANDLE, fw::FormattedString(IDS_CMD_UNKNOWN_TEST, name.c_str()), MB_ICONSTOP);
            return false;
        }
    }
    m_session.unattended.choice = WelcomeChoice(m_line.mode);
    m_session.unattended.tests = m_line.tests;
    m_session.unattended.pageTimeoutMs = m_line.pageTimeoutSeconds * 1000;
    // Nobody is there to answer: what a box would have said goes to the end of the log.
    fw::AnswerMessagesWith([this](const std::string& text, UINT style) {
        m_session.AddMessage(text);
        return fw::DefaultButton(style);
    });
    WaitForOtherRuns();
    return true;
}

// The second run waits rather than refusing: a logon script started twice still gets its log.
void CWizardApp::WaitForOtherRuns() {
    m_runLock.reset(CreateMutexA(nullptr, FALSE, kRunLockName));
    if (!m_runLock) return;
    DWORD state = WaitForSingleObject(m_runLock.get(), 0);
    if (state == WAIT_TIMEOUT) {
        WriteToConsole(STD_ERROR_HANDLE, fw::LoadedString(IDS_ANOTHER_RUN));
        state = WaitForSingleObject(m_runLock.get(), INFINITE);
    }
    m_runLockHeld = state == WAIT_OBJECT_0 || state == WAIT_ABANDONED;
}

int CWizardApp::UnattendedOutcome() {
    if (!m_session.logSaved) {
        const DWORD error = LogFileError();
        Tell(STD_ERROR_HANDLE,
             fw::FormattedString(IDS_LOG_NOT_WRITTEN, LogFileName(), ErrorText(error ? error : ERROR_CANCELLED).c_str()),
             MB_ICONSTOP);
        return kLogNotWritten;
    }
    return LogIncompleteReason().empty() ? kLogComplete : kTestIncomplete;
}

void CWizardApp::Tell(DWORD standardHandle, const std::string& text, UINT icon) {
    // A person's session tells a person, as it always has; the command line's own answers and
    // an unattended run go to the console.
    const bool unattended = m_line.unattended() || !m_line.tests.empty();
    if ((unattended || m_line.help || !m_line.error.empty()) && WriteToConsole(standardHandle, text)) return;
    // A run meant to go without a person never waits for one.
    if (unattended) return;
    fw::ShowMessage(nullptr, text, icon);
}

int CWizardApp::ExitInstance() {
    FreeTestLibraries();
    Free3dControls();
    if (m_runLockHeld) ReleaseMutex(m_runLock.get());
    return m_exitCode;
}

void CWizardApp::ReportStartupFailure(const std::string& description) {
    Tell(STD_ERROR_HANDLE, fw::FormattedString(IDS_STARTUP_FAILED, description.c_str()), MB_ICONSTOP);
}
