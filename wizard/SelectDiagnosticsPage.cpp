#include "wizard/SelectDiagnosticsPage.h"

#include "framework/Font.h"
#include "resources/resource.h"
#include "testlib/TestLibrary.h"
#include "wizard/TestPage.h"
#include "wizard/WizardDlg.h"
#include "zelkor_rc.h"

namespace {
bool AnyLibrary(bool (*has)(CTestLibrary&)) {
    CTestLibrary* library = nullptr;
    for (size_t index = 0; GetTestLibrary(index, library); ++index)
        if (has(*library)) return true;
    return false;
}

bool HasRegistryKeys(CTestLibrary& library) { return library.HasLoggedKeys() || library.HasEditorKeys(); }
bool HasSystemFiles(CTestLibrary& library) { return library.HasSystemFiles(); }
}  // namespace

CSelectDiagnosticsPage::CSelectDiagnosticsPage()
    : CWizardPage(IDD_SELECT_DIAGNOSTICS, true) {}

BOOL CSelectDiagnosticsPage::OnInitDialog() {
    CWizardPage::OnInitDialog();
    m_registryPage.create = wizard()->session().createRegistryPage;
    m_systemEditorPage.create = wizard()->session().createSystemEditorPage;
    for (int id : {IDC_SELECT_DIAGNOSTICS, IDC_SELECT_REGISTRY, IDC_SELECT_SYSTEM}) item(id).setFont(fw::BoldFontLike(hwnd()));

    m_tree.Subclass(item(IDC_SELECT_TREE));
    m_tree.Initialise();
    if (HTREEITEM first = m_tree.FirstRoot()) {
        SendMessageA(m_tree.hwnd(), TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(first));
    } else {
        item(IDC_SELECT_DIAGNOSTICS).enable(false);
        item(IDC_SELECT_TREE).enable(false);
    }

    item(IDC_SELECT_REGISTRY).enable(m_registryPage.create && AnyLibrary(HasRegistryKeys));
    item(IDC_SELECT_SYSTEM).enable(m_systemEditorPage.create && AnyLibrary(HasSystemFiles));
    wizard()->EnableNext(false);
    return TRUE;
}

void CSelectDiagnosticsPage::DoDataExchange(fw::DataExchange& exchange) {
    exchange.check(IDC_SELECT_DIAGNOSTICS, m_diagnostics);
    exchange.check(IDC_SELECT_REGISTRY, m_registryEditor);
    exchange.check(IDC_SELECT_SYSTEM, m_systemEditor);
}

bool CSelectDiagnosticsPage::OnCommand(WORD id, WORD code, HWND control) {
    switch (id) {
    case IDC_SELECT_DIAGNOSTICS:
    case IDC_SELECT_REGISTRY:
    case IDC_SELECT_SYSTEM:
        if (code == BN_CLICKED) ApplyNextButtonRule();
        return true;
    default:
        return CWizardPage::OnCommand(id, code, control);
    }
}

bool CSelectDiagnosticsPage::OnNotify(NMHDR* header, LRESULT& result) {
    if (header->idFrom == IDC_SELECT_TREE && header->code == CCheckTreeCtrl::kToggleNotice) {
        OnTreeToggle(static_cast<int>(reinterpret_cast<NMTREEVIEWA*>(header)->action >> 12) & 0xF);
        result = 0;
        return true;
    }
    return CWizardPage::OnNotify(header, result);
}

void CSelectDiagnosticsPage::OnTreeToggle(int newState) {
    if (newState == kChecked)
        item(IDC_SELECT_DIAGNOSTICS).setCheck(true);
    else if (!m_tree.NextCheckedLeaf(nullptr))
        item(IDC_SELECT_DIAGNOSTICS).setCheck(false);
    ApplyNextButtonRule();
}

void CSelectDiagnosticsPage::ApplyNextButtonRule() {
    UpdateData(true);
    const bool tests = m_diagnostics && m_tree.NextCheckedLeaf(nullptr);
    wizard()->EnableNext(m_registryEditor || m_systemEditor || tests);
}

BOOL CSelectDiagnosticsPage::PageOpNext() {
    UpdateData(true);
    UpdateEditorPage(m_systemEditorPage, m_systemEditor);
    UpdateEditorPage(m_registryPage, m_registryEditor);
    if (m_diagnostics) BuildCheckedTestPages();
    return TRUE;
}

void CSelectDiagnosticsPage::UpdateEditorPage(EditorPage& page, bool wanted) {
    if (!wanted) {
        if (page.built) wizard()->RemovePage(page.built);
        page.built = nullptr;
    } else if (!page.built && page.create) {
        std::unique_ptr<CWizardPage> built = page.create();
        page.built = built.get();
        wizard()->InsertPageAfter(this, std::move(built));
    }
}

void CSelectDiagnosticsPage::BuildCheckedTestPages() {
    // Each page goes directly after this one, so they run in the reverse of tree order.
    for (HTREEITEM leaf = m_tree.NextCheckedLeaf(nullptr); leaf; leaf = m_tree.NextCheckedLeaf(leaf)) {
        const TestTreeItemData* test = m_tree.ItemData(leaf);
        const TestTreeItemData* library = m_tree.ItemData(m_tree.Parent(leaf));
        if (!test || test->kind != TestTreeItemData::Test || !library || !library->library) continue;
        if (test->test.flags & ZK_TEST_HAS_PAGE)
            wizard()->InsertPageAfter(this, std::make_unique<CTestPage>(test->test.testId, *library->library));
    }
}

void CSelectDiagnosticsPage::PageOpRemove() {
    for (EditorPage* page : {&m_registryPage, &m_systemEditorPage}) {
        if (page->built) wizard()->RemovePage(page->built);
        page->built = nullptr;
    }
}
