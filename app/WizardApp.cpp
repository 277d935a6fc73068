#include "app/WizardApp.h"

#include <windows.h>
#include <commctrl.h>

#include <memory>

#include "app/Ctl3d.h"
#include "app/FaultHandler.h"
#include "app/StartPages.h"
#include "controls/BinEdit.h"
#include "controls/IconButton.h"
#include "editors/RegistryPage.h"
#include "editors/SystemEditorPage.h"
#include "framework/MessageBox.h"
#include "framework/StringTable.h"
#include "journal/Journal.h"
#include "journal/UndoChanges.h"
#include "registry/SettingsStore.h"
#include "resources/resource.h"
#include "testlib/TestLibrary.h"
#include "wizard/WizardDlg.h"

void CWizardApp::InitInstance() {
    InstallFaultHandler();
    InstallSettingsTree(SETTINGS_TREE, nullptr);
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);

    if (!Load3dControls() || !RegisterIconButtonClass()) return;
    RegisterBinEditClass();  // the Edit Binary dialog registers it again if this failed
    if (!FindTestLibraries()) {
        fw::ShowMessage(nullptr, IDS_NO_TEST_LIBRARIES, MB_ICONSTOP);
        return;
    }
    m_session.createRegistryPage = []() -> std::unique_ptr<CWizardPage> { return std::make_unique<CRegistryPage>(); };
    m_session.createSystemEditorPage = []() -> std::unique_ptr<CWizardPage> {
        return std::make_unique<CSystemEditorPage>();
    };
    OfferAbandonedUndo(nullptr);
    CWizardDlg wizard(m_session);
    AddStartPages(wizard);
    wizard.DoModal(nullptr);
    SessionJournal().Close();
}

int CWizardApp::ExitInstance() {
    FreeTestLibraries();
    Free3dControls();
    return 0;
}

void CWizardApp::ReportStartupFailure(const std::string& description) {
    fw::ShowMessage(nullptr, fw::FormattedString(IDS_STARTUP_FAILED, description.c_str()), MB_ICONSTOP);
}
