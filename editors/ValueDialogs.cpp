#include "editors/ValueDialogs.h"

#include <cstring>
#include <utility>

#include "controls/BinEdit.h"
#include "editors/DwordText.h"
#include "editors/EditorSettingsIds.h"
#include "framework/DataExchange.h"
#include "framework/MessageBox.h"
#include "framework/StringTable.h"
#include "registry/RegistryKey.h"
#include "registry/SettingsStore.h"
#include "resources/resource.h"

namespace {

// The base in which Edit DWORD opens; the dialog never writes it back.
DWORD savedDwordBase() {
    const CSettingsKey settings(SETTINGS_REGISTRY_EDITOR);
    return settings.valueExists(REGISTRY_EDITOR_DWORD_BASE) ? settings.getDword(REGISTRY_EDITOR_DWORD_BASE) : 0;
}

}  // namespace

void RefuseEntry(HWND dialog, fw::DataExchange& exchange, UINT messageId, int id) {
    fw::ShowMessage(dialog, messageId, MB_OK | MB_ICONEXCLAMATION);
    exchange.fail(id);
}

CValueDialog::CValueDialog(UINT templateId, int nameId, HWND parent, std::string name, HKEY clashKey)
    : CDialog(templateId), m_parent(parent), m_nameId(nameId), m_name(std::move(name)), m_clashKey(clashKey) {}

INT_PTR CValueDialog::DoModal() { return CDialog::DoModal(m_parent); }

BOOL CValueDialog::OnInitDialog() {
    CDialog::OnInitDialog();
    CentreOverOwner();
    if (!m_clashKey) return TRUE;
    // A new value: the name is the user's to type, and typed first.
    const fw::WindowRef name = item(m_nameId);
    name.send(EM_SETREADONLY, FALSE);
    SetWindowLongA(name, GWL_STYLE, GetWindowLongA(name, GWL_STYLE) | WS_TABSTOP);
    SetFocus(name);
    return FALSE;
}

void CValueDialog::exchangeName(fw::DataExchange& exchange) {
    exchange.text(m_nameId, m_name);
    if (exchange.saving() && m_clashKey && CRegistryKey(m_clashKey, false).valueExists(m_name.c_str()))
        RefuseEntry(hwnd(), exchange, IDS_ENTRY_EXISTS, m_nameId);
}

CEditStringDlg::CEditStringDlg(HWND parent, const std::string& name, const std::string& value)
    : CValueDialog(IDD_EDIT_STRING, IDC_STRING_NAME, parent, name, nullptr), m_value(value) {}

CEditStringDlg::CEditStringDlg(HWND parent, HKEY clashKey)
    : CValueDialog(IDD_EDIT_STRING, IDC_STRING_NAME, parent, "", clashKey) {}

void CEditStringDlg::DoDataExchange(fw::DataExchange& exchange) {
    exchangeName(exchange);
    exchange.text(IDC_STRING_VALUE, m_value);
}

CEditDwordDlg::CEditDwordDlg(HWND parent, const std::string& name, DWORD value)
    : CValueDialog(IDD_EDIT_DWORD, IDC_DWORD_NAME, parent, name, nullptr), m_value(value), m_base(savedDwordBase()) {}

CEditDwordDlg::CEditDwordDlg(HWND parent, HKEY clashKey)
    : CValueDialog(IDD_EDIT_DWORD, IDC_DWORD_NAME, parent, "", clashKey), m_base(savedDwordBase()) {}

BOOL CEditDwordDlg::OnInitDialog() {
    if (m_base != kHex) m_base = kDecimal;
    CheckRadioButton(hwnd(), IDC_DWORD_DECIMAL, IDC_DWORD_HEX, m_base == kHex ? IDC_DWORD_HEX : IDC_DWORD_DECIMAL);
    return CValueDialog::OnInitDialog();
}

void CEditDwordDlg::DoDataExchange(fw::DataExchange& exchange) {
    exchangeName(exchange);
    std::string text = DwordText(m_value, m_base == kHex);
    exchange.text(IDC_DWORD_VALUE, text);
    if (!exchange.saving()) return;
    DWORD typed = 0;
    if (!(m_base == kHex ? ParseHexDword(text, typed) : fw::ParseUnsignedDecimal(text, typed)))
        RefuseEntry(hwnd(), exchange, IDS_POSITIVE_NUMBER, IDC_DWORD_VALUE);
    m_value = typed;
}

bool CEditDwordDlg::OnCommand(WORD id, WORD code, HWND control) {
    if ((id != IDC_DWORD_DECIMAL && id != IDC_DWORD_HEX) || code != BN_CLICKED)
        return CValueDialog::OnCommand(id, code, control);
    const DWORD chosen = id == IDC_DWORD_HEX ? kHex : kDecimal;
    if (chosen == m_base) return true;
    // The value is read in the old base before it is shown in the new one.
    if (UpdateData(true)) {
        m_base = chosen;
        UpdateData(false);
    } else {
        CheckRadioButton(hwnd(), IDC_DWORD_DECIMAL, IDC_DWORD_HEX, m_base == kHex ? IDC_DWORD_HEX : IDC_DWORD_DECIMAL);
    }
    return true;
}

CEditBinaryDlg::CEditBinaryDlg(HWND parent, const std::string& name, const void* data, DWORD size)
    : CValueDialog(IDD_EDIT_BINARY, IDC_BINARY_NAME, parent, name, nullptr) {
    if (data && size) m_data.assign(static_cast<const BYTE*>(data), static_cast<const BYTE*>(data) + size);
    RegisterBinEditClass();
}

CEditBinaryDlg::CEditBinaryDlg(HWND parent, HKEY clashKey)
    : CValueDialog(IDD_EDIT_BINARY, IDC_BINARY_NAME, parent, "", clashKey) {
    RegisterBinEditClass();
}

void CEditBinaryDlg::DoDataExchange(fw::DataExchange& exchange) {
    exchangeName(exchange);
    const fw::WindowRef bytes = item(IDC_BINARY_DATA);
    if (!exchange.saving()) {
        bytes.send(BEM_SETDATA, m_data.size(), reinterpret_cast<LPARAM>(m_data.data()));
        return;
    }
    m_data.assign(static_cast<size_t>(bytes.send(BEM_GETSIZE)), 0);
    HLOCAL buffer = reinterpret_cast<HLOCAL>(bytes.send(BEM_GETDATA));
    if (m_data.empty() || !buffer) return;
    if (const void* held = LocalLock(buffer)) {
        std::memcpy(m_data.data(), held, m_data.size());
        LocalUnlock(buffer);
    }
}

CNewKeyDlg::CNewKeyDlg(HKEY parentKey) : CDialog(IDD_NEW_KEY), m_parentKey(parentKey) {}

BOOL CNewKeyDlg::OnInitDialog() {
    CentreOverOwner();
    return CDialog::OnInitDialog();
}

void CNewKeyDlg::DoDataExchange(fw::DataExchange& exchange) {
    exchange.text(IDC_NEW_KEY_NAME, m_name);
    // Opened for reading only, so that the test works on keys the user may not change; an empty
    // name opens the parent itself and is refused the same way.
    if (exchange.saving() && CRegistryKey(m_parentKey, false).subkeyExists(m_name.c_str()))
        RefuseEntry(hwnd(), exchange, IDS_KEY_EXISTS, IDC_NEW_KEY_NAME);
}
