// Asks for the support e-mail address, remembered from the last e-mail.
#pragma once
#include <string>

#include "framework/Dialog.h"

class CMailDlg : public fw::CDialog {
public:
    CMailDlg();
    // True when the user confirmed an address; address then holds it.
    bool Ask(HWND owner, std::string& address);

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;

private:
    std::string m_address;
};
