#include "output/DiagnosticsCompletePage.h"

#include <cstdio>

#include "log/LogFile.h"
#include "output/FaxProgram.h"
#include "resources/resource.h"
#include "wizard/WizardDlg.h"
#include "zelkor.h"

namespace {
void setButtonIcon(fw::WindowRef page, int buttonId, UINT iconId) {
    HICON icon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(iconId));
    page.item(buttonId).send(BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon));
}
}  // namespace

CDiagnosticsCompletePage::CDiagnosticsCompletePage() : CWizardPage(IDD_DIAGNOSTICS_COMPLETE, true) {}

BOOL CDiagnosticsCompletePage::OnInitDialog() {
    for (int title : {IDC_COMPLETE_VIEW_TITLE, IDC_COMPLETE_FAX_TITLE, IDC_COMPLETE_PRINT_TITLE})
        item(title).setFont(ZKGetBoldFont());
    setButtonIcon(window(), IDC_COMPLETE_VIEW, IDI_ZELKOR);
    setButtonIcon(window(), IDC_COMPLETE_FAX, IDI_FAX);
    setButtonIcon(window(), IDC_COMPLETE_PRINT, IDI_PRINT);
    item(IDC_COMPLETE_FAX).enable(FindFaxProgram());
    return CWizardPage::OnInitDialog();
}

BOOL CDiagnosticsCompletePage::PageOpBack() {
    if (CWizardDlg* frame = wizard()) frame->SetFinishMode(false);
    return TRUE;
}

void CDiagnosticsCompletePage::PageOpActivate() { GenerateLogFile(); }

void CDiagnosticsCompletePage::GenerateLogFile() {
    if (CWizardDlg* frame = wizard()) frame->SetFinishMode(true);
    m_user = CUserInfoDlg().Ask(hwnd());
    CreateLogFile();
    WriteLogHeader(m_user.name, m_user.company, m_user.phone, m_user.fax);
    CloseLogFile();
    ZKBeginStatus(IDI_ZELKOR, IDS_STATUS_GENERATING, nullptr);
    m_job = GenerateLog;
    if (!StartPageTask()) ZKEndStatus();
}

void CDiagnosticsCompletePage::PageOpRunTask() {
    if (m_job == GenerateLog) SweepPages();
}

// Runs on the task thread: every page writes its part on the wizard's thread, in page order,
// through a synchronous message.
void CDiagnosticsCompletePage::SweepPages() {
    OpenLogFile(true);
    if (CWizardDlg* frame = wizard()) {
        for (size_t i = 0; i < frame->pageCount(); ++i)
            if (HWND page = frame->page(i)->hwnd()) SendMessageA(page, ZKPM_WRITELOG, 0, 0);
    }
    CloseLogFile();
}

void CDiagnosticsCompletePage::PageOpTaskDone() {
    if (m_job == GenerateLog) {
        char text[512];
        std::snprintf(text, sizeof text, ZKLoadString(IDS_LOG_SAVED_AS, nullptr), LogFileName());
        item(IDC_COMPLETE_RESULT).setText(text);
    }
    ZKEndStatus();
}

bool CDiagnosticsCompletePage::OnCommand(WORD id, WORD code, HWND control) {
    if (id == IDC_COMPLETE_VIEW) {
        ZKTextEdit(LogFileName(), ZKLoadString(IDS_VIEW_LOG_TITLE, nullptr), FALSE);
        return true;
    }
    return CWizardPage::OnCommand(id, code, control);
}
