#include "editors/TextEditorWnd.h"

#include <commdlg.h>

#include <new>
#include <utility>

#include "editors/EditorSettingsIds.h"
#include "journal/SystemFileStore.h"
#include "log/LogFile.h"
#include "log/WholeFile.h"
#include "framework/ErrorText.h"
#include "framework/FileReplace.h"
#include "framework/MessageBox.h"
#include "framework/Process.h"
#include "framework/RichEditCtrl.h"
#include "framework/StringTable.h"
#include "framework/WaitCursor.h"
#include "resources/resource.h"

namespace {

static_assert(sizeof(WINDOWPLACEMENT) == 44, "a stored window placement is 44 bytes");

// Fixed pitch in the modern family at 10 points, the platform's choice of face.
LOGFONTA DefaultFont() {
    LOGFONTA description{};
    HDC screen = GetDC(nullptr);
    description.lfHeight = -MulDiv(10, GetDeviceCaps(screen, LOGPIXELSY), 72);
    ReleaseDC(nullptr, screen);
    description.lfWeight = FW_NORMAL;
    description.lfCharSet = ANSI_CHARSET;
    description.lfOutPrecision = OUT_DEFAULT_PRECIS;
    description.lfClipPrecision = CLIP_CHARACTER_PRECIS;
    description.lfQuality = DEFAULT_QUALITY;
    description.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
    return description;
}

}  // namespace

CTextEditorWnd::CTextEditorWnd(HWND owner, const char* title, std::string path, bool readOnly)
    : m_readOnly(readOnly), m_title(title ? title : ""), m_hasTitle(title != nullptr), m_path(std::move(path)),
      m_owner(owner) {}

// The window goes while this object is whole: its last messages still find their handlers.
CTextEditorWnd::~CTextEditorWnd() { DestroyWindow(); }

int CTextEditorWnd::Run() {
    if (!Open()) return -1;
    const int result = RunModalLoop(m_owner);
    storeFontAndPlacement();
    DestroyWindow();
    m_settings.reset();
    return result;
}

bool CTextEditorWnd::Open() {
    m_settings = std::make_unique<CSettingsKey>(SETTINGS_TEXT_EDITOR);
    if (m_title.empty()) m_title = fw::LoadedString(IDS_EDITOR_TITLE) + m_path;
    std::string text;
    if (!readFile(text)) return false;
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MAXIMIZEBOX;
    if (!Create(m_title, style, 0, m_owner, IDR_TEXT_EDITOR)) return false;
    HICON icon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_ZELKOR));
    window().send(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    LoadAcceleratorTable(IDR_TEXT_EDITOR_KEYS);
    if (!showText(std::move(text), m_font.handle())) return false;
    SetFocus(m_text->hwnd());
    // Placed once the text is in: a stored placement shows the window.
    placeWindow();
    setModified(false);
    return true;
}

bool CTextEditorWnd::OnCreate() {
    if (!m_statusBar.Create(hwnd())) return false;
    m_statusBar.SetIndicators(fw::LoadedString(IDS_IDLE_MESSAGE), {fw::LoadedString(IDS_EDITOR_READ)});
    if (!m_readOnly) m_statusBar.EnablePane(1, false);
    UseMessageBar(m_statusBar);
    LOGFONTA description = DefaultFont();
    DWORD size = sizeof description;
    LOGFONTA stored{};
    // A height of 0 was the default of earlier versions, which came out at 6 points.
    if (m_settings->getBinary(TEXT_EDITOR_FONT, &stored, size) == ERROR_SUCCESS && size == sizeof stored &&
        stored.lfHeight != 0)
        description = stored;
    if (!m_font.Create(description)) return false;
    // The face that the platform chose goes by its name, which the control and the font dialog show.
    return description.lfFaceName[0] || m_font.Create(m_font.GetRealizedLogFont());
}

