#include "editors/RegTreeNode.h"

#include "editors/RegistryTreeCtrl.h"
#include "framework/MessageBox.h"
#include "framework/StringTable.h"
#include "journal/Journal.h"
#include "journal/UndoChanges.h"
#include "registry/RegistryKey.h"

namespace {
// Deletions ask first, No being the default.
constexpr UINT kConfirmDeletion = MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2;

// The page that holds the tree owns the question.
bool UserConfirms(const CRegistryTreeCtrl& tree, UINT question) {
    return fw::ShowMessage(GetParent(tree.hwnd()), question, kConfirmDeletion) == IDYES;
}

void ReplaceAll(std::string& text, const std::string& placeholder, const std::string& with) {
    for (size_t at = text.find(placeholder); at != std::string::npos; at = text.find(placeholder, at + with.size()))
        text.replace(at, placeholder.size(), with);
}

// The refusal's message, its range put in for %1 and %2.
std::string RefusalText(const CollectRefusal& refusal) {
    std::string text = fw::LoadedString(refusal.message);
    ReplaceAll(text, "%1", std::to_string(refusal.minimum));
    ReplaceAll(text, "%2", std::to_string(refusal.maximum));
    return text;
}
}  // namespace

void CRegTreeNode::show(const RegistryPageControls& controls) {
    controls.list.show(SW_HIDE);
    controls.edit.show(SW_SHOW);
    controls.edit.send(EM_SETREADONLY, TRUE);
    controls.edit.setText("");
    controls.info.setText(fw::LoadedString(IDS_REGPAGE_CHECKED_LOGGED));
}

void CRegTreeNode::revert() {
    for (HTREEITEM child = m_tree.FirstChild(m_item); child; child = m_tree.NextSibling(child))
        if (CRegTreeNode* node = m_tree.Node(child)) node->revert();
    setModified(false, true);
}

bool CRegTreeNode::journaled(DWORD error) const { return CheckJournaled(GetParent(m_tree.hwnd()), error); }

void CRegTreeNode::commit() {
    for (HTREEITEM child = m_tree.FirstChild(m_item); child; child = m_tree.NextSibling(child))
        if (CRegTreeNode* node = m_tree.Node(child)) node->commit();
    // A value whose write failed keeps its mark, and so do the nodes above it.
    if (m_tree.FirstChild(m_item))
        followChildren();
    else
        setModified(false, true);
}

void CRegTreeNode::markSubtree(bool modified) {
    m_modified = modified;
    m_tree.SetMark(m_item, modified);
    for (HTREEITEM child = m_tree.FirstChild(m_item); child; child = m_tree.NextSibling(child))
        if (CRegTreeNode* node = m_tree.Node(child)) node->markSubtree(modified);
}

void CRegTreeNode::setModified(bool modified, bool propagate) {
    markSubtree(modified);
    if (!propagate) return;
    if (CRegTreeNode* parent = m_tree.Node(m_tree.Parent(m_item))) parent->followChildren();
}

void CRegTreeNode::followChildren() {
    bool any = false;
    for (HTREEITEM child = m_tree.FirstChild(m_item); child && !any; child = m_tree.NextSibling(child))
        if (CRegTreeNode* node = m_tree.Node(child)) any = node->modified();
    m_modified = any;
    m_tree.SetMark(m_item, any);
    if (CRegTreeNode* parent = m_tree.Node(m_tree.Parent(m_item))) parent->followChildren();
}

CRegKeyNode::CRegKeyNode(const LoggedKeyEntry& entry, CRegistryTreeCtrl& tree)
    : CRegTreeNode(Key, tree),
      m_name(entry.name),
      m_description(entry.description ? entry.description : ""),
      m_root(entry.root),
      m_subkey(entry.subkey),
      m_flags(entry.flags),
      m_editTableId(entry.editTableId) {}

LoggedKeyEntry CRegKeyNode::entry() const {
    return {m_name.c_str(), m_description.c_str(), m_root, m_subkey.c_str(), m_flags, m_editTableId};
}

void CRegKeyNode::show(const RegistryPageControls& controls) {
    controls.list.show(SW_HIDE);
    controls.edit.show(SW_SHOW);
    controls.edit.send(EM_SETREADONLY, TRUE);
    controls.edit.setText(std::string(RootKeyName(m_root)) + m_subkey);
    controls.info.setText(m_description);
}

void CRegKeyNode::deleteItem() {
    if (!UserConfirms(tree(), IDS_CONFIRM_DELETE_KEY) || !journaled(JournalKeyDelete(m_root, m_subkey))) return;
    CRegistryKey(m_root, false).deleteSubkey(m_subkey.c_str());
    tree().RemoveItem(item());  // this node goes with its item: nothing may follow
}

void CRegValueNode::show(const RegistryPageControls& controls) {
    m_item->Show(controls);
    if (!CRegistryKey(m_key.root(), m_key.subkey().c_str(), false).isWritable()) {
        controls.edit.send(EM_SETREADONLY, TRUE);
        controls.list.enable(false);
    }
}

void CRegValueNode::revert() {
    m_item->Revert();
    setModified(false, true);
}

void CRegValueNode::collect(RegistryPageControls& controls) {
    if (const CollectRefusal refusal = m_item->Collect(controls)) {
        fw::ShowMessage(GetParent(controls.edit.hwnd()), RefusalText(refusal), MB_OK | MB_ICONEXCLAMATION);
        const bool inEditBox = (GetWindowLongA(controls.edit, GWL_STYLE) & WS_VISIBLE) != 0;
        if (controls.exchange) controls.exchange->fail(inEditBox ? controls.editId : controls.listId);
        return;
    }
    setModified(m_item->modified(), true);
}

void CRegValueNode::commit() {
    ValueState after;
    after.exists = m_item->EditedData(after.type, after.data);
    if (after.exists && !journaled(JournalValueChange(m_key.root(), m_key.subkey(), m_item->valueName(), after))) return;
    CRegistryKey key(m_key.root(), m_key.subkey().c_str(), false);
    if (m_item->Commit(key)) setModified(false, true);
}

void CRegValueNode::deleteItem() {
    if (!UserConfirms(tree(), IDS_CONFIRM_DELETE_ENTRY) ||
        !journaled(JournalValueChange(m_key.root(), m_key.subkey(), m_item->valueName(), ValueState())))
        return;
    CRegistryKey key(m_key.root(), m_key.subkey().c_str(), false);
    m_item->DeleteFrom(key);
    tree().RemoveItem(item());  // this node goes with its item: nothing may follow
}
