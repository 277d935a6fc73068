#include "output/DiagnosticsCompletePage.h"

#include <commdlg.h>

#include <cstdio>

#include "controls/IconButton.h"
#include "editors/TextEditorWnd.h"
#include "framework/ErrorText.h"
#include "framework/StringTable.h"
#include "log/LogFile.h"
#include "output/FaxDlg.h"
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
    RunJob(Job::Generate);
}

void CDiagnosticsCompletePage::RunJob(Job job) {
    m_job = job;
    if (StartPageTask()) return;
    // Without a task thread the job runs here, without the chance to stop it, rather than leaving
    // the log or the document open and unfinished.
    PageOpRunTask();
    PageOpTaskDone();
}

// Runs on the task thread. Every page writes its part of the log on the wizard's thread, in page
// order, through a synchronous message; printing draws from here on the started document.
void CDiagnosticsCompletePage::PageOpRunTask() {
    switch (m_job) {
    case Job::Generate:
        if (CWizardDlg* frame = wizard()) {
            for (size_t i = 0; i < frame->pageCount(); ++i)
                if (HWND page = frame->page(i)->hwnd()) SendMessageA(page, ZKPM_WRITELOG, 0, 0);
        }
        break;
    case Job::Print:
        m_printer.PrintLog(LogFileName());
        break;
    case Job::Fax:
        if (SendMessageA(hwnd(), ZKPM_FAX_CONNECT, 0, 0)) m_printer.PrintLog(LogFileName());
        ZKUpdateStatus(IDS_STATUS_DISCONNECTING, nullptr);
        break;
    }
}

void CDiagnosticsCompletePage::PageOpTaskDone() {
    if (m_job == Job::Generate) ShowLogResult(CommitLogFile());
    if (m_job == Job::Fax) DisconnectFaxProgram(TheFaxProgram());
    ZKEndStatus();
}

INT_PTR CDiagnosticsCompletePage::DialogProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == ZKPM_FAX_CONNECT) return Answer(ConnectForFax());
    return CWizardPage::DialogProc(message, wParam, lParam);
}

void CDiagnosticsCompletePage::PrintCommand() {
    PRINTDLGA dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = hwnd();
    dialog.hInstance = GetModuleHandleA(nullptr);
    dialog.Flags = PD_ENABLEPRINTTEMPLATE | PD_RETURNDC;
    dialog.lpPrintTemplateName = MAKEINTRESOURCEA(IDD_PRINT);
    if (PrintDlgA(&dialog) && dialog.hDC) {
        if (m_printer.StartLogDocument(dialog.hDC)) {
            ZKBeginStatus(IDI_PRINT, IDS_STATUS_PRINTING, nullptr);
            RunJob(Job::Print);
        }
    }
    GlobalFree(dialog.hDevMode);
    GlobalFree(dialog.hDevNames);
}

void CDiagnosticsCompletePage::FaxCommand() {
    if (!CFaxDlg().Ask(wizard() ? wizard()->hwnd() : hwnd(), m_fax)) return;
    ZKBeginStatus(IDI_FAX, IDS_STATUS_CONNECTING, nullptr);
    RunJob(Job::Fax);
}

bool CDiagnosticsCompletePage::ConnectForFax() {
    HDC printer = nullptr;
    if (!ConnectFaxProgram(TheFaxProgram(), m_fax) || !(printer = CreateFaxPrinterDC())) {
        ZKMessageBox(IDS_FAX_CONNECT_FAILED, MB_OK | MB_ICONEXCLAMATION, nullptr);
        return false;
    }
    if (!m_printer.StartLogDocument(printer)) return false;
    ZKUpdateStatus(IDS_STATUS_FAXING, nullptr);
    return true;
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

// Each action's title and description grey with its button.
void CDiagnosticsCompletePage::EnableLogActions(bool enable) {
    struct Action {
        int button, title, text;
        bool available;
    };
    const Action actions[] = {
        {IDC_COMPLETE_VIEW, IDC_COMPLETE_VIEW_TITLE, IDC_COMPLETE_VIEW_TEXT, true},
        {IDC_COMPLETE_FAX, IDC_COMPLETE_FAX_TITLE, IDC_COMPLETE_FAX_TEXT, m_faxProgramFound},
        {IDC_COMPLETE_PRINT, IDC_COMPLETE_PRINT_TITLE, IDC_COMPLETE_PRINT_TEXT, true},
    };
    for (const Action& action : actions)
        for (int id : {action.button, action.title, action.text}) item(id).enable(enable && action.available);
}

bool CDiagnosticsCompletePage::OnCommand(WORD id, WORD code, HWND control) {
    if (id == IDC_COMPLETE_VIEW) {
        EditTextFile(wizard()->hwnd(), LogFileName(), fw::LoadedString(IDS_VIEW_LOG_TITLE).c_str(), false);
        return true;
    }
    if (id == IDC_COMPLETE_PRINT) {
        PrintCommand();
        return true;
    }
    if (id == IDC_COMPLETE_FAX) {
        FaxCommand();
        return true;
    }
    return CWizardPage::OnCommand(id, code, control);
}
