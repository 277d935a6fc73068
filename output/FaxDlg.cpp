#include "output/FaxDlg.h"

#include "framework/Font.h"
#include "framework/MessageBox.h"
#include "registry/SettingsStore.h"
#include "resources/resource.h"

namespace {
constexpr int kNumberLimit = 48;
constexpr int kDetailsLimit = 4096;
}  // namespace

CFaxDlg::CFaxDlg() : CDialog(IDD_FAX) {}

bool CFaxDlg::Ask(HWND owner, FaxRequest& request) {
    if (DoModal(owner) != IDOK) return false;
    request = m_request;
    return true;
}

BOOL CFaxDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    item(IDC_FAX_NUMBER_LABEL).setFont(fw::BoldFontLike(hwnd()));
    item(IDC_FAX_DETAILS_LABEL).setFont(fw::BoldFontLike(hwnd()));
    item(IDC_FAX_NUMBER).send(EM_LIMITTEXT, kNumberLimit);
    item(IDC_FAX_DETAILS).send(EM_LIMITTEXT, kDetailsLimit);
    CSettingsKey general(SETTINGS_GENERAL);
    std::string number;
    if (general.valueExists(GENERAL_TECH_SUPPORT_NUMBER)) general.getString(GENERAL_TECH_SUPPORT_NUMBER, number);
    item(IDC_FAX_NUMBER).setText(number);
    SetFocus(item(number.empty() ? IDC_FAX_NUMBER : IDC_FAX_DETAILS));
    return FALSE;  // the focus is set
}

void CFaxDlg::OnOK() {
    m_request.number = item(IDC_FAX_NUMBER).text();
    m_request.details = item(IDC_FAX_DETAILS).text();
    if (m_request.details.empty()) return refuse(IDC_FAX_DETAILS);
    if (m_request.number.empty()) return refuse(IDC_FAX_NUMBER);
    CSettingsKey(SETTINGS_GENERAL).setString(GENERAL_TECH_SUPPORT_NUMBER, m_request.number.c_str());
    EndDialog(IDOK);
}

void CFaxDlg::refuse(int id) {
    fw::ShowMessage(hwnd(), IDS_REQUIRED_MISSING, MB_OK | MB_ICONEXCLAMATION);
    SetFocus(item(id));
}
