#include "editors/SystemEditorPage.h"

#include "journal/SystemFileStore.h"
#include "editors/SystemFileText.h"
#include "log/WholeFile.h"
#include "framework/ErrorText.h"
#include "framework/MessageBox.h"
#include "framework/StringTable.h"
#include "log/SystemFileDump.h"
#include "log/SystemFilePath.h"
#include "resources/resource.h"
#include "testlib/LibraryWalks.h"

namespace {
// Large system files load whole: the edit control's own limit is far smaller.
constexpr LPARAM kTextLimit = 0x7FFFFFFE;
// A large text is shown in pieces of about this size, each ended after a line where it can be;
// pieces go in for about kBusyMs at a time, then the window answers its other messages.
constexpr size_t kPieceBytes = 256 * 1024;
constexpr DWORD kBusyMs = 50;
constexpr UINT_PTR kShowTimer = 1;

// The end of the piece of text that starts at start.
size_t PieceEnd(const std::string& text, size_t start) {
    if (text.size() - start <= kPieceBytes) return text.size();
    const size_t lineEnd = text.rfind('\n', start + kPieceBytes - 1);
    return lineEnd != std::string::npos && lineEnd >= start ? lineEnd + 1 : start + kPieceBytes;
}

// A name that begins an entry already listed (any case) is left out: duplicates come once.
void AddFileName(const fw::WindowRef& list, const char* fileName) {
    const LPARAM name = reinterpret_cast<LPARAM>(fileName);
    if (list.send(CB_FINDSTRING, static_cast<WPARAM>(-1), name) == CB_ERR) list.send(CB_ADDSTRING, 0, name);
}
}  // namespace

CSystemEditorPage::CSystemEditorPage() : CWizardPage(IDD_SYSTEM_EDITOR, true) {}

void CSystemEditorPage::DoDataExchange(fw::DataExchange& exchange) { exchange.text(IDC_SYSEDIT_FILE, m_fileName); }

INT_PTR CSystemEditorPage::DialogProc(UINT message, WPARAM wParam, LPARAM lParam) {
    // A timer's message comes only when no input or painting waits, so the user is answered first.
    if (message == WM_TIMER && wParam == kShowTimer) {
        if (!ShowMore()) StopShowing();
        return TRUE;
    }
    return CWizardPage::DialogProc(message, wParam, lParam);
}

BOOL CSystemEditorPage::OnInitDialog() {
    CWizardPage::OnInitDialog();
    m_fileList = item(IDC_SYSEDIT_FILE);
    m_text = item(IDC_SYSEDIT_TEXT);
    m_text.send(EM_SETLIMITTEXT, kTextLimit);
    FillFileList();
    return TRUE;
}

void CSystemEditorPage::FillFileList() {
    CTestLibrary* library = nullptr;
    for (size_t index = 0; GetTestLibrary(index, library); ++index) {
        ForEachSystemFile(*library, [this](const SystemFileEntry& file) {
            AddFileName(m_fileList, file.fileName);
            return true;
        });
    }
    m_fileList.send(CB_SETCURSEL, 0);
}

void CSystemEditorPage::PageOpWriteLog() { LogSystemFiles(); }

void CSystemEditorPage::PageOpActivate() {
    // Changes that a failed save left in the window stay; anything else is read afresh.
    if (m_modified)
        HoldShownFile();
    else
        Load();
}

void CSystemEditorPage::PageOpDeactivate() {
    StopShowing();
    Save(Question::Ask);
}

bool CSystemEditorPage::OnCommand(WORD id, WORD code, HWND control) {
    switch (id) {
    case IDC_SYSEDIT_FILE:
        if (code == CBN_SELCHANGE) OnSelectionChanged();
        return true;
    case IDC_SYSEDIT_TEXT:
        if (code == EN_CHANGE && !m_appending) SetModified(true);
        return true;
    case IDC_SYSEDIT_SAVE:
        if (code != BN_CLICKED) return true;
        if (Save(Question::DoNotAsk))
            Load();
        else
            HoldShownFile();
        return true;
    case IDC_SYSEDIT_RESTORE:
        if (code == BN_CLICKED) Load();
        return true;
    default:
        return CWizardPage::OnCommand(id, code, control);
    }
}

void CSystemEditorPage::OnSelectionChanged() {
    if (Save(Question::Ask)) {
        Load();
        return;
    }
    // The changes belong to the file that was shown: it stays chosen.
    m_fileList.send(CB_SETCURSEL, m_fileList.send(CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                                  reinterpret_cast<LPARAM>(m_fileName.c_str())));
    HoldShownFile();
}

