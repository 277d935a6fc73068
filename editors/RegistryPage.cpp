#include "editors/RegistryPage.h"

#include <string>

#include "editors/RegistryEditorWnd.h"
#include "framework/ErrorText.h"
#include "framework/MessageBox.h"
#include "framework/ReplaceAll.h"
#include "framework/StringTable.h"
#include "log/LogWriter.h"
#include "resources/resource.h"
#include "testlib/LibraryWalks.h"

namespace {
// Deletions ask first, No being the default.
constexpr UINT kConfirmDeletion = MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2;

bool AnyLibraryHasEditorKeys() {
    CTestLibrary* library = nullptr;
    for (size_t index = 0; GetTestLibrary(index, library); ++index)
        if (library->HasEditorKeys()) return true;
    return false;
}

bool IsTreeNotice(const NMHDR* header, UINT ansiCode, UINT wideCode) {
    return header->idFrom == IDC_REGPAGE_TREE && (header->code == ansiCode || header->code == wideCode);
}

// The refusal's message, its range put in for %1 and %2.
std::string RefusalText(const CollectRefusal& refusal) {
    const std::string text = fw::ReplaceAll(fw::LoadedString(refusal.message), "%1", std::to_string(refusal.minimum));
    return fw::ReplaceAll(text, "%2", std::to_string(refusal.maximum));
}
}  // namespace

CRegistryPage::CRegistryPage() : CWizardPage(IDD_REGISTRY_PAGE, true) {}

BOOL CRegistryPage::OnInitDialog() {
    CWizardPage::OnInitDialog();
    m_controls.list = item(IDC_REGPAGE_LIST);
    m_controls.edit = item(IDC_REGPAGE_EDIT);
    m_controls.info = item(IDC_REGPAGE_INFO);
    m_tree.Subclass(item(IDC_REGPAGE_TREE));
    m_tree.Initialise();
    item(IDC_REGPAGE_ADVANCED).enable(AnyLibraryHasEditorKeys());
    OnSelected(nullptr);
    return FALSE;  // no default focus
}

void CRegistryPage::DoDataExchange(fw::DataExchange& exchange) {
    CRegTreeNode* node = m_tree.Selected();
    if (!m_collecting || !node) return;
    if (const CollectRefusal refusal = node->collect(m_controls, m_strict)) {
        fw::ShowMessage(hwnd(), RefusalText(refusal), MB_OK | MB_ICONEXCLAMATION);
        exchange.fail(m_controls.shownId());
    }
}

bool CRegistryPage::Collect(bool strict) {
    m_strict = strict;
    m_collecting = true;
    const bool collected = UpdateData(true);
    m_collecting = false;
    return collected;
}

bool CRegistryPage::OnCommand(WORD id, WORD code, HWND control) {
    switch (id) {
    case IDC_REGPAGE_LIST:
        if (code == CBN_SELCHANGE) OnTyped();
        return true;
    case IDC_REGPAGE_EDIT:
        if (code == EN_CHANGE) OnTyped();
        return true;
    case IDC_REGPAGE_RESTORE:
        if (code == BN_CLICKED) OnRestore();
        return true;
    case IDC_REGPAGE_SAVE:
        if (code == BN_CLICKED) OnSave();
        return true;
    case IDC_REGPAGE_DELETE:
        if (code == BN_CLICKED) OnDelete();
        return true;
    case IDC_REGPAGE_ADVANCED:
        if (code == BN_CLICKED) OnAdvanced();
        return true;
    default:
        return CWizardPage::OnCommand(id, code, control);
    }
}

bool CRegistryPage::OnNotify(NMHDR* header, LRESULT& result) {
    if (IsTreeNotice(header, TVN_SELCHANGINGA, TVN_SELCHANGINGW)) {
        // A value that does not validate keeps the selection where it is.
        result = !m_deleting && !Collect(true);
        return true;
    }
    if (IsTreeNotice(header, TVN_SELCHANGEDA, TVN_SELCHANGEDW)) {
        OnSelected(m_tree.Node(reinterpret_cast<NMTREEVIEWA*>(header)->itemNew.hItem));
        result = 0;
        return true;
    }
    return CWizardPage::OnNotify(header, result);
}

void CRegistryPage::OnTyped() {
    CRegTreeNode* node = m_tree.Selected();
    if (m_showing || !node) return;
    Collect(false);
    EnableSaveAndRestore(node->modified());
}