bool CTextEditorWnd::showText(std::string text, HFONT font) {
    const fw::WaitCursor wait;
    std::unique_ptr<fw::CTextCtrl> control;
    if (text.size() > kLargestRichText)
        control = std::make_unique<fw::CEditCtrl>();
    else
        control = std::make_unique<fw::CRichEditCtrl>();
    const DWORD style = WS_CHILD | ES_MULTILINE | ES_AUTOVSCROLL | ES_AUTOHSCROLL | WS_VSCROLL | WS_HSCROLL |
                        ES_NOHIDESEL | ES_WANTRETURN;
    if (!control->Create(style, WS_EX_CLIENTEDGE, FreeArea(), hwnd(), IDC_EDITOR_TEXT)) return false;
    fw::WindowRef(control->hwnd()).setFont(font, false);
    control->SetReadOnly(m_readOnly);
    if (!control->SetText(std::move(text))) {
        const DWORD error = GetLastError();
        tell(fw::FormattedString(IDS_EDITOR_OPEN_FAILED, m_path.c_str(), ErrorText(error).c_str()), MB_ICONEXCLAMATION);
        return false;
    }
    const bool hadFocus = m_text && GetFocus() == m_text->hwnd();
    ShowWindow(control->hwnd(), SW_SHOW);
    m_text = std::move(control);
    if (hadFocus) SetFocus(m_text->hwnd());
    return true;
}

