#include "app/WizardApp.h"

#include <commctrl.h>

#include "app/Ctl3d.h"
#include "app/FaultHandler.h"
#include "registry/SettingsStore.h"
#include "resources/resource.h"
#include "testlib/TestLibrary.h"
#include "wizard/StartPages.h"
#include "wizard/WizardDlg.h"
#include "zelkor.h"

bool CWizardApp::InitInstance() {
    InstallFaultHandler();
    InstallSettingsTree(SETTINGS_TREE, nullptr);
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);

    if (!Load3dControls()) return false;
    if (!FindTestLibraries()) {
        MessageBoxA(nullptr, ZKLoadString(IDS_NO_TEST_LIBRARIES, nullptr), ZKGetAppName(), MB_ICONSTOP);
        return false;
    }
    {
        CWizardDlg wizard;
        AddStartPages(wizard);
        wizard.DoModal(nullptr);
    }
    return false;  // no message loop of our own: the wizard was the session
}

int CWizardApp::ExitInstance() {
    FreeTestLibraries();
    Free3dControls();
    return 0;
}
