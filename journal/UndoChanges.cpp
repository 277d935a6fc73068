#include "journal/UndoChanges.h"

#include "framework/ErrorText.h"
#include "framework/MessageBox.h"
#include "framework/StringTable.h"
#include "journal/Journal.h"
#include "journal/JournalUndo.h"
#include "resources/resource.h"

namespace {
constexpr size_t kFailuresShown = 20;

// Asks, takes the changes back, and says how it went.
void Offer(HWND owner, const std::string& prompt, const std::vector<JournalRecord>& changes) {
    if (CUndoChangesDlg(prompt, changes).DoModal(owner) != IDYES) return;
    const std::vector<UndoFailure> failures = UndoChanges(changes, [owner](const JournalRecord& record) {
        return fw::ShowMessage(owner, fw::FormattedString(IDS_UNDO_CONFLICT, DescribeChange(record).c_str()),
                    MB_YESNO | MB_ICONEXCLAMATION | MB_DEFBUTTON2) == IDYES;
    });
    if (failures.empty()) {
        fw::ShowMessage(owner, fw::LoadedString(IDS_UNDO_DONE), MB_OK | MB_ICONINFORMATION);
        return;
    }
    std::string text = fw::LoadedString(IDS_UNDO_FAILED);
    for (size_t i = 0; i < failures.size() && i < kFailuresShown; ++i)
        text += fw::FormattedString(IDS_UNDO_FAILURE_LINE, failures[i].change.c_str(), ErrorText(failures[i].error).c_str());
    if (failures.size() > kFailuresShown)
        text += fw::FormattedString(IDS_UNDO_MORE_FAILURES, static_cast<unsigned>(failures.size() - kFailuresShown));
    fw::ShowMessage(owner, text, MB_OK | MB_ICONEXCLAMATION);
}
}  // namespace

CUndoChangesDlg::CUndoChangesDlg(std::string prompt, const std::vector<JournalRecord>& changes)
    : CDialog(IDD_UNDO_CHANGES), m_prompt(std::move(prompt)), m_changes(changes) {}

BOOL CUndoChangesDlg::OnInitDialog() {
    item(IDC_UNDO_PROMPT).setText(m_prompt);
    const fw::WindowRef list = item(IDC_UNDO_LIST);
    const HDC dc = GetDC(list);
    const HGDIOBJ font = SelectObject(dc, reinterpret_cast<HFONT>(list.send(WM_GETFONT)));
    LONG widest = 0;
    for (const JournalRecord& change : m_changes) {
        const std::string text = DescribeChange(change);
        list.send(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
        SIZE size{};
        GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
        if (size.cx > widest) widest = size.cx;
    }
    SelectObject(dc, font);
    ReleaseDC(list, dc);
    list.send(LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(widest + 8));
    return CDialog::OnInitDialog();
}

bool CUndoChangesDlg::OnCommand(WORD id, WORD code, HWND control) {
    if (id == IDYES || id == IDNO) {
        EndDialog(id);
        return true;
    }
    return CDialog::OnCommand(id, code, control);
}

bool CheckJournaled(HWND owner, DWORD error) {
    if (error == ERROR_SUCCESS) return true;
    fw::ShowMessage(owner, fw::FormattedString(IDS_JOURNAL_FAILED, ErrorText(error).c_str()), MB_OK | MB_ICONSTOP);
    return false;
}

// An undo's own records become the changes that the next offer takes back.
void OfferSessionUndo(HWND owner) {
    CJournal& journal = SessionJournal();
    const std::vector<JournalRecord> changes(journal.records().begin() + static_cast<std::ptrdiff_t>(journal.undoStart()),
                                             journal.records().end());
    if (changes.empty()) {
        fw::ShowMessage(owner, fw::LoadedString(IDS_UNDO_NOTHING), MB_OK | MB_ICONINFORMATION);
        return;
    }
    const size_t undoStart = journal.records().size();
    Offer(owner, fw::LoadedString(IDS_UNDO_PROMPT), changes);
    if (journal.records().size() > undoStart) journal.SetUndoStart(undoStart);
}

void OfferAbandonedUndo(HWND owner) {
    for (const AbandonedJournal& abandoned : FindAbandonedJournals(JournalFolder())) {
        if (!abandoned.content.complete)
            fw::ShowMessage(owner, fw::FormattedString(IDS_JOURNAL_DAMAGED, abandoned.path.c_str()), MB_OK | MB_ICONEXCLAMATION);
        else if (!abandoned.content.records.empty())
            Offer(owner, fw::FormattedString(IDS_UNDO_ABANDONED_PROMPT, abandoned.path.c_str()), abandoned.content.records);
        CloseAbandonedJournal(abandoned.path);
    }
}
