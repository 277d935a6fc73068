// How the System Editor page shows a large SYSTEM.INI, against a bare multi-line EDIT control
// (same styles, font and size) given the same text in one WM_SETTEXT, in the same run. For each
// size it times Next onto the page until the page is painted, the longest time the window did
// not answer while the text went on coming in, and the time until the whole text is in.
//
//   zelkor_sysedit_bench.exe [MEGABYTES ...]     (default 5 16 33; run from any directory)
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
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

constexpr int kRounds = 1;  // a round of 33 MB takes half a minute

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
    double painted = 0, longestStall = 0, total = 0, bareSet = 0;
};

// The bare control: the styles of the page's edit control, in a window of its own.
double TimeBareEdit(const std::string& text, HFONT font, SIZE size) {
    HWND parent = CreateWindowExA(0, "STATIC", "bare", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, size.cx + 40,
                                  size.cy + 60, nullptr, nullptr, nullptr, nullptr);
    HWND edit = CreateWindowExA(0, "EDIT", "",
                                WS_CHILD | WS_VISIBLE | WS_BORDER | WS_HSCROLL | WS_VSCROLL | ES_MULTILINE |
                                    ES_AUTOHSCROLL | ES_AUTOVSCROLL | ES_NOHIDESEL | ES_WANTRETURN,
                                4, 4, size.cx, size.cy, parent, nullptr, nullptr, nullptr);
    SendMessageA(edit, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    SendMessageA(edit, EM_SETLIMITTEXT, 0x7FFFFFFE, 0);
    const double set = bench::Seconds([&] { SetWindowTextA(edit, text.c_str()); });
    DestroyWindow(parent);
    return set;
}

// One round: Next from a stand-in page onto the System Editor page, painted; then messages
// pumped until the whole text is in, noting the longest dispatch; then the bare control with the
// page's font and size, while the page exists.
Times TimeRound(const std::string& text) {
    WizardSession session;
    CWizardDlg wizard(session);
    wizard.AddPage(std::make_unique<CWizardPage>(IDD_WELCOME, true));
    auto editor = std::make_unique<CSystemEditorPage>();
    CSystemEditorPage* page = editor.get();
    wizard.AddPage(std::move(editor));
    wizard.Create(nullptr);
    wizard.window().show(SW_SHOW);
    UpdateWindow(wizard.hwnd());
    Times times{};
    const double start = bench::Now();
    wizard.window().send(WM_COMMAND, MAKEWPARAM(IDC_WIZARD_NEXT, BN_CLICKED));
    UpdateWindow(wizard.hwnd());
    times.painted = times.longestStall = bench::Now() - start;
    const fw::WindowRef pageEdit = page->item(IDC_SYSEDIT_TEXT);
    // The length is asked for only now and then: an ANSI length of a large text is counted anew.
    for (double asked = 0; bench::Now() - start < 120;) {
        if (bench::Now() - asked > 0.1) {
            if (pageEdit.send(WM_GETTEXTLENGTH) >= static_cast<LRESULT>(text.size())) break;
            asked = bench::Now();
        }
        MSG message;
        if (!PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
            continue;
        }
        const double dispatched = bench::Now();
        DispatchMessageA(&message);
        times.longestStall = std::max(times.longestStall, bench::Now() - dispatched);
    }
    times.total = bench::Now() - start;
    if (pageEdit.send(WM_GETTEXTLENGTH) != static_cast<LRESULT>(text.size())) std::fprintf(stderr, "the page did not load it all\n");
    const RECT rect = pageEdit.windowRect();
    times.bareSet = TimeBareEdit(text, reinterpret_cast<HFONT>(pageEdit.send(WM_GETFONT)),
                                 SIZE{fw::width(rect), fw::height(rect)});
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
    if (sizes.empty()) sizes = {5, 16, 33};
    std::printf("%5s %10s %14s %10s %11s %7s\n", "MB", "painted s", "longest stall", "total s", "bare set s", "ratio");
    for (int megabytes : sizes) {
        const std::string text = IniText(static_cast<size_t>(megabytes) << 20);
        if (!WriteFileBytes("SYSTEM.INI", text)) return 1;
        std::vector<double> painted, stall, total, bare;
        for (int round = 0; round < kRounds; ++round) {
            const Times times = TimeRound(text);
            painted.push_back(times.painted);
            stall.push_back(times.longestStall);
            total.push_back(times.total);
            bare.push_back(times.bareSet);
        }
        std::printf("%5d %10.3f %14.3f %10.3f %11.3f %7.2f\n", megabytes, bench::Median(painted), bench::Median(stall),
                    bench::Median(total), bench::Median(bare), bench::Median(total) / bench::Median(bare));
    }
    DeleteFileA("SYSTEM.INI");
    SetCurrentDirectoryA(temp);
    RemoveDirectoryA(directory.c_str());
    FreeTestLibraries();
    return 0;
}
