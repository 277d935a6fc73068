#include "output/DiagnosticsCompletePage.h"

#include <cstdio>

#include "controls/IconButton.h"
#include "editors/TextEditorWnd.h"
#include "framework/ErrorText.h"
#include "framework/StringTable.h"
#include "log/LogFile.h"
#include "output/FaxProgram.h"
#include "resources/resource.h"
#include "wizard/WizardDlg.h"
#include "zelkor.h"

CDiagnosticsCompletePage::CDiagnosticsCompletePage() : CWizardPage(IDD_DIAGNOSTICS_COMPLETE, true) {}

BOOL CDiagnosticsCompletePage::OnInitDialog() {
    for (int title : {IDC_COMPLETE_VIEW_TITLE, IDC_COMPLETE_FAX_TITLE, IDC_COMPLETE_PRINT_TITLE})
        item(title).setFont(ZKGetBoldFont());
    const HINSTANCE program = GetModuleHandleA(nullptr);
    InitIconButton(hwnd(), IDC_COMPLETE_VIEW, MAKEINTRESOURCEA(IDI_ZELKOR), program);
    InitIconButton(hwnd(), IDC_COMPLETE_FAX, MAKEINTRESOURCEA(IDI_FAX), program);
    InitIconButton(hwnd(), IDC_COMPLETE_PRINT, MAKEINTRESOURCEA(IDI_PRINT), program);
    m_faxProgramFound = FindFaxProgram();
    EnableLogActions(false);  // nothing to act on before a log has been generated
    return CWizardPage::OnInitDialog();
}

BOOL CDiagnosticsCompletePage::PageOpBack() {
    if (CWizardDlg* frame = wizard()) frame->SetFinishMode(false);
    return TRUE;
}

void CDiagnosticsCompletePage::PageOpActivate() { GenerateLogFile(); }

// The log stays open from its header to the end of the sweep and is put in place only then:
// until that moment the previous log, if any, is the one under the log's name.
void CDiagnosticsCompletePage::GenerateLogFile() {
    if (CWizardDlg* frame = wizard()) frame->SetFinishMode(true);
    EnableLogActions(false);
    item(IDC_COMPLETE_RESULT).setText("");
    m_user = CUserInfoDlg().Ask(hwnd());
    CreateLogFile();
    WriteLogHeader(m_user.name, m_user.company, m_user.phone, m_user.fax);
    ZKBeginStatus(IDI_ZELKOR, IDS_STATUS_GENERATING, nullptr);
    if (StartPageTask()) return;
    // Without a task thread the parts are written here, without the chance to stop them, rather
    // than leaving the log open and unfinished.
    PageOpRunTask();
    PageOpTaskDone();
}

// Runs on the task thread: every page writes its part on the wizard's thread, in page order,
// through a synchronous message.
void CDiagnosticsCompletePage::PageOpRunTask() {
    if (CWizardDlg* frame = wizard()) {
        for (size_t i = 0; i < frame->pageCount(); ++i)
            if (HWND page = frame->page(i)->hwnd()) SendMessageA(page, ZKPM_WRITELOG, 0, 0);
    }
}

void CDiagnosticsCompletePage::PageOpTaskDone() {
    ShowLogResult(CommitLogFile());
    ZKEndStatus();
}

void CDiagnosticsCompletePage::ShowLogResult(bool saved) {
    char text[512];
    if (saved) {
        std::snprintf(text, sizeof text, ZKLoadString(IDS_LOG_SAVED_AS, nullptr), LogFileName());
    } else {
        const std::string reason = ErrorText(LogFileError());
        std::snprintf(text, sizeof text, ZKLoadString(IDS_LOG_NOT_SAVED, nullptr), LogFileName(), reason.c_str());
    }
    item(IDC_COMPLETE_RESULT).setText(text);
    EnableLogActions(saved);
}

void CDiagnosticsCompletePage::EnableLogActions(bool enable) {
    item(IDC_COMPLETE_VIEW).enable(enable);
    item(IDC_COMPLETE_PRINT).enable(enable);
    item(IDC_COMPLETE_FAX).enable(enable && m_faxProgramFound);
}

bool CDiagnosticsCompletePage::OnCommand(WORD id, WORD code, HWND control) {
    if (id == IDC_COMPLETE_VIEW) {
        EditTextFile(wizard()->hwnd(), LogFileName(), fw::LoadedString(IDS_VIEW_LOG_TITLE).c_str(), false);
        return true;
    }
    return CWizardPage::OnCommand(id, code, control);
}
