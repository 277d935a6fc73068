// The Custom road: the user checks tests in a tree and may add the Registry page and the System
// Editor page. Next builds the chosen pages directly after this one.
#pragma once
#include <memory>

#include "wizard/TestTreeCtrl.h"
#include "wizard/WizardPage.h"
#include "wizard/WizardSession.h"

class CSelectDiagnosticsPage : public CWizardPage {
public:
    CSelectDiagnosticsPage();

    BOOL PageOpNext() override;
    void PageOpRemove() override;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(fw::DataExchange& exchange) override;
    bool OnCommand(WORD id, WORD code, HWND control) override;
    bool OnNotify(NMHDR* header, LRESULT& result) override;

private:
    // One of the two optional pages behind the editor check boxes.
    struct EditorPage {
        WizardSession::PageFactory create = nullptr;  // null: the session offers no such page
        CWizardPage* built = nullptr;
    };

    void ApplyNextButtonRule();
    void CheckPlannedTests();
    void OnTreeToggle(int newState);
    // Builds the page while its box is checked and removes it once unchecked.
    void UpdateEditorPage(EditorPage& page, bool wanted);
    void BuildCheckedTestPages();

    CTestTreeCtrl m_tree;
    bool m_diagnostics = false;
    bool m_registryEditor = false;
    bool m_systemEditor = false;
    EditorPage m_registryPage;
    EditorPage m_systemEditorPage;
};
