// How long the System Editor page takes to show a large SYSTEM.INI, against a bare multi-line
// EDIT control (same styles, font and size) given the same text, in the same run. For each size
// it times the first showing (Next onto the page) and a reload (Restore), and the bare control's
// first and second WM_SETTEXT; a ratio above 1 is what the page adds.
//
//   zelkor_sysedit_bench.exe [MEGABYTES ...]     (default 1 2 5; run from any directory)
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "BenchTiming.h"
#include "editors/SystemEditorPage.h"
#include "resources/resource.h"
#include "testlib/TestLibrary.h"
#include "wizard/WizardDlg.h"

namespace {

constexpr int kRounds = 3;

// INI-like lines of about 40 bytes, CR LF ended, up to the size.
std::string IniText(size_t bytes) {
    std::string text = "[bench]\r\n";
    char line[64];
    for (unsigned n = 0; text.size() < bytes; ++n) {
        std::snprintf(line, sizeof line, "key%07u=value of line %07u, benched\r\n", n, n);
        text += line;
    }
    return text;
}

bool WriteFileBytes(const char* path, const std::string& bytes) {
    HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const bool ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) && written == bytes.size();
    CloseHandle(file);
    return ok;
}

struct Times {
    double pageShow, pageReload, bareSet, bareAgain;
};

// The bare control: the styles of the page's edit control, in a window of its own.
void TimeBareEdit(const std::string& text, HFONT font, SIZE size, Times& times) {
    HWND parent = CreateWindowExA(0, "STATIC", "bare", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, size.cx + 40,
                                  size.cy + 60, nullptr, nullptr, nullptr, nullptr);
    HWND edit = CreateWindowExA(0, "EDIT", "",
                                WS_CHILD | WS_VISIBLE | WS_BORDER | WS_HSCROLL | WS_VSCROLL | ES_MULTILINE |
                                    ES_AUTOHSCROLL | ES_AUTOVSCROLL | ES_NOHIDESEL | ES_WANTRETURN,
                                4, 4, size.cx, size.cy, parent, nullptr, nullptr, nullptr);
    SendMessageA(edit, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    SendMessageA(edit, EM_SETLIMITTEXT, 0x7FFFFFFE, 0);
    times.bareSet = bench::Seconds([&] { SetWindowTextA(edit, text.c_str()); });
    times.bareAgain = bench::Seconds([&] { SetWindowTextA(edit, text.c_str()); });
    DestroyWindow(parent);
}

// One round: Next from a stand-in page onto the System Editor page (creation, list, load), then
// Restore (reload); then the bare control with the page's font and size, while the page exists.
Times TimeRound(const std::string& text) {
    WizardSession session;
    CWizardDlg wizard(session);
    wizard.AddPage(std::make_unique<CWizardPage>(IDD_WELCOME, true));
    auto editor = std::make_unique<CSystemEditorPage>();
    CSystemEditorPage* page = editor.get();
    wizard.AddPage(std::move(editor));
    wizard.Create(nullptr);
    wizard.window().show(SW_SHOW);
    Times times{};
    times.pageShow = bench::Seconds([&] { wizard.window().send(WM_COMMAND, MAKEWPARAM(IDC_WIZARD_NEXT, BN_CLICKED)); });
    times.pageReload = bench::Seconds([&] { page->window().send(WM_COMMAND, MAKEWPARAM(IDC_SYSEDIT_RESTORE, BN_CLICKED)); });
    const fw::WindowRef pageEdit = page->item(IDC_SYSEDIT_TEXT);
    if (pageEdit.send(WM_GETTEXTLENGTH) != static_cast<LRESULT>(text.size())) std::fprintf(stderr, "the page did not load it all\n");
    const RECT rect = pageEdit.windowRect();
    TimeBareEdit(text, reinterpret_cast<HFONT>(pageEdit.send(WM_GETFONT)), SIZE{fw::width(rect), fw::height(rect)}, times);
    wizard.Destroy();
    return times;
}

}  // namespace

int main(int argc, char** argv) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    char exe[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, exe, MAX_PATH);
    std::string libraries(exe);
    libraries.erase(libraries.find_last_of('\\') + 1).append("benchlibs\\systemini\\");
    if (!FindTestLibrariesIn(libraries)) {
        std::fprintf(stderr, "no test library in %s\n", libraries.c_str());
        return 1;
    }
    // SYSTEM.INI is looked for in the current directory before the Windows directory.
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    const std::string directory = std::string(temp) + "zksysedit-bench";
    CreateDirectoryA(directory.c_str(), nullptr);
    SetCurrentDirectoryA(directory.c_str());

    std::vector<int> sizes;
    for (int i = 1; i < argc; ++i) sizes.push_back(std::atoi(argv[i]));
    if (sizes.empty()) sizes = {1, 2, 5};
    std::printf("%5s %12s %12s %7s %12s %12s %7s\n", "MB", "page show s", "bare set s", "ratio", "page reload",
                "bare again", "ratio");
    for (int megabytes : sizes) {
        const std::string text = IniText(static_cast<size_t>(megabytes) << 20);
        if (!WriteFileBytes("SYSTEM.INI", text)) return 1;
        std::vector<double> show, reload, set, again;
        for (int round = 0; round < kRounds; ++round) {
            const Times times = TimeRound(text);
            show.push_back(times.pageShow);
            reload.push_back(times.pageReload);
            set.push_back(times.bareSet);
            again.push_back(times.bareAgain);
        }
        std::printf("%5d %12.3f %12.3f %7.2f %12.3f %12.3f %7.2f\n", megabytes, bench::Median(show), bench::Median(set),
                    bench::Median(show) / bench::Median(set), bench::Median(reload), bench::Median(again), bench::Median(reload) / bench::Median(again));
    }
    DeleteFileA("SYSTEM.INI");
    SetCurrentDirectoryA(temp);
    RemoveDirectoryA(directory.c_str());
    FreeTestLibraries();
    return 0;
}
