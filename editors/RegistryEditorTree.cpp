// The registry editor's tree of keys, the opening of an item's key, and the value list of the
// selected key.
#include "editors/RegistryEditorWnd.h"

#include <vector>

#include "registry/RegistryDataText.h"
#include "framework/ErrorText.h"
#include "framework/StringTable.h"
#include "resources/resource.h"

// What was selected and expanded is found again by the items' texts from the top: a refresh
// keeps every branch that still exists, and the selection falls back to the nearest key above.
void CRegistryEditorWnd::FillTree() {
    std::vector<ItemPath> expanded;
    forEachItem(m_tree.Root(), [&](HTREEITEM item) {
        if (m_tree.IsExpanded(item)) expanded.push_back(pathOf(item));
    });
    const ItemPath selected = pathOf(m_tree.Selection());
    // Redraw stays off while inserting: otherwise the tree repaints and rescrolls item by item.
    m_tree.SetRedraw(false);
    m_tree.DeleteAllItems();
    for (size_t i = 0; i < m_roots.size(); ++i)
        addKeyNode(TVI_ROOT, m_roots[i].root, m_roots[i].path, m_roots[i].name, static_cast<LPARAM>(i));
    for (const ItemPath& path : expanded) {
        const HTREEITEM item = itemAt(path);
        if (item && pathOf(item).size() == path.size()) m_tree.Expand(item, TVE_EXPAND);
    }
    m_tree.SetRedraw(true);
    HTREEITEM select = itemAt(selected);
    if (!select) select = m_tree.Root();
    if (!select) return;
    m_tree.Select(select);
    m_tree.EnsureVisible(select);
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

CRegistryEditorWnd::ItemPath CRegistryEditorWnd::pathOf(HTREEITEM item) const {
    ItemPath path;
    for (; item; item = m_tree.Parent(item)) path.insert(path.begin(), m_tree.Text(item));
    return path;
}

// The item at the path, or the deepest one on its way that exists (null: not even the top).
HTREEITEM CRegistryEditorWnd::itemAt(const ItemPath& path) const {
    HTREEITEM found = nullptr;
    HTREEITEM level = m_tree.Root();
    for (const std::string& text : path) {
        while (level && lstrcmpiA(m_tree.Text(level).c_str(), text.c_str()) != 0) level = m_tree.NextSibling(level);
        if (!level) break;
        found = level;
        level = m_tree.FirstChild(level);
    }
    return found;
}

// Each level is opened below the one above it: a name may be 255 characters at any depth, while
// a whole path from the root may not be that long.
std::unique_ptr<CRegistryKey> CRegistryEditorWnd::openKey(HTREEITEM item) const {
    const HTREEITEM parent = m_tree.Parent(item);
    if (!parent) {
        const size_t index = static_cast<size_t>(m_tree.Data(item));
        const RootEntry* root = index < m_roots.size() ? &m_roots[index] : nullptr;
        return std::make_unique<CRegistryKey>(root ? root->root : nullptr, root ? root->path.c_str() : "", false);
    }
    std::unique_ptr<CRegistryKey> parentKey = openKey(parent);
    if (!parentKey->handle()) return parentKey;
    return std::make_unique<CRegistryKey>(parentKey->handle(), m_tree.Text(item).c_str(), false);
}

CRegistryEditorWnd::KeyPlace CRegistryEditorWnd::keyPlace(HTREEITEM item) const {
    const ItemPath path = pathOf(item);
    HTREEITEM top = item;
    while (m_tree.Parent(top)) top = m_tree.Parent(top);
    const size_t index = static_cast<size_t>(m_tree.Data(top));
    KeyPlace place{index < m_roots.size() ? m_roots[index].root : nullptr, index < m_roots.size() ? m_roots[index].path : ""};
    for (size_t i = 1; i < path.size(); ++i) place.path += "\\" + path[i];
    return place;
}

void CRegistryEditorWnd::onSelectionChanged(HTREEITEM previous, HTREEITEM selected) {
    if (previous) m_tree.SetImage(previous, kClosedKey);
    if (!selected) return;
    m_tree.SetImage(selected, kOpenKey);
    showValues(selected);
}

// A key that cannot be read says why in the status bar rather than showing as an empty key.
void CRegistryEditorWnd::showValues(HTREEITEM item) {
    const std::unique_ptr<CRegistryKey> key = openKey(item);
    fillValueList(*key);
    if (key->handle())
        m_statusBar.ShowIdleText();
    else
        m_statusBar.ShowMessage(fw::FormattedString(IDS_REGEDIT_CANNOT_OPEN, ErrorText(key->status()).c_str()));
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
