#include "editors/RegTreeNode.h"

#include "editors/RegistryTreeCtrl.h"
#include "framework/StringTable.h"
#include "journal/Journal.h"
#include "registry/RegistryKey.h"
#include "resources/resource.h"

void CRegTreeNode::show(const RegistryPageControls& controls) {
    ShowText(controls, "", true, fw::LoadedString(IDS_REGPAGE_CHECKED_LOGGED));
}

void CRegTreeNode::revert() {
    for (HTREEITEM child = m_tree.FirstChild(m_item); child; child = m_tree.NextSibling(child))
        if (CRegTreeNode* node = m_tree.Node(child)) node->revert();
    setModified(false, true);
}

WriteFailure CRegTreeNode::commit() {
    WriteFailure first;
    for (HTREEITEM child = m_tree.FirstChild(m_item); child; child = m_tree.NextSibling(child))
        if (CRegTreeNode* node = m_tree.Node(child)) first.keepFirst(node->commit());
    // A value whose write failed keeps its mark, and so do the nodes above it.
    if (m_tree.FirstChild(m_item))
        followChildren();
    else
        setModified(false, true);
    return first;
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
    ShowText(controls, std::string(RootKeyName(m_root)) + m_subkey, true, m_description);
}

UINT CRegKeyNode::deleteQuestion() const { return IDS_CONFIRM_DELETE_KEY; }

LONG CRegKeyNode::deleteFromRegistry() {
    if (const DWORD error = JournalKeyDelete(m_root, m_subkey)) return static_cast<LONG>(error);
    return CRegistryKey(m_root, false).deleteSubkey(m_subkey.c_str());
}

void CRegValueNode::show(const RegistryPageControls& controls) {
    ShowValue(controls, *m_item);
    if (!CRegistryKey(m_key.root(), m_key.subkey().c_str(), false).isWritable()) {
        controls.edit.send(EM_SETREADONLY, TRUE);
        controls.list.enable(false);
    }
}

void CRegValueNode::revert() {
    m_item->Revert();
    setModified(false, true);
}

CollectRefusal CRegValueNode::collect(const RegistryPageControls& controls, bool strict) {
    const CollectRefusal refusal = CollectValue(controls, *m_item, strict);
    if (!refusal) setModified(m_item->modified(), true);
    return refusal;
}

// A key that no longer opens gives the registry's reason for that, not the one for a missing handle.
// The journal comes first: a change it cannot record is not made, and its reason is told.
WriteFailure CRegValueNode::commit() {
    CRegistryKey key(m_key.root(), m_key.subkey().c_str(), false);
    ValueState after;
    after.exists = true;
    m_item->EditedData(after.type, after.data);
    if (key.handle())
        if (const DWORD error = JournalValueChange(m_key.root(), m_key.subkey(), m_item->valueName(),
                                                   ReadValueState(key.handle(), m_item->valueName()), after))
            return {static_cast<LONG>(error), m_item->label()};
    const LONG result = key.handle() ? m_item->Commit(key) : key.status();
    if (result != ERROR_SUCCESS) return {result, m_item->label()};
    setModified(false, true);
    return {};
}

UINT CRegValueNode::deleteQuestion() const { return IDS_CONFIRM_DELETE_ENTRY; }

LONG CRegValueNode::deleteFromRegistry() {
    CRegistryKey key(m_key.root(), m_key.subkey().c_str(), false);
    if (!key.handle()) return key.status();
    if (const DWORD error = JournalValueChange(m_key.root(), m_key.subkey(), m_item->valueName(),
                                               ReadValueState(key.handle(), m_item->valueName()), ValueState()))
        return static_cast<LONG>(error);
    return m_item->DeleteFrom(key);
}
