// Asks for the user's details, offering those saved by the previous run.
#pragma once
#include <string>

#include "framework/Dialog.h"

struct UserDetails {
    std::string name;
    std::string company;
    std::string phone;
    std::string fax;
};

// Reads the details saved in the "General" settings; absent values are empty.
UserDetails LoadUserDetails();

class CUserInfoDlg : public fw::CDialog {
public:
    CUserInfoDlg();
    // Saves the fields and returns them. Escape does the same as OK: what was typed is never lost.
    UserDetails Ask(HWND owner);

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(fw::DataExchange& exchange) override;
    void OnOK() override;
    void OnCancel() override { OnOK(); }

private:
    UserDetails m_details;
};