bool CTextEditorWnd::readFile(std::string& text) {
    fw::UniqueFile file(
        CreateFileA(m_path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    LARGE_INTEGER size{};
    if (file && GetFileSizeEx(file.get(), &size) && size.QuadPart > kLargestFile) {
        const auto megabytes = [](LONGLONG bytes) { return static_cast<unsigned>((bytes + (1 << 20) - 1) >> 20); };
        tell(fw::FormattedString(IDS_EDITOR_TOO_LARGE, m_path.c_str(), megabytes(size.QuadPart), megabytes(kLargestFile)),
             MB_ICONEXCLAMATION);
        return false;
    }
    if (file && ReadWholeFile(file.get(), text)) {
        // The control would show the text only up to a zero byte, and saving would cut the file
        // there: such a file can be looked at, not changed (also when it gains one later).
        if (text.find('\0') != std::string::npos && !m_readOnly) {
            m_readOnly = true;
            if (m_statusBar.hwnd()) m_statusBar.EnablePane(1, true);
        }
        return true;
    }
    const DWORD error = GetLastError();
    tell(fw::FormattedString(IDS_EDITOR_OPEN_FAILED, m_path.c_str(), ErrorText(error).c_str()), MB_ICONEXCLAMATION);
    return false;
}

// The text stays as it is when the file cannot be read.
bool CTextEditorWnd::loadFile() {
    std::string text;
    if (!readFile(text) || !showText(std::move(text), m_font.handle())) return false;
    setModified(false);
    return true;
}

// A full disk or a refused file (in use elsewhere, read-only) leaves the old file whole, and so
// does a text too large to be copied out of the control. Any file but the log is backed up and
// journaled first, so that the save can be taken back.
bool CTextEditorWnd::save() {
    bool saved = false;
    DWORD error = ERROR_SUCCESS;
    try {
        if (lstrcmpiA(m_path.c_str(), LogFileName()) == 0) {
            saved = fw::WriteFileInPlace(m_path, m_text->GetText());
            error = GetLastError();
        } else {
            const SaveOutcome outcome = SaveSystemFile(m_path, m_text->GetText());
            saved = outcome.stage == SaveOutcome::Saved;
            error = outcome.error;
        }
    } catch (const std::bad_alloc&) {
        error = ERROR_NOT_ENOUGH_MEMORY;
    }
    if (!saved) {
        tell(fw::FormattedString(IDS_EDITOR_SAVE_FAILED, m_path.c_str(), ErrorText(error).c_str()), MB_ICONEXCLAMATION);
        return false;
    }
    m_saved = true;
    setModified(false);
    return true;
}

void CTextEditorWnd::chooseFont() {
    LOGFONTA description = m_font.GetRealizedLogFont();
    CHOOSEFONTA choice{};
    choice.lStructSize = sizeof choice;
    choice.hwndOwner = hwnd();
    choice.lpLogFont = &description;
    choice.Flags = CF_INITTOLOGFONTSTRUCT | CF_SCREENFONTS | CF_FIXEDPITCHONLY | CF_NOVERTFONTS | CF_FORCEFONTEXIST;
    if (ChooseFontA(&choice)) SetDisplayFont(description);
}

bool CTextEditorWnd::SetDisplayFont(const LOGFONTA& description) {
    fw::CFont font;
    if (!font.Create(description)) return false;
    if (m_text->RelaysOnFontChange()) {
        fw::WindowRef(m_text->hwnd()).setFont(font.handle(), true);
        m_font = std::move(font);
        return true;
    }
    const CHARRANGE selection = m_text->GetSel();
    const bool modified = m_modified;
    if (!showText(m_text->GetText(), font.handle())) return false;
    m_font = std::move(font);  // the old control, which used the old font, is gone
    m_text->SetSel(selection);
    SetFocus(m_text->hwnd());
    setModified(modified);
    return true;
}

void CTextEditorWnd::openFindDialog() {
    if (m_findDialog.IsOpen()) {
        SetActiveWindow(m_findDialog.hwnd());
        return;
    }
    DWORD flags = FR_HIDEUPDOWN;
    if (m_searched) flags |= (m_matchCase ? FR_MATCHCASE : 0) | (m_wholeWord ? FR_WHOLEWORD : 0);
    m_findDialog.Create(hwnd(), m_searched ? m_searchText : std::string(), flags);
}

void CTextEditorWnd::onFindReport(LPARAM report) {
    if (m_findDialog.TakeReport(report) != fw::CFindReplaceDialog::Report::FindNext) return;
    m_searched = true;
    m_searchText = m_findDialog.FindWhat();
    m_matchCase = m_findDialog.MatchCase();
    m_wholeWord = m_findDialog.WholeWord();
    findNext();
}

// Forward from the selection's end, without wrapping to the beginning.
void CTextEditorWnd::findNext() {
    const DWORD flags = FR_DOWN | (m_matchCase ? FR_MATCHCASE : 0) | (m_wholeWord ? FR_WHOLEWORD : 0);
    CHARRANGE found{};
    if (!m_text->Find(m_searchText, CHARRANGE{m_text->GetSel().cpMax, -1}, flags, found)) {
        tell(fw::LoadedString(IDS_EDITOR_NO_MATCHES), MB_ICONINFORMATION);
        return;
    }
    m_text->SetSel(found);
    m_text->ScrollCaret();
    SetFocus(m_text->hwnd());
}

void CTextEditorWnd::setModified(bool modified) {
    if (modified == m_modified) return;
    window().setText(modified ? m_title + fw::LoadedString(IDS_EDITOR_MODIFIED) : m_title);
    m_modified = modified;
}

bool CTextEditorWnd::hasSelection() const {
    const CHARRANGE selection = m_text->GetSel();
    return selection.cpMin != selection.cpMax;
}

int CTextEditorWnd::tell(const std::string& text, UINT style) const {
    return fw::ShowMessage(hwnd() ? hwnd() : m_owner, text, style);
}

// Where the user left it; the first time, centred over the owner (or else the active window)
// within the work area.
void CTextEditorWnd::placeWindow() {
    WINDOWPLACEMENT placement{};
    DWORD size = sizeof placement;
    if (m_settings->getBinary(TEXT_EDITOR_WINDOW, &placement, size) == ERROR_SUCCESS && size == sizeof placement &&
        placement.length == sizeof placement) {
        SetWindowPlacement(hwnd(), &placement);
        return;
    }
    HWND anchor = m_owner ? m_owner : GetActiveWindow();
    fw::CentreOver(hwnd(), anchor != hwnd() ? anchor : nullptr);
}

void CTextEditorWnd::storeFontAndPlacement() {
    const LOGFONTA description = m_font.GetLogFont();
    m_settings->setBinary(TEXT_EDITOR_FONT, &description, sizeof description);
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    GetWindowPlacement(hwnd(), &placement);
    m_settings->setBinary(TEXT_EDITOR_WINDOW, &placement, sizeof placement);
}

void CTextEditorWnd::OnSize(UINT kind, int, int) {
    if ((kind == SIZE_RESTORED || kind == SIZE_MAXIMIZED) && m_statusBar.hwnd() && m_text)
        fw::WindowRef(m_text->hwnd()).move(FreeArea());
}

// With unsaved changes the user chooses: save them, drop them, or stay.
void CTextEditorWnd::OnClose() {
    if (m_modified) {
        const std::string& name = m_hasTitle ? m_title : m_path;
        const int answer = tell(fw::FormattedString(IDS_SAVE_CHANGES_TO, name.c_str()), MB_YESNOCANCEL | MB_ICONQUESTION);
        if (answer == IDCANCEL) return;
        if (answer == IDYES && !save()) return;  // a failed save keeps the text on screen
    }
    EndModalLoop(0);
}

bool CTextEditorWnd::OnCommand(WORD id, WORD code, HWND control) {
    if (control) {
        if (id == IDC_EDITOR_TEXT && code == EN_CHANGE) setModified(true);
        return id == IDC_EDITOR_TEXT;
    }
    switch (id) {
    case ID_EDITOR_SAVE: save(); return true;
    case ID_EDITOR_RESTORE: loadFile(); return true;
    case ID_EDITOR_FONT: chooseFont(); return true;
    case ID_EDITOR_CLOSE: OnClose(); return true;
    case ID_EDITOR_CUT: m_text->Cut(); return true;
    case ID_EDITOR_COPY: m_text->Copy(); return true;
    case ID_EDITOR_PASTE: m_text->Paste(); return true;
    case ID_EDITOR_DELETE: m_text->Clear(); return true;
    case ID_EDITOR_UNDO: m_text->Undo(); return true;
    case ID_EDITOR_SELECT_ALL: m_text->SetSel(CHARRANGE{0, -1}); return true;
    case ID_EDITOR_FIND: openFindDialog(); return true;
    case ID_EDITOR_FIND_NEXT: findNext(); return true;
    default: return false;
    }
}

bool CTextEditorWnd::IsCommandEnabled(UINT id) const {
    switch (id) {
    case ID_EDITOR_SAVE:
    case ID_EDITOR_RESTORE: return m_modified;
    case ID_EDITOR_CUT:
    case ID_EDITOR_DELETE: return !m_readOnly && hasSelection();
    case ID_EDITOR_COPY: return hasSelection();
    case ID_EDITOR_PASTE: return !m_readOnly && IsClipboardFormatAvailable(CF_TEXT);
    case ID_EDITOR_UNDO: return m_text->CanUndo();
    case ID_EDITOR_FIND_NEXT: return m_searched;
    default: return true;
    }
}

bool CTextEditorWnd::PreTranslateMessage(MSG& message) {
    return m_findDialog.PreTranslateMessage(message) || CFrameWnd::PreTranslateMessage(message);
}

LRESULT CTextEditorWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == fw::CFindReplaceDialog::Message()) {
        onFindReport(lParam);
        return 0;
    }
    return CFrameWnd::WindowProc(message, wParam, lParam);
}

bool EditTextFile(HWND owner, const char* path, const char* title, bool readOnly) {
    // The path goes to the platform's editor as it is, unquoted; that editor is not waited for.
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    if (fw::StartProcess(std::string("notepad.exe ") + path, &startup)) return true;
    // Otherwise Zelkor's own editor, without a word: the user asked to see the file, not notepad.
    CTextEditorWnd editor(owner, title, path, readOnly);
    editor.Run();
    return editor.saved();
}
