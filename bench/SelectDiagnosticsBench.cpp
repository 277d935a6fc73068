// How long the way from the Welcome page to the Select Diagnostics page takes with the test
// libraries of one directory: Custom is chosen and Next pressed; the time is the press alone.
//
//   zelkor_select_bench.exe LIBRARY_DIRECTORY\    (for example benchlibs\many1000\)
#include <windows.h>
#include <commctrl.h>

#include <chrono>
#include <cstdio>
#include <memory>

#include "resources/resource.h"
#include "testlib/TestLibrary.h"
#include "wizard/WelcomePage.h"
#include "wizard/WizardDlg.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: zelkor_select_bench LIBRARY_DIRECTORY\\\n");
        return 2;
    }
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    if (!FindTestLibrariesIn(argv[1])) {
        std::fprintf(stderr, "no test library in %s\n", argv[1]);
        return 1;
    }
    WizardSession session;
    CWizardDlg wizard(session);
    auto welcome = std::make_unique<CWelcomePage>();
    CWelcomePage* welcomePage = welcome.get();
    wizard.AddPage(std::move(welcome));
    wizard.AddPage(std::make_unique<CWizardPage>(IDD_WELCOME, true));  // stands in for the last page
    if (!wizard.Create(nullptr)) return 1;
    wizard.window().show(SW_SHOW);
    SendDlgItemMessageA(welcomePage->hwnd(), IDC_WELCOME_CUSTOM, BM_CLICK, 0, 0);

    const auto start = std::chrono::steady_clock::now();
    SendMessageA(wizard.hwnd(), WM_COMMAND, MAKEWPARAM(IDC_WIZARD_NEXT, BN_CLICKED), 0);
    const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);

    const std::string title = wizard.item(IDC_WIZARD_TITLE).text();
    const LRESULT items = SendDlgItemMessageA(wizard.currentPage()->hwnd(), IDC_SELECT_TREE, TVM_GETCOUNT, 0, 0);
    std::printf("%s: %ld tree items, %lld ms\n", title.c_str(), static_cast<long>(items),
                static_cast<long long>(elapsed.count()));
    wizard.Destroy();
    FreeTestLibraries();
    return title == "Select Diagnostics" ? 0 : 1;
}
