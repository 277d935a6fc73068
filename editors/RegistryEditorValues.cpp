// The registry editor's commands that ask the user for names and data: new keys, new values and
// changes to a value.
#include "editors/RegistryEditorWnd.h"

#include <vector>

#include "editors/RegistryDataText.h"
#include "editors/ValueDialogs.h"
#include "resources/resource.h"

void CRegistryEditorWnd::newKey() {
    const HTREEITEM parent = m_tree.Selection();
    if (!parent) return;
    const std::unique_ptr<CRegistryKey> key = openKey(parent);
    if (!checkWritable(*key)) return;
    CNewKeyDlg dialog(key->handle());
    if (dialog.DoModal(hwnd()) != IDOK) return;
    CRegistryKey(key->handle(), dialog.name().c_str(), true);
    m_tree.Select(m_tree.InsertItem(parent, dialog.name(), kClosedKey));
}

void CRegistryEditorWnd::newValue(UINT command) {
    if (!m_tree.Selection()) return;
    const std::unique_ptr<CRegistryKey> key = openSelectedKey();
    if (!checkWritable(*key)) return;
    std::string name, text;
    int image = kOtherValue;
    if (command == ID_REGEDIT_NEW_STRING) {
        CEditStringDlg dialog(hwnd(), key->handle());
        if (dialog.DoModal() != IDOK) return;
        name = dialog.name();
        key->setString(name.c_str(), dialog.value().c_str());
        text = dialog.value();
        image = kStringValue;
    } else if (command == ID_REGEDIT_NEW_DWORD) {
        CEditDwordDlg dialog(hwnd(), key->handle());
        if (dialog.DoModal() != IDOK) return;
        name = dialog.name();
        key->setDword(name.c_str(), dialog.value());
        text = DwordDataText(dialog.value());
    } else {
        CEditBinaryDlg dialog(hwnd(), key->handle());
        if (dialog.DoModal() != IDOK) return;
        name = dialog.name();
        key->setBinary(name.c_str(), dialog.data().data(), dialog.size());
        text = BytesDataText(dialog.data().data(), dialog.size());
    }
    const int row = m_list.InsertRow(m_list.RowCount(), name, image);
    m_list.SetText(row, 1, text);
}

// A value of any type but string and double word is edited, and written back, as binary.
void CRegistryEditorWnd::modify() {
    const int row = m_list.FocusedRow();
    if (row < 0 || !m_tree.Selection()) return;
    const std::unique_ptr<CRegistryKey> key = openSelectedKey();
    if (!checkWritable(*key)) return;
    const std::string name = m_list.Text(row, 0);
    RegistryValueInfo info;
    // A value deleted behind the editor's back is not written again.
    if (key->queryValueInfo(name.c_str(), info) != ERROR_SUCCESS) return;
    std::string text;
    if (info.type == REG_SZ) {
        std::string value;
        key->getString(name.c_str(), value);
        CEditStringDlg dialog(hwnd(), name, value);
        if (dialog.DoModal() != IDOK) return;
        key->setString(name.c_str(), dialog.value().c_str());
        text = dialog.value();
    } else if (info.type == REG_DWORD) {
        CEditDwordDlg dialog(hwnd(), name, key->getDword(name.c_str()));
        if (dialog.DoModal() != IDOK) return;
        key->setDword(name.c_str(), dialog.value());
        text = DwordDataText(dialog.value());
    } else {
        std::vector<BYTE> data(info.size);
        DWORD size = info.size;
        if (key->getBinary(name.c_str(), data.data(), size) != ERROR_SUCCESS) return;
        CEditBinaryDlg dialog(hwnd(), name, data.data(), size);
        if (dialog.DoModal() != IDOK) return;
        key->setBinary(name.c_str(), dialog.data().data(), dialog.size());
        text = BytesDataText(dialog.data().data(), dialog.size());
    }
    m_list.SetText(row, 1, text);
}
