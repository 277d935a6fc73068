#include "editors/SystemEditorPage.h"

#include "editors/SystemFileStore.h"
#include "editors/SystemFileText.h"
#include "editors/WholeFile.h"
#include "framework/ErrorText.h"
#include "framework/StringTable.h"
#include "log/SystemFileDump.h"
#include "log/SystemFilePath.h"
#include "resources/resource.h"
#include "testlib/TestLibrary.h"
#include "zelkor.h"

namespace {
// Large system files load whole: the edit control's own limit is far smaller.
constexpr LPARAM kTextLimit = 0x7FFFFFFE;

bool AddFileName(CTestLibrary&, const SystemFileEntry& file, void* fileList, DWORD) {
    // A name that begins an entry already listed (any case) is left out: duplicates come once.
    const fw::WindowRef list(static_cast<HWND>(fileList));
    const LPARAM name = reinterpret_cast<LPARAM>(file.fileName);
    if (list.send(CB_FINDSTRING, static_cast<WPARAM>(-1), name) == CB_ERR) list.send(CB_ADDSTRING, 0, name);
    return true;
}
}  // namespace

CSystemEditorPage::CSystemEditorPage() : CWizardPage(IDD_SYSTEM_EDITOR, true) {}

void CSystemEditorPage::DoDataExchange(fw::DataExchange& exchange) { exchange.text(IDC_SYSEDIT_FILE, m_fileName); }

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
    for (size_t index = 0; GetTestLibrary(index, library); ++index)
        if (library->HasSystemFiles()) ForEachSystemFile(*library, AddFileName, m_fileList.hwnd(), 0);
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

void CSystemEditorPage::PageOpDeactivate() { Save(Question::Ask); }

bool CSystemEditorPage::OnCommand(WORD id, WORD code, HWND control) {
    switch (id) {
    case IDC_SYSEDIT_FILE:
        if (code == CBN_SELCHANGE) OnSelectionChanged();
        return true;
    case IDC_SYSEDIT_TEXT:
        if (code == EN_CHANGE) SetModified(true);
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
    m_text.send(EM_SETREADONLY, shown.hasNul);
    m_text.setText(shown.text);
    m_text.enable(true);
    SetModified(false);
    if (shown.hasNul)
        ZKMessageBox(fw::FormattedString(IDS_SYSEDIT_NUL_READ_ONLY, m_fileName.c_str()).c_str(),
                     MB_OK | MB_ICONINFORMATION);
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
        ZKMessageBox(fw::FormattedString(IDS_SAVE_WITH_BACKUP, m_fileName.c_str()).c_str(),
                     MB_YESNO | MB_ICONQUESTION) != IDYES) {
        SetModified(false);
        return true;
    }
    const SaveOutcome outcome = SaveSystemFile(m_fullPath, FileBytesOf(m_text.text(), m_lfLineEnds));
    if (outcome.stage != SaveOutcome::Saved) {
        const UINT message = outcome.stage == SaveOutcome::BackupFailed ? IDS_SYSEDIT_BACKUP_FAILED : IDS_SYSEDIT_SAVE_FAILED;
        ZKMessageBox(fw::FormattedString(message, m_fullPath.c_str(), ErrorText(outcome.error).c_str()).c_str(),
                     MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    ZKMessageBox(fw::FormattedString(IDS_OLD_FILE_SAVED, outcome.backupPath.c_str()).c_str(),
                 MB_OK | MB_ICONINFORMATION);
    SetModified(false);
    return true;
}

void CSystemEditorPage::SetModified(bool modified) {
    m_modified = modified;
    item(IDC_SYSEDIT_SAVE).enable(modified);
    item(IDC_SYSEDIT_RESTORE).enable(modified);
}

void CSystemEditorPage::HoldShownFile() { m_file.reset(OpenFileExclusively(m_fullPath.c_str())); }