void CRegistryPage::OnSelected(CRegTreeNode* node) {
    m_controls.edit.send(EM_SETREADONLY, FALSE);
    m_controls.edit.enable(true);
    m_controls.list.enable(true);
    m_showing = true;
    if (node)
        node->show(m_controls);
    else  // as the page first shows: nothing to edit, whatever was shown before a refill
        ShowText(m_controls, "", true, "");
    // A key's path is longer than the box: its end, the key itself, is what must show.
    const WPARAM end = static_cast<WPARAM>(GetWindowTextLengthA(m_controls.edit.hwnd()));
    m_controls.edit.send(EM_SETSEL, end, static_cast<LPARAM>(end));
    m_controls.edit.send(EM_SCROLLCARET);
    m_showing = false;
    // Nothing selected: nothing for the buttons to act on.
    EnableSaveAndRestore(node && node->modified());
    item(IDC_REGPAGE_DELETE).enable(node && node->isDeletable());
}

void CRegistryPage::OnRestore() {
    CRegTreeNode* node = m_tree.Selected();
    if (!node) return;
    node->revert();
    m_showing = true;
    node->show(m_controls);
    m_showing = false;
    EnableSaveAndRestore(false);
}

void CRegistryPage::OnSave() {
    CRegTreeNode* node = m_tree.Selected();
    if (!node || !Collect(true)) return;
    if (const WriteFailure failure = node->commit()) {
        ReportFailure(IDS_REGPAGE_NOT_SAVED, failure);
        return;
    }
    EnableSaveAndRestore(node->modified());
}

// The item goes only with what it stands for: a delete that failed leaves it, unless the key or
// value is gone all the same.
void CRegistryPage::OnDelete() {
    CRegTreeNode* node = m_tree.Selected();
    if (!node || !node->isDeletable()) return;
    if (fw::ShowMessage(hwnd(), node->deleteQuestion(), kConfirmDeletion) != IDYES) return;
    if (const LONG error = node->deleteFromRegistry()) {
        ReportFailure(IDS_REGPAGE_NOT_DELETED, {error, node->label()});
        return;
    }
    ChangeTree([&] { m_tree.RemoveItem(node->item()); });
}

// The editor may change anything below the libraries' keys, so the tree is read again after it.
void CRegistryPage::OnAdvanced() {
    if (!MayLeave()) return;
    CRegistryEditorWnd editor(GetAncestor(hwnd(), GA_ROOT));
    CTestLibrary* library = nullptr;
    for (size_t index = 0; GetTestLibrary(index, library); ++index) {
        ForEachEditorKey(*library, [&editor](const EditorKeyEntry& key) {
            editor.AddRootEntry(key.name, key.root, key.subkey);
            return true;
        });
    }
    editor.Run();
    ChangeTree([this] { m_tree.Initialise(); });
}

void CRegistryPage::EnableSaveAndRestore(bool enable) {
    item(IDC_REGPAGE_SAVE).enable(enable);
    item(IDC_REGPAGE_RESTORE).enable(enable);
}

void CRegistryPage::ReportFailure(UINT message, const WriteFailure& failure) {
    const std::string reason = ErrorText(static_cast<DWORD>(failure.error));
    fw::ShowMessage(hwnd(), fw::FormattedString(message, failure.label.c_str(), reason.c_str()), MB_OK | MB_ICONSTOP);
    ChangeTree([this] { m_tree.RemoveVanished(); });
}

bool CRegistryPage::CommitModified() {
    WriteFailure first;
    for (CRegTreeNode* leaf : m_tree.ModifiedLeaves()) first.keepFirst(leaf->commit());
    if (first) {
        ReportFailure(IDS_REGPAGE_NOT_SAVED, first);
        return false;
    }
    EnableSaveAndRestore(false);
    return true;
}

// A save that failed keeps the user on the page, with the values that were not written marked.
BOOL CRegistryPage::MayLeave() {
    if (m_tree.ModifiedLeaves().empty()) return TRUE;
    switch (fw::ShowMessage(hwnd(), IDS_SAVE_REGISTRY, MB_YESNOCANCEL | MB_ICONQUESTION)) {
    case IDYES:
        return Collect(true) && CommitModified();
    case IDNO:
        return TRUE;  // the changes stay pending, and marked
    default:
        return FALSE;
    }
}

void CRegistryPage::PageOpWriteLog() {
    const CTestLibrary* previous = nullptr;
    for (HTREEITEM item = m_tree.NextCheckedLeaf(nullptr); item; item = m_tree.NextCheckedLeaf(item)) {
        CRegTreeNode* node = m_tree.Node(item);
        CTestLibrary* library = m_tree.LibraryOf(item);
        if (!node || node->kind() != CRegTreeNode::Key || !library) continue;
        if (library != previous) LogSection(library->name());
        previous = library;
        const auto* key = static_cast<const CRegKeyNode*>(node);
        LogRegistry(key->root(), key->subkey());
    }
}
