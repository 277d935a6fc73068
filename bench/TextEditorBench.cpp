// Timing of the text editor on large logs (run by hand, not by CTest): opening a log of 1, 2 and
// 5 MB in the editor window against a plain multi-line EDIT control that reads and shows the same
// file, then Restore and a font change in the shown editor, each against the editor's own first
// load. The sizes show whether a cost grows faster than the text. Goals: the editor at most twice
// the EDIT control, Restore and the font change at most 1.2 times the editor's first load.
//   wine64 zelkor_text_editor_bench.exe
#include <windows.h>

#include <cstdio>
#include <string>

#include "BenchTiming.h"
#include "editors/TextEditorWnd.h"
#include "resources/resource.h"

namespace {

const char kLogFile[] = "C:\\ZelkorEditorBench.log";

// Lines as the registry dump writes them.
bool writeLog(size_t bytes) {
    std::string text;
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

// The baseline: read the file, make a multi-line EDIT control in a hidden window, give it the text.
double editControlLoad() {
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
    DestroyWindow(frame);
    return elapsed;
}

}  // namespace

int main() {
    std::printf("%-6s %10s %10s %7s %10s %7s %10s %7s\n", "size", "EDIT s", "editor s", "ratio", "restore s",
                "ratio", "font s", "ratio");
    for (const size_t megabytes : {1, 2, 5}) {
        if (!writeLog(megabytes * 1000000)) {
            std::printf("cannot write %s\n", kLogFile);
            return 1;
        }
        const double baseline = editControlLoad();

        double start = bench::Now();
        CTextEditorWnd editor(nullptr, "Bench", kLogFile, false);
        if (!editor.Open()) return 1;
        const double load = bench::Now() - start;
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

        std::printf("%3u MB %10.2f %10.2f %7.2f %10.2f %7.2f %10.2f %7.2f\n", static_cast<unsigned>(megabytes),
                    baseline, load, load / baseline, restore, restore / load, fontChange, fontChange / load);
        std::fflush(stdout);
    }
    DeleteFileA(kLogFile);
    return 0;
}
