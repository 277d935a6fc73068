#include "output/UserInfoDlg.h"

#include "framework/Font.h"
#include "registry/SettingsStore.h"
#include "resources/resource.h"

namespace {

struct DetailField {
    int editId;
    int labelId;
    UINT settingId;
    std::string UserDetails::*member;
};

constexpr DetailField kFields[] = {
    {IDC_USER_NAME, IDC_USER_NAME_LABEL, GENERAL_USER_NAME, &UserDetails::name},
    {IDC_USER_COMPANY, IDC_USER_COMPANY_LABEL, GENERAL_USER_COMPANY, &UserDetails::company},
    {IDC_USER_PHONE, IDC_USER_PHONE_LABEL, GENERAL_USER_PHONE, &UserDetails::phone},
    {IDC_USER_FAX, IDC_USER_FAX_LABEL, GENERAL_USER_FAX, &UserDetails::fax},
};

}  // namespace

UserDetails LoadUserDetails() {
    UserDetails details;
    CSettingsKey general(SETTINGS_GENERAL);
    for (const DetailField& field : kFields)
        if (general.valueExists(field.settingId)) general.getString(field.settingId, details.*field.member);
    return details;
}

CUserInfoDlg::CUserInfoDlg() : CDialog(IDD_USER_INFO) {}

UserDetails CUserInfoDlg::Ask(HWND owner) {
    m_details = LoadUserDetails();
    DoModal(owner);
    return m_details;
}

BOOL CUserInfoDlg::OnInitDialog() {
    for (const DetailField& field : kFields) item(field.labelId).setFont(fw::BoldFontLike(hwnd()));
    return CDialog::OnInitDialog();
}

void CUserInfoDlg::DoDataExchange(fw::DataExchange& exchange) {
    for (const DetailField& field : kFields) exchange.text(field.editId, m_details.*field.member);
}

void CUserInfoDlg::OnOK() {
    if (!UpdateData(true)) return;
    CSettingsKey general(SETTINGS_GENERAL);
    for (const DetailField& field : kFields) general.setString(field.settingId, (m_details.*field.member).c_str());
    EndDialog(IDOK);
}
