// Asks for the support fax number (remembered from the last fax) and a description of the problem.
#pragma once
#include "framework/Dialog.h"
#include "output/FaxProgram.h"

class CFaxDlg : public fw::CDialog {
public:
    CFaxDlg();
    // True when the user confirmed with both fields filled in; request then holds them.
    bool Ask(HWND owner, FaxRequest& request);

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;

private:
    // Complains with the "required information" message and puts the focus on the field.
    void refuse(int id);

    FaxRequest m_request;
};
