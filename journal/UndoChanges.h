// Undo changes: the list of journaled changes, shown before anything is taken back, and the
// offers that lead to it (this session's changes; an earlier session that did not end normally).
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "framework/Dialog.h"
#include "journal/JournalRecord.h"

// The changes, newest last, under a prompt; Yes (IDYES) or No (IDNO).
class CUndoChangesDlg : public fw::CDialog {
public:
    CUndoChangesDlg(std::string prompt, const std::vector<JournalRecord>& changes);

protected:
    BOOL OnInitDialog() override;
    bool OnCommand(WORD id, WORD code, HWND control) override;
    void OnCancel() override { EndDialog(IDNO); }

private:
    std::string m_prompt;
    const std::vector<JournalRecord>& m_changes;
};

// True when error is 0 (the change was journaled); otherwise tells the user that the change is not
// made, and why.
bool CheckJournaled(HWND owner, DWORD error);

// Shows this session's changes not yet taken back and, after Yes, takes them back (asking before
// overwriting what another program changed since) and tells what could not be.
void OfferSessionUndo(HWND owner);
// At start: each journal of an earlier session that did not end normally is offered the same way
// (a damaged one is only told), and then not offered again.
void OfferAbandonedUndo(HWND owner);
