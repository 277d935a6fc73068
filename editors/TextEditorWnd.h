// The program's own text editor: one text file in a frame window with a menu, a status bar and a
// text control, run modally over its owner. The user may change the text, save it back, restore
// the last saved state, choose the display font and search forward. A small file is shown in a
// Rich Edit control; a larger one in a plain EDIT control, which needs a hundredth of the memory.
#pragma once
#include <windows.h>

#include <memory>
#include <string>

#include "framework/FindReplaceDialog.h"
#include "framework/Font.h"
#include "framework/FrameWnd.h"
#include "framework/StatusBar.h"
#include "framework/TextCtrl.h"
#include "registry/SettingsStore.h"

class CTextEditorWnd : public fw::CFrameWnd {
public:
    // Nothing is created yet. No title, or an empty one, shows "Text Editor - " and the path.
    CTextEditorWnd(HWND owner, const char* title, std::string path, bool readOnly);
    ~CTextEditorWnd() override;

    // Opens the window on the file, runs it until it is closed, keeps its font and placement.
    int Run();
    // True once the user has saved the file.
    bool saved() const { return m_saved; }

    // The steps of Run before its loop: the window, not yet shown, with the file's text. False
    // when the window cannot be created, or the file cannot be read (the user is told why).
    bool Open();
    // The display font for the whole text; the selection and the modified state stay.
    bool SetDisplayFont(const LOGFONTA& description);
    bool modified() const { return m_modified; }
    HWND textControl() const { return m_text ? m_text->hwnd() : nullptr; }

    // The largest file shown in a Rich Edit control, and the largest that the editor opens.
    static constexpr size_t kLargestRichText = 64 * 1024;
    static constexpr LONGLONG kLargestFile = 128 * 1024 * 1024;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool OnCreate() override;
    void OnSize(UINT kind, int cx, int cy) override;
    void OnClose() override;
    bool OnCommand(WORD id, WORD code, HWND control) override;
    bool IsCommandEnabled(UINT id) const override;
    bool PreTranslateMessage(MSG& message) override;

private:
    // A new control with the text and font, of the kind that suits the text's size. Under Wine
    // replacing the text of a Rich Edit control that already holds some is slow beyond its
    // length, so every load starts in a fresh control. False (the user told why) when the memory
    // for the text cannot be had: the old control stays.
    bool showText(std::string text, HFONT font);
    bool readFile(std::string& text);
    bool loadFile();
    bool save();
    void chooseFont();
    void openFindDialog();
    void onFindReport(LPARAM report);
    void findNext();
    void setModified(bool modified);
    bool hasSelection() const;
    int tell(const std::string& text, UINT style) const;
    void placeWindow();
    void storeFontAndPlacement();

    bool m_readOnly;
    std::unique_ptr<fw::CTextCtrl> m_text;
    std::string m_title;
    bool m_hasTitle;  // the opener gave a title (even an empty one): questions name it, not the path
    std::string m_path;
    bool m_modified = false;
    bool m_saved = false;
    HWND m_owner;
    fw::CFont m_font;
    bool m_searched = false;
    bool m_wholeWord = false;
    bool m_matchCase = false;
    std::string m_searchText;
    fw::CFindReplaceDialog m_findDialog;
    fw::CStatusBar m_statusBar;
    std::unique_ptr<CSettingsKey> m_settings;  // open while the window runs
};

// Hands the file to the platform's text editor program; when that cannot be started, opens it
// in ours over owner. True when the platform's editor was started or the user saved in ours.
bool EditTextFile(HWND owner, const char* path, const char* title, bool readOnly);
