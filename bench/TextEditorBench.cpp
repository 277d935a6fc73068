// Time and memory of the text editor on large logs (run by hand, not by CTest): opening a log of
// 1, 5, 20 and 50 MB in the editor window against a plain multi-line EDIT control given the same
// file through WM_SETTEXT, then Restore and a font change in the shown editor. Each opening runs
// in a process of its own, so that its peak working set is its own: the memory column is the peak
// less the working set just before the file was read. Goals: the editor's peak within 4 times the
// file's size, its time within twice the EDIT control's, Restore and the font change linear.
//   zelkor_text_editor_bench.exe [MEGABYTES ...]
#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "BenchTiming.h"
#include "editors/TextEditorWnd.h"
#include "resources/resource.h"

namespace {

const char kLogFile[] = "C:\\ZelkorEditorBench.log";

// Lines as the registry dump writes them.
bool writeLog(size_t bytes) {
    std::string text;
    text.reserve(bytes + 160);
    for (unsigned line = 0; text.size() < bytes; ++line) {
        char row[160];
        std::snprintf(row, sizeof row, "HKEY_LOCAL_MACHINE\\Software\\Corvane\\Product\\Key%05u  Value%u = \"%08X\"\r\n",
                      line / 20, line % 20, line * 2654435761u);
        text += row;
    }
    HANDLE file = CreateFileA(kLogFile, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    const bool ok = file != INVALID_HANDLE_VALUE &&
                    WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    return ok;
}

PROCESS_MEMORY_COUNTERS memory() {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return counters;
}

double megabytes(SIZE_T bytes) { return bytes / 1e6; }

// The floor: read the file, make a multi-line EDIT control in a window, give it the text.
void timeEditControl() {
    const SIZE_T before = memory().WorkingSetSize;
    const double start = bench::Now();
    HANDLE file = CreateFileA(kLogFile, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    std::string text(GetFileSize(file, nullptr), '\0');
    DWORD read = 0;
    ReadFile(file, &text[0], static_cast<DWORD>(text.size()), &read, nullptr);
    CloseHandle(file);
    HWND frame = CreateWindowExA(0, "STATIC", "", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                 CW_USEDEFAULT, nullptr, nullptr, nullptr, nullptr);
    RECT client{};
    GetClientRect(frame, &client);
    HWND edit = CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", "",
                                WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_AUTOVSCROLL | ES_AUTOHSCROLL | WS_VSCROLL |
                                    WS_HSCROLL | ES_NOHIDESEL | ES_WANTRETURN,
                                0, 0, client.right, client.bottom, frame, nullptr, nullptr, nullptr);
    SendMessageA(edit, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(ANSI_FIXED_FONT)), FALSE);
    SendMessageA(edit, EM_SETLIMITTEXT, 0x7FFFFFFE, 0);
    SetWindowTextA(edit, text.c_str());
    const double elapsed = bench::Now() - start;
    std::printf(" %8.2f %8.1f", elapsed, megabytes(memory().PeakWorkingSetSize - before));
    DestroyWindow(frame);
}

// The editor: opening (peak memory here), then Restore of a changed text and a font change.
bool timeEditor() {
    const SIZE_T before = memory().WorkingSetSize;
    double start = bench::Now();
    CTextEditorWnd editor(nullptr, "Bench", kLogFile, false);
    if (!editor.Open()) return false;
    const double load = bench::Now() - start;
    const SIZE_T peak = memory().PeakWorkingSetSize - before;
    editor.window().show(SW_SHOW);

    SendMessageA(editor.textControl(), WM_CHAR, 'x', 1);  // Restore is there for a changed text
    start = bench::Now();
    SendMessageA(editor.hwnd(), WM_COMMAND, ID_EDITOR_RESTORE, 0);
    const double restore = bench::Now() - start;

    LOGFONTA font{};
    font.lfHeight = -16;
    font.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
    lstrcpyA(font.lfFaceName, "Courier New");
    start = bench::Now();
    editor.SetDisplayFont(font);
    const double fontChange = bench::Now() - start;
    std::printf(" %8.2f %8.1f %8.2f %8.2f", load, megabytes(peak), restore, fontChange);
    return true;
}

bool runChild(const char* kind) {
    char program[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, program, MAX_PATH);
    std::string command = std::string("\"") + program + "\" --" + kind;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process))
        return false;
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = 1;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return code == 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 2 && std::strcmp(argv[1], "--edit") == 0) {
        timeEditControl();
        return 0;
    }
    if (argc == 2 && std::strcmp(argv[1], "--editor") == 0) return timeEditor() ? 0 : 1;
    std::vector<unsigned> sizes;
    for (int arg = 1; arg < argc; ++arg) sizes.push_back(static_cast<unsigned>(std::atoi(argv[arg])));
    if (sizes.empty()) sizes = {1, 5, 20, 50};
    std::printf("%-6s %8s %8s %8s %8s %8s %8s\n", "", "EDIT", "", "editor", "", "restore", "font");
    std::printf("%-6s %8s %8s %8s %8s %8s %8s\n", "size", "s", "MB", "s", "MB", "s", "s");
    for (const unsigned size : sizes) {
        if (!writeLog(size * 1000000u)) {
            std::printf("cannot write %s\n", kLogFile);
            return 1;
        }
        std::printf("%3u MB", size);
        std::fflush(stdout);
        if (!runChild("edit") || !runChild("editor")) std::printf("  failed");
        std::printf("\n");
        std::fflush(stdout);
    }
    DeleteFileA(kLogFile);
    return 0;
}
