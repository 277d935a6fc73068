#include "output/DiagnosticsCompletePage.h"

#include <commdlg.h>

#include "controls/IconButton.h"
#include "editors/TextEditorWnd.h"
#include "framework/ErrorText.h"
#include "framework/Font.h"
#include "framework/MessageBox.h"
#include "framework/StringTable.h"
#include "journal/Journal.h"
#include "journal/UndoChanges.h"
#include "log/Findings.h"
#include "log/LogFile.h"
#include "output/FaxDlg.h"
#include "resources/resource.h"
#include "wizard/StatusWindow.h"
#include "wizard/WizardDlg.h"
#include "zelkor_pages.h"

CDiagnosticsCompletePage::CDiagnosticsCompletePage() : CWizardPage(IDD_DIAGNOSTICS_COMPLETE, true) {}

BOOL CDiagnosticsCompletePage::OnInitDialog() {
    for (int title : {IDC_COMPLETE_VIEW_TITLE, IDC_COMPLETE_FAX_TITLE, IDC_COMPLETE_PRINT_TITLE})
        item(title).setFont(fw::BoldFontLike(hwnd()));
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
    LogSessionChanges();
    BeginStatus(IDI_ZELKOR, fw::LoadedString(IDS_STATUS_GENERATING));
    RunJob(Job::Generate);
}

void CDiagnosticsCompletePage::RunJob(Job job) {
    m_job = job;
    m_printed = {PrintOutcome::Printed, ERROR_SUCCESS};
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
        PrintLog();
        break;
    case Job::Fax:
        if (SendMessageA(hwnd(), ZKPM_FAX_CONNECT, 0, 0)) PrintLog();
        UpdateStatus(fw::LoadedString(IDS_STATUS_DISCONNECTING));
        break;
    }
}

// On the task thread: the pages go out one by one, each shown in the status window, until the
// user cancels.
void CDiagnosticsCompletePage::PrintLog() {
    m_printed = m_printer.PrintLog(LogFileName(), [this](unsigned page, unsigned pages) {
        if (m_cancelPrinting) return false;
        UpdateStatus(fw::FormattedString(IDS_STATUS_PRINTING_PAGE, page, pages));
        return !m_cancelPrinting;
    });
}

void CDiagnosticsCompletePage::PageOpTaskDone() {
    if (m_job == Job::Generate) {
        LogSessionFindings();  // every page has had its say: the findings are complete
        ShowLogResult(CommitLogFile());
    }
    if (m_job == Job::Fax) DisconnectFaxProgram(TheFaxProgram());
    EndStatus();
    if (m_job != Job::Generate && m_printed.outcome == PrintOutcome::Refused) TellPrintRefused(m_printed.error);
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
        if (StartPrinting(dialog.hDC)) {
            BeginStatus(IDI_PRINT, fw::LoadedString(IDS_STATUS_PRINTING));
            OfferStatusCancel(m_cancelPrinting);
            RunJob(Job::Print);
        }
    }
    GlobalFree(dialog.hDevMode);
    GlobalFree(dialog.hDevNames);
}

void CDiagnosticsCompletePage::FaxCommand() {
    if (!CFaxDlg().Ask(wizard() ? wizard()->hwnd() : hwnd(), m_fax)) return;
    BeginStatus(IDI_FAX, fw::LoadedString(IDS_STATUS_CONNECTING));
    RunJob(Job::Fax);
}

bool CDiagnosticsCompletePage::ConnectForFax() {
    HDC printer = nullptr;
    if (!ConnectFaxProgram(TheFaxProgram(), m_fax) || !(printer = CreateFaxPrinterDC())) {
        fw::ShowMessage(wizard() ? wizard()->hwnd() : hwnd(), IDS_FAX_CONNECT_FAILED, MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    if (!StartPrinting(printer)) return false;
    UpdateStatus(fw::LoadedString(IDS_STATUS_FAXING));
    OfferStatusCancel(m_cancelPrinting);
    return true;
}

bool CDiagnosticsCompletePage::StartPrinting(HDC printer) {
    m_cancelPrinting = false;
    if (m_printer.StartLogDocument(printer)) return true;
    TellPrintRefused(GetLastError());
    return false;
}

void CDiagnosticsCompletePage::TellPrintRefused(DWORD error) {
    const std::string text = fw::FormattedString(IDS_PRINT_REFUSED, ErrorText(error).c_str());
    fw::ShowMessage(wizard() ? wizard()->hwnd() : hwnd(), text, MB_OK | MB_ICONEXCLAMATION);
}

// A saved log's findings are counted on a second line; an unsaved log lists none.
void CDiagnosticsCompletePage::ShowLogResult(bool saved) {
    std::string text;
    const std::string incomplete = LogIncompleteReason();
    if (saved) {
        text = incomplete.empty() ? fw::FormattedString(IDS_LOG_SAVED_AS, LogFileName())
                                  : fw::FormattedString(IDS_LOG_SAVED_INCOMPLETE, LogFileName(), incomplete.c_str());
        const std::string found = FindingsCountLine(SessionFindings().Counts());
        if (!found.empty()) text += "\r\n" + found;
    } else {
        text = fw::FormattedString(IDS_LOG_NOT_SAVED, LogFileName(), ErrorText(LogFileError()).c_str());
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
    if (id == IDC_COMPLETE_UNDO) {
        OfferSessionUndo(wizard() ? wizard()->hwnd() : hwnd());
        return true;
    }
    return CWizardPage::OnCommand(id, code, control);
}
