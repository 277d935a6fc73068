// The Registry page: the keys that the test libraries offer, checked ones logged, and the values
// they describe, edited under the tree and saved to, restored from or deleted in the registry.
#pragma once
#include <windows.h>

#include "editors/RegistryPageControls.h"
#include "editors/RegistryTreeCtrl.h"
#include "wizard/WizardPage.h"

class CRegistryPage : public CWizardPage {
public:
    CRegistryPage();

    // Both ask first when values were changed and not saved.
    BOOL PageOpNext() override { return MayLeave(); }
    BOOL PageOpBack() override { return MayLeave(); }
    // Every checked key, under a banner of its library whenever the library changes.
    void PageOpWriteLog() override;

protected:
    void DoDataExchange(fw::DataExchange& exchange) override;
    BOOL OnInitDialog() override;
    bool OnCommand(WORD id, WORD code, HWND control) override;
    bool OnNotify(NMHDR* header, LRESULT& result) override;

private:
    // Takes the controls' text into the selected node; false when it was refused. Strict: before
    // a save or a move, not while the user types.
    bool Collect(bool strict);
    BOOL MayLeave();
    // Writes every changed value; false, after telling why, when a write failed.
    bool CommitModified();
    void OnTyped();
    void OnSelected(CRegTreeNode* node);
    void OnRestore();
    void OnSave();
    void OnDelete();
    // Asks as leaving the page does, opens the registry editor on every library's editor keys.
    void OnAdvanced();
    void EnableSaveAndRestore(bool enable);
    // Tells a failed write or delete with the system's reason, then shows the registry as it is.
    void ReportFailure(UINT message, const WriteFailure& failure);
    // Changes the tree without collecting what was typed into items that go.
    template <class Change>
    void ChangeTree(Change change) {
        m_deleting = true;
        change();
        m_deleting = false;
        OnSelected(m_tree.Selected());
    }

    CRegistryTreeCtrl m_tree;
    RegistryPageControls m_controls;
    bool m_collecting = false;
    bool m_strict = false;
    bool m_showing = false;   // the controls are being filled, not typed in
    bool m_deleting = false;  // the selection moves off an item that is going
};
