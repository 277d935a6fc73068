// The System Editor page: the system files that the test libraries name, one at a time, in a
// plain text editor. The file shown is held open and locked; every save first makes a numbered
// backup copy of the old file and tells the user its name.
#pragma once
#include <windows.h>

#include <set>
#include <string>

#include "framework/Handles.h"
#include "wizard/WizardPage.h"

class CSystemEditorPage : public CWizardPage {
public:
    CSystemEditorPage();

    void PageOpWriteLog() override;
    void PageOpActivate() override;
    void PageOpDeactivate() override;

protected:
    INT_PTR DialogProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void DoDataExchange(fw::DataExchange& exchange) override;
    BOOL OnInitDialog() override;
    bool OnCommand(WORD id, WORD code, HWND control) override;

private:
    enum class Question { Ask, DoNotAsk };

    void FillFileList();
    // Shows the file selected in the list, held, unmodified. A large text comes in pieces between
    // the window's other messages: an edit control takes about a second for every few megabytes.
    void Load();
    // The next pieces of the text being shown, for about as long as the window may stay busy;
    // false once the text is whole.
    bool ShowMore();
    void StopShowing();
    void ShowUnavailable(DWORD error);
    // False when the user's changes could not be written and are still only in the window.
    bool Save(Question question);
    void SetModified(bool modified);
    // Locks the shown file again after a save that failed, so that the user can try once more.
    void HoldShownFile();
    void OnSelectionChanged();

    fw::WindowRef m_fileList;
    fw::WindowRef m_text;
    fw::UniqueFile m_file;  // closed without saving when the page goes
    bool m_modified = false;
    std::string m_fileName;
    std::string m_fullPath;
    bool m_lfLineEnds = false;
    bool m_readOnly = false;    // the file holds NUL bytes
    std::set<std::string> m_toldNul;  // files already said to hold NUL bytes: told once each
    std::string m_toShow;       // the text being shown, while it comes in pieces
    size_t m_shown = 0;         // how much of it the control holds
    bool m_appending = false;   // a piece goes in: the control's change notices are not the user's
};
