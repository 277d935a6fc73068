// The registry editor's commands that ask the user for names and data: new keys, new values and
// changes to a value. A failed write is told with its reason, and the list then shows what the
// registry holds.
#include "editors/RegistryEditorWnd.h"

#include <vector>

#include "editors/ValueDialogs.h"
#include "journal/Journal.h"
#include "registry/RegistryDataText.h"
#include "resources/resource.h"

namespace {
ValueState StateOf(DWORD type, const void* data, size_t size) {
    ValueState state;
    state.exists = true;
    state.type = type;
    state.data.assign(static_cast<const char*>(data), size);
    return state;
}
ValueState StringState(const std::string& text) { return StateOf(REG_SZ, text.c_str(), text.size() + 1); }
ValueState DwordState(DWORD value) { return StateOf(REG_DWORD, &value, sizeof value); }
ValueState BinaryState(const std::vector<BYTE>& bytes) { return StateOf(REG_BINARY, bytes.data(), bytes.size()); }
}  // namespace

bool CRegistryEditorWnd::writeValue(CRegistryKey& key, const std::string& name, const ValueState& value) {
    const KeyPlace place = keyPlace(m_tree.Selection());
    if (!journaled(JournalValueChange(place.root, place.path, name, ReadValueState(key.handle(), name), value)))
        return false;
    const LONG result = key.setValue(name.c_str(), value.type, value.data.data(), static_cast<DWORD>(value.data.size()));
    if (result != ERROR_SUCCESS) reportFailure(result, false);
    return result == ERROR_SUCCESS;
}

void CRegistryEditorWnd::newKey() {
    const HTREEITEM parent = m_tree.Selection();
    if (!parent) return;
    const std::unique_ptr<CRegistryKey> key = openKey(parent);
    if (!checkWritable(*key)) return;
    CNewKeyDlg dialog(key->handle());
    if (dialog.DoModal(hwnd()) != IDOK) return;
    const KeyPlace place = keyPlace(parent);
    if (!journaled(JournalKeyCreate(place.root, place.path + "\\" + dialog.name()))) return;
    const CRegistryKey created(key->handle(), dialog.name().c_str(), true);
    if (!created.handle()) {
        reportFailure(created.status(), false);
        return;
    }
    m_tree.Select(m_tree.InsertItem(parent, dialog.name(), kClosedKey));
}

void CRegistryEditorWnd::newValue(UINT command) {
    if (!m_tree.Selection()) return;
    const std::unique_ptr<CRegistryKey> key = openSelectedKey();
    if (!checkWritable(*key)) return;
    std::string name;
    ValueState value;
    if (command == ID_REGEDIT_NEW_STRING) {
        CEditStringDlg dialog(hwnd(), key->handle());
        if (dialog.DoModal() != IDOK) return;
        name = dialog.name();
        value = StringState(dialog.value());
    } else if (command == ID_REGEDIT_NEW_DWORD) {
        CEditDwordDlg dialog(hwnd(), key->handle());
        if (dialog.DoModal() != IDOK) return;
        name = dialog.name();
        value = DwordState(dialog.value());
    } else {
        CEditBinaryDlg dialog(hwnd(), key->handle());
        if (dialog.DoModal() != IDOK) return;
        name = dialog.name();
        value = BinaryState(dialog.data());
    }
    if (!writeValue(*key, name, value)) return;
    const int row = m_list.InsertRow(m_list.RowCount(), name, value.type == REG_SZ ? kStringValue : kOtherValue);
    m_list.SetText(row, 1, ValueDataText(value.type, value.data));
}

// A value of any type but string and double word is edited as binary, and written back as
// binary only when its bytes changed: OK on an unchanged value writes nothing, so its type stays.
void CRegistryEditorWnd::modify() {
    const int row = m_list.FocusedRow();
    if (row < 0 || !m_tree.Selection()) return;
    const std::unique_ptr<CRegistryKey> key = openSelectedKey();
    if (!checkWritable(*key)) return;
    const std::string name = m_list.Text(row, 0);
    RegistryValueInfo info;
    // A value deleted behind the editor's back is not written again: the list shows it gone.
    if (key->queryValueInfo(name.c_str(), info) != ERROR_SUCCESS) {
        showValues(m_tree.Selection());
        return;
    }
    ValueState edited;
    LONG result = ERROR_SUCCESS;
    if (info.type == REG_SZ) {
        std::string value;
        key->getString(name.c_str(), value);
        CEditStringDlg dialog(hwnd(), name, value);
        if (dialog.DoModal() != IDOK || dialog.value() == value) return;
        edited = StringState(dialog.value());
    } else if (info.type == REG_DWORD) {
        const DWORD value = key->getDword(name.c_str());
        CEditDwordDlg dialog(hwnd(), name, value);
        if (dialog.DoModal() != IDOK || dialog.value() == value) return;
        edited = DwordState(dialog.value());
    } else {
        std::vector<BYTE> data(info.size);
        DWORD size = info.size;
        result = key->getBinary(name.c_str(), data.data(), size);
        data.resize(size < data.size() ? size : data.size());
        if (result == ERROR_SUCCESS) {
            CEditBinaryDlg dialog(hwnd(), name, data.data(), static_cast<DWORD>(data.size()));
            if (dialog.DoModal() != IDOK || dialog.data() == data) return;
            edited = BinaryState(dialog.data());
        }
    }
    if (result != ERROR_SUCCESS) {
        reportFailure(result, false);
        return;
    }
    if (!writeValue(*key, name, edited)) return;
    m_list.SetText(row, 1, ValueDataText(edited.type, edited.data));
}
