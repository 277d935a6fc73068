#include "output/MailDlg.h"

#include "framework/Font.h"
#include "framework/MessageBox.h"
#include "registry/SettingsStore.h"
#include "resources/resource.h"

namespace {
constexpr int kAddressLimit = 254;  // the longest address mail can carry
}  // namespace

CMailDlg::CMailDlg() : CDialog(IDD_MAIL) {}

bool CMailDlg::Ask(HWND owner, std::string& address) {
    if (DoModal(owner) != IDOK) return false;
    address = m_address;
    return true;
}

BOOL CMailDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    item(IDC_MAIL_ADDRESS_LABEL).setFont(fw::BoldFontLike(hwnd()));
    item(IDC_MAIL_ADDRESS).send(EM_LIMITTEXT, kAddressLimit);
    CSettingsKey general(SETTINGS_GENERAL);
    std::string address;
    if (general.valueExists(GENERAL_SUPPORT_EMAIL)) general.getString(GENERAL_SUPPORT_EMAIL, address);
    item(IDC_MAIL_ADDRESS).setText(address);
    SetFocus(item(IDC_MAIL_ADDRESS));
    return FALSE;  // the focus is set
}

void CMailDlg::OnOK() {
    m_address = item(IDC_MAIL_ADDRESS).text();
    if (m_address.empty()) {
        fw::ShowMessage(hwnd(), IDS_REQUIRED_MISSING, MB_OK | MB_ICONEXCLAMATION);
        SetFocus(item(IDC_MAIL_ADDRESS));
        return;
    }
    CSettingsKey(SETTINGS_GENERAL).setString(GENERAL_SUPPORT_EMAIL, m_address.c_str());
    EndDialog(IDOK);
}
