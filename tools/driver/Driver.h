// Drives Zelkor's windows from outside (or from a test thread inside): finds windows and
// controls, clicks, types, reads texts, answers message boxes, and fails after a bounded wait.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace drive {

// Polls until predicate returns a window or the time is up; null on time-out.
HWND WaitFor(const std::function<HWND()>& find, DWORD timeoutMs);

// Visible top-level windows of a process (any process when pid is 0) with that class and title
// (null title: any). Dialogs and message boxes have the class "#32770".
std::vector<HWND> TopLevelWindows(DWORD pid, const char* className, const char* title);
HWND WaitForTopLevel(DWORD pid, const char* className, const char* title, DWORD timeoutMs);

// The visible child dialog of a window: the page a wizard shows now.
HWND VisibleChildDialog(HWND parent);

std::string Text(HWND window);  // through WM_GETTEXT, works across processes
void SetText(HWND window, const std::string& text);
// BM_CLICK on a control of a dialog; false when there is no such control.
bool Click(HWND dialog, int controlId);
bool IsEnabled(HWND dialog, int controlId);
bool IsVisible(HWND dialog, int controlId);

// A message box of the process: waits for one, returns its text, presses the button.
struct MessageBoxSeen {
    HWND window = nullptr;
    std::string text;
    std::string caption;
};
MessageBoxSeen WaitForMessageBox(DWORD pid, DWORD timeoutMs);
bool AnswerMessageBox(const MessageBoxSeen& box, int buttonId);

// Saves what the window shows on the screen as a 24-bit BMP file.
bool SaveScreenshot(HWND window, const std::string& bmpPath);
// The same for an area of the screen, whatever windows lie there (an open menu, for one).
bool SaveScreenArea(const RECT& area, const std::string& bmpPath);

std::wstring Utf16(const std::string& utf8);

// A started process; its exit code once it has ended.
class Process {
public:
    Process() = default;
    ~Process();
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;
    // The command line in UTF-8. With an output file, the process's standard output and error
    // go there.
    bool Start(const std::string& commandLine, const std::string& directory, const std::string& outputFile = "");
    DWORD pid() const { return m_info.dwProcessId; }
    // True when the process ended within the time; exitCode receives its code.
    bool WaitForExit(DWORD timeoutMs, DWORD& exitCode);
    void Kill();

private:
    void release();

    PROCESS_INFORMATION m_info{};
};

}  // namespace drive
