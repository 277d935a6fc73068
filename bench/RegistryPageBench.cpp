// How the Registry page opens on one library key with thousands of subkeys (5,000, 20,000 and
// 50,000 by default, three described values each), against the registry calls that the fill
// cannot avoid, in the same run: the walk of the keys alone, and the walk that also reads every
// key's described values. For the page it reports the press of Next onto the page until the
// wizard is painted (the user sees the page), the longest time the window did not answer while
// the tree went on filling, and the time until every key was in the tree.
//
//   zelkor_regpage_bench.exe [KEYS ...]
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "BenchTiming.h"
#include "editors/RegistryPage.h"
#include "registry/RegistryKey.h"
#include "resources/resource.h"
#include "testlib/LibraryWalks.h"
#include "wizard/WizardDlg.h"

namespace {

const char kParent[] = "Software\\ZelkorBench\\RegistryPage";

bool MakeKeys(int keys) {
    RegDeleteTreeA(HKEY_CURRENT_USER, kParent);
    char name[MAX_PATH];
    for (int n = 0; n < keys; ++n) {
        std::snprintf(name, sizeof name, "%s\\Line%05d", kParent, n);
        CRegistryKey key(HKEY_CURRENT_USER, name, true);
        if (!key.handle() || key.setDword("Rings", static_cast<DWORD>(n % 9 + 1)) != ERROR_SUCCESS ||
            key.setString("Port", n % 2 ? "COM1" : "COM2") != ERROR_SUCCESS ||
            key.setString("Driver", "Standard modem") != ERROR_SUCCESS)
            return false;
    }
    return true;
}


int ChildCount(HWND tree, HTREEITEM parent) {
    int count = 0;
    for (auto item = TreeView_GetChild(tree, parent); item; item = TreeView_GetNextSibling(tree, item)) ++count;
    return count;
}

struct PageTimes {
    double painted, longestStall, total;
    int keys;
};

// Next onto the page, painted; then messages pumped until every key is in the tree (or a
// minute has gone), noting the longest single dispatch.
PageTimes TimePage(int keys) {
    WizardSession session;
    CWizardDlg wizard(session);
    wizard.AddPage(std::make_unique<CWizardPage>(IDD_WELCOME, true));
    auto registry = std::make_unique<CRegistryPage>();
    CRegistryPage* page = registry.get();
    wizard.AddPage(std::move(registry));
    wizard.Create(nullptr);
    wizard.window().show(SW_SHOW);
    UpdateWindow(wizard.hwnd());
    PageTimes times{};
    const double start = bench::Now();
    wizard.window().send(WM_COMMAND, MAKEWPARAM(IDC_WIZARD_NEXT, BN_CLICKED));
    UpdateWindow(wizard.hwnd());
    times.painted = bench::Now() - start;
    HWND tree = page->item(IDC_REGPAGE_TREE).hwnd();
    HTREEITEM library = TreeView_GetRoot(tree);
    for (;;) {
        times.keys = ChildCount(tree, library);
        if (times.keys >= keys || bench::Now() - start > 60) break;
        MSG message;
        if (!PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
            continue;
        }
        const double dispatched = bench::Now();
        TranslateMessage(&message);
        DispatchMessageA(&message);
        times.longestStall = std::max(times.longestStall, bench::Now() - dispatched);
    }
    times.total = bench::Now() - start;
    times.longestStall = std::max(times.longestStall, times.painted);
    wizard.Destroy();
    return times;
}

}  // namespace

int main(int argc, char** argv) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_TREEVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    const std::string libraries = bench::ProgramDirectory() + "benchlibs\\regpage\\";
    CTestLibrary* library = nullptr;
    if (!FindTestLibrariesIn(libraries) || !GetTestLibrary(0, library)) {
        std::fprintf(stderr, "no test library in %s\n", libraries.c_str());
        return 1;
    }
    std::vector<int> sizes;
    for (int i = 1; i < argc; ++i) sizes.push_back(std::atoi(argv[i]));
    if (sizes.empty()) sizes = {5000, 20000, 50000};
    std::printf("%7s %9s %11s %10s %12s %9s %9s\n", "keys", "walk s", "+values s", "painted s", "longest stall",
                "total s", "in tree");
    for (int keys : sizes) {
        if (!MakeKeys(keys)) {
            std::fprintf(stderr, "could not make %d keys\n", keys);
            return 1;
        }
        int walked = 0, values = 0;
        const double walk = bench::Seconds([&] {
            ForEachLoggedKey(*library, [&](const LoggedKeyEntry&) { return ++walked > 0; });
        });
        const double read = bench::Seconds([&] {
            ForEachLoggedKey(*library, [&](const LoggedKeyEntry& key) {
                return ForEachRegEditItem(*library, key, [&](std::unique_ptr<RegEditItem>) { return ++values > 0; });
            });
        });
        const PageTimes page = TimePage(keys);
        std::printf("%7d %9.3f %11.3f %10.3f %12.3f %9.3f %9d\n", keys, walk, read, page.painted, page.longestStall,
                    page.total, page.keys);
    }
    RegDeleteTreeA(HKEY_CURRENT_USER, kParent);
    FreeTestLibraries();
    return 0;
}