void CSystemEditorPage::Load() {
    StopShowing();
    m_file.reset();  // the file is opened exclusively: let go before opening it again
    UpdateData(true);
    char path[MAX_PATH];
    m_file.reset(OpenSystemFile(m_fileName.c_str(), path));
    std::string bytes;
    if (!m_file || !ReadWholeFile(m_file.get(), bytes)) {
        const DWORD error = GetLastError();
        m_file.reset();
        ShowUnavailable(error);
        return;
    }
    m_fullPath = path;
    ShownFile shown = ShowFileBytes(std::move(bytes));
    m_lfLineEnds = shown.lfLineEnds;
    m_readOnly = shown.hasNul;
    m_toShow = std::move(shown.text);
    m_shown = PieceEnd(m_toShow, 0);
    // Nothing is typed into a text that is still coming.
    m_text.send(EM_SETREADONLY, m_readOnly || m_shown < m_toShow.size());
    m_text.setText(m_toShow.substr(0, m_shown));
    m_text.enable(true);
    SetModified(false);
    if (m_shown < m_toShow.size())
        SetTimer(hwnd(), kShowTimer, USER_TIMER_MINIMUM, nullptr);
    else
        StopShowing();
    if (shown.hasNul && m_toldNul.insert(m_fullPath).second)
        fw::ShowMessage(hwnd(), fw::FormattedString(IDS_SYSEDIT_NUL_READ_ONLY, m_fileName.c_str()),
                        MB_OK | MB_ICONINFORMATION);
}

bool CSystemEditorPage::ShowMore() {
    const DWORD start = GetTickCount();
    // The user's place in the text stays where it is while pieces go in at its end.
    DWORD selectionStart = 0, selectionEnd = 0;
    m_text.send(EM_GETSEL, reinterpret_cast<WPARAM>(&selectionStart), reinterpret_cast<LPARAM>(&selectionEnd));
    const LRESULT firstLine = m_text.send(EM_GETFIRSTVISIBLELINE);
    m_text.send(WM_SETREDRAW, FALSE);
    m_appending = true;
    do {
        const size_t end = PieceEnd(m_toShow, m_shown);
        const std::string piece = m_toShow.substr(m_shown, end - m_shown);
        m_text.send(EM_SETSEL, kTextLimit, kTextLimit);
        m_text.send(EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(piece.c_str()));
        m_shown = end;
    } while (m_shown < m_toShow.size() && GetTickCount() - start < kBusyMs && !GetQueueStatus(QS_INPUT));
    m_appending = false;
    m_text.send(EM_SETSEL, selectionStart, selectionEnd);
    m_text.send(EM_LINESCROLL, 0, firstLine - m_text.send(EM_GETFIRSTVISIBLELINE));
    m_text.send(WM_SETREDRAW, TRUE);
    InvalidateRect(m_text.hwnd(), nullptr, TRUE);
    return m_shown < m_toShow.size();
}

// The text is whole, or the page stopped showing it: the control takes typing again.
void CSystemEditorPage::StopShowing() {
    KillTimer(hwnd(), kShowTimer);
    if (m_toShow.empty()) return;
    std::string().swap(m_toShow);
    m_shown = 0;
    m_text.send(EM_SETREADONLY, m_readOnly);
}

void CSystemEditorPage::ShowUnavailable(DWORD error) {
    // A file that is not there gets the plain message; one that is there says what stands in the way.
    const bool absent = m_fileName.empty() || error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
    m_text.setText(absent ? fw::LoadedString(IDS_FILE_MISSING)
                          : fw::FormattedString(IDS_SYSEDIT_UNAVAILABLE_BECAUSE, ErrorText(error).c_str()));
    m_text.enable(false);
    SetModified(false);
}

bool CSystemEditorPage::Save(Question question) {
    // Changes left by a failed save are saved even when the file could not be locked again.
    if (!m_file && !m_modified) return true;
    m_file.reset();
    if (!m_modified) return true;
    if (question == Question::Ask &&
        fw::ShowMessage(hwnd(), fw::FormattedString(IDS_SAVE_WITH_BACKUP, m_fileName.c_str()),
                        MB_YESNO | MB_ICONQUESTION) != IDYES) {
        SetModified(false);
        return true;
    }
    const SaveOutcome outcome = SaveSystemFile(m_fullPath, FileBytesOf(m_text.text(), m_lfLineEnds));
    if (outcome.stage != SaveOutcome::Saved) {
        const UINT message = outcome.stage == SaveOutcome::BackupFailed ? IDS_SYSEDIT_BACKUP_FAILED : IDS_SYSEDIT_SAVE_FAILED;
        fw::ShowMessage(hwnd(), fw::FormattedString(message, m_fullPath.c_str(), ErrorText(outcome.error).c_str()),
                        MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    fw::ShowMessage(hwnd(), fw::FormattedString(IDS_OLD_FILE_SAVED, outcome.backupPath.c_str()), MB_OK | MB_ICONINFORMATION);
    SetModified(false);
    return true;
}

void CSystemEditorPage::SetModified(bool modified) {
    m_modified = modified;
    item(IDC_SYSEDIT_SAVE).enable(modified);
    item(IDC_SYSEDIT_RESTORE).enable(modified);
}

void CSystemEditorPage::HoldShownFile() { m_file.reset(OpenFileExclusively(m_fullPath.c_str())); }
