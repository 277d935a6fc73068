// The platform's modeless Find dialog. It reports to its owner through the registered message
// Message(); the owner passes each report's long parameter to TakeReport.
#pragma once
#include <windows.h>
#include <commdlg.h>

#include <string>

namespace fw {

class CFindReplaceDialog {
public:
    enum class Report { Other, Closing, FindNext };

    CFindReplaceDialog() = default;
    // An open dialog still reads the record that this object holds: it goes first.
    ~CFindReplaceDialog();
    CFindReplaceDialog(const CFindReplaceDialog&) = delete;
    CFindReplaceDialog& operator=(const CFindReplaceDialog&) = delete;

    // The message "commdlg_FindReplace".
    static UINT Message();

    // A find-only dialog owned by owner, starting with text and the FR_* flags.
    bool Create(HWND owner, const std::string& text, DWORD flags);
    bool IsOpen() const { return m_hwnd != nullptr; }
    // Closes the open dialog from the program's side (the platform then reports nothing).
    void Close();
    HWND hwnd() const { return m_hwnd; }
    // Keyboard handling of the open dialog inside its owner's message loop.
    bool PreTranslateMessage(MSG& message) { return m_hwnd && IsDialogMessageA(m_hwnd, &message); }
    // What a report says; a closing dialog is forgotten at once (the platform destroys it).
    Report TakeReport(LPARAM report);
    std::string FindWhat() const { return m_text; }
    bool MatchCase() const { return (m_record.Flags & FR_MATCHCASE) != 0; }
    bool WholeWord() const { return (m_record.Flags & FR_WHOLEWORD) != 0; }

private:
    void fitToShownControls();

    FINDREPLACEA m_record{};
    char m_text[256] = {};
    HWND m_hwnd = nullptr;
};

}  // namespace fw
