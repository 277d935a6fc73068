// The registry editor's tree of keys, the key path of an item, and the value list of the
// selected key.
#include "editors/RegistryEditorWnd.h"

#include <vector>

#include "editors/RegistryDataText.h"

void CRegistryEditorWnd::FillTree() {
    // Redraw stays off while inserting: otherwise the tree repaints and rescrolls item by item.
    m_tree.SetRedraw(false);
    m_tree.DeleteAllItems();
    for (size_t i = 0; i < m_roots.size(); ++i)
        addKeyNode(TVI_ROOT, m_roots[i].root, m_roots[i].path, m_roots[i].name, static_cast<LPARAM>(i));
    m_tree.SetRedraw(true);
    if (const HTREEITEM first = m_tree.Root()) m_tree.Select(first);
}

// The whole subtree is read now: expanding later reads nothing. A key that cannot be opened
// shows without subkeys.
void CRegistryEditorWnd::addKeyNode(HTREEITEM parent, HKEY parentKey, const std::string& subkey,
                                    const std::string& text, LPARAM data) {
    const CRegistryKey key(parentKey, subkey.c_str(), false);
    const HTREEITEM item = m_tree.InsertItem(parent, text, kClosedKey, data);
    std::string name;
    for (DWORD index = 0; key.enumSubkeyName(index, name); ++index) addKeyNode(item, key.handle(), name, name, 0);
}

CRegistryEditorWnd::KeyPath CRegistryEditorWnd::KeyPathOf(HTREEITEM item) const {
    const HTREEITEM parent = m_tree.Parent(item);
    if (!parent) {
        const size_t root = static_cast<size_t>(m_tree.Data(item));
        if (root >= m_roots.size()) return KeyPath();
        return KeyPath{m_roots[root].root, m_roots[root].path};
    }
    KeyPath path = KeyPathOf(parent);
    if (!path.path.empty()) path.path += '\\';
    path.path += m_tree.Text(item);
    return path;
}

std::unique_ptr<CRegistryKey> CRegistryEditorWnd::openKey(HTREEITEM item) const {
    const KeyPath path = KeyPathOf(item);
    return std::make_unique<CRegistryKey>(path.root, path.path.c_str(), false);
}

void CRegistryEditorWnd::onSelectionChanged(HTREEITEM previous, HTREEITEM selected) {
    if (previous) m_tree.SetImage(previous, kClosedKey);
    if (!selected) return;
    m_tree.SetImage(selected, kOpenKey);
    fillValueList(*openKey(selected));
}

void CRegistryEditorWnd::fillValueList(const CRegistryKey& key) {
    m_list.DeleteAllRows();
    RegistryValueInfo value;
    for (DWORD index = 0; key.enumValue(index, value); ++index) {
        const char* name = value.name.c_str();
        int image = kOtherValue;
        std::string text;
        if (value.type == REG_SZ) {
            image = kStringValue;
            key.getString(name, text);
        } else if (value.type == REG_DWORD) {
            text = DwordDataText(key.getDword(name));
        } else {
            std::vector<BYTE> data(value.size);
            DWORD size = value.size;
            // A value that changed size since it was listed shows what could be read.
            if (key.getBinary(name, data.data(), size) != ERROR_SUCCESS) size = 0;
            text = BytesDataText(data.data(), size < data.size() ? size : data.size());
        }
        const int row = m_list.InsertRow(m_list.RowCount(), value.name, image);
        m_list.SetText(row, 1, text);
    }
}
