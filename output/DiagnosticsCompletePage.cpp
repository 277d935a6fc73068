#include "output/DiagnosticsCompletePage.h"

#include <commdlg.h>

#include <new>

#include "controls/IconButton.h"
#include "editors/TextEditorWnd.h"
#include "framework/ErrorText.h"
#include "framework/Font.h"
#include "framework/MessageBox.h"
#include "framework/StringTable.h"
#include "journal/Journal.h"
#include "journal/UndoChanges.h"
#include "log/Findings.h"
#include "log/LogCopy.h"
#include "log/LogFile.h"
#include "log/LogWriter.h"
#include "log/HiddenLog.h"
#include "output/FaxDlg.h"
#include "output/MailDlg.h"
#include "output/SaveCopyDlg.h"
#include "resources/resource.h"
#include "wizard/StatusWindow.h"
#include "wizard/WizardDlg.h"
#include "zelkor_pages.h"

namespace {

// A saved log's findings are counted on the result's second line; an unsaved log lists none.
std::string WithFindingsCount(const std::string& firstLine) {
    const std::string found = FindingsCountLine(SessionFindings().Counts());
    return found.empty() ? firstLine : firstLine + "\r\n" + found;
}

}  // namespace

// The box holds two lines; a longer text (a long path, the reason the log is incomplete, the
// findings) scrolls, with a scroll bar only then.
void CDiagnosticsCompletePage::ShowResult(const std::string& text) {
    const fw::WindowRef box = item(IDC_COMPLETE_RESULT);
    box.setText(text);
    // Scrolled as far as it goes, the box shows its last line: any line above it is out of sight.
    const LRESULT lines = box.send(EM_GETLINECOUNT);
    box.send(EM_LINESCROLL, 0, lines);
    const bool scrolls = box.send(EM_GETFIRSTVISIBLELINE) > 0;
    ShowScrollBar(box, SB_VERT, scrolls);
    box.send(EM_LINESCROLL, 0, -lines);
}

CDiagnosticsCompletePage::CDiagnosticsCompletePage() : CWizardPage(IDD_DIAGNOSTICS_COMPLETE, true) {}

BOOL CDiagnosticsCompletePage::OnInitDialog() {
    for (int title : {IDC_COMPLETE_VIEW_TITLE, IDC_COMPLETE_FAX_TITLE, IDC_COMPLETE_PRINT_TITLE, IDC_COMPLETE_MAIL_TITLE})
        item(title).setFont(fw::BoldFontLike(hwnd()));
    const HINSTANCE program = GetModuleHandleA(nullptr);
    InitIconButton(hwnd(), IDC_COMPLETE_VIEW, MAKEINTRESOURCEA(IDI_ZELKOR), program);
    InitIconButton(hwnd(), IDC_COMPLETE_FAX, MAKEINTRESOURCEA(IDI_FAX), program);
    InitIconButton(hwnd(), IDC_COMPLETE_PRINT, MAKEINTRESOURCEA(IDI_PRINT), program);
    InitIconButton(hwnd(), IDC_COMPLETE_MAIL, MAKEINTRESOURCEA(IDI_MAIL), program);
    m_faxProgramFound = FindFaxProgram();
    EnableLogActions(false);  // nothing to act on before a log has been generated
    return CWizardPage::OnInitDialog();
}

BOOL CDiagnosticsCompletePage::PageOpBack() {
    if (CWizardDlg* frame = wizard()) frame->SetFinishMode(false);
    return TRUE;
}

void CDiagnosticsCompletePage::PageOpActivate() { GenerateLogFile(); }

CDiagnosticsCompletePage::~CDiagnosticsCompletePage() { ForgetOriginalLog(LogFileName()); }

// The log stays open from its header to the end of the sweep and is put in place only then:
// until that moment the previous log, if any, is the one under the log's name.
void CDiagnosticsCompletePage::GenerateLogFile() {
    if (CWizardDlg* frame = wizard()) frame->SetFinishMode(true);
    EnableLogActions(false);
    ShowResult("");
    // A new log is whole: its details are shown until the box is ticked again.
    CheckDlgButton(hwnd(), IDC_COMPLETE_HIDE_DETAILS, BST_UNCHECKED);
    ForgetOriginalLog(LogFileName());
    // Nobody is there to type the details: those saved by the last session go in, as Escape does.
    m_user = wizard()->session().unattendedRun() ? LoadUserDetails() : CUserInfoDlg().Ask(hwnd());
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
            LogUnattendedMessages(frame->session().TakeMessages());
        }
        break;
    case Job::Print:
        PrintLog();
        break;
    case Job::Fax:
        if (SendMessageA(hwnd(), ZKPM_FAX_CONNECT, 0, 0)) PrintLog();
        UpdateStatus(fw::LoadedString(IDS_STATUS_DISCONNECTING));
        break;
    case Job::Mail:
        m_mailed = SendLogByMail(m_mail, owner());
        break;
    case Job::SaveCopy:
        m_copyError = CopyWholeLog(LogFileName(), m_copyPath);
        break;
    case Job::HideDetails:
        try {
            m_hideError = HideDetailsInLog(LogFileName());
        } catch (const std::bad_alloc&) {
            m_hideError = ERROR_NOT_ENOUGH_MEMORY;
        }
        break;
    case Job::RestoreDetails:
        m_hideError = RestoreHiddenDetails(LogFileName());
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
    if (m_job == Job::SaveCopy) ShowCopyResult();
    if (m_job == Job::Mail) ShowMailResult();
    if (m_job == Job::HideDetails || m_job == Job::RestoreDetails) ShowHideResult();
    if (m_job != Job::Generate && m_printed.outcome == PrintOutcome::Refused) TellPrintRefused(m_printed.error);
    if (m_job != Job::Generate && m_printed.outcome == PrintOutcome::Unreadable)
        TellFailure(fw::FormattedString(IDS_PRINT_LOG_UNREADABLE, ErrorText(m_printed.error).c_str()));
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
    if (!CFaxDlg().Ask(owner(), m_fax)) return;
    BeginStatus(IDI_FAX, fw::LoadedString(IDS_STATUS_CONNECTING));
    RunJob(Job::Fax);
}

// The client is looked for first: without one, MAPI itself would answer with a dialog of its own.
void CDiagnosticsCompletePage::MailCommand() {
    if (!HasMailClient()) return TellFailure(fw::LoadedString(IDS_MAIL_NO_CLIENT));
    if (!CMailDlg().Ask(owner(), m_mail.address)) return;
    m_mail.subject = m_user.name.empty() ? fw::LoadedString(IDS_FAX_DOC_NAME)
                                         : fw::FormattedString(IDS_MAIL_SUBJECT, m_user.name.c_str());
    m_mail.body = fw::LoadedString(IDS_MAIL_BODY);
    m_mail.logPath = LogFileName();
    m_mail.attachmentName = fw::LoadedString(IDS_MAIL_ATTACHMENT);
    BeginStatus(IDI_MAIL, fw::LoadedString(IDS_STATUS_MAILING));
    RunJob(Job::Mail);
}

// A client that refused or never answered is told; the log stays as it is, ready for another way.
void CDiagnosticsCompletePage::ShowMailResult() {
    switch (m_mailed.outcome) {
    case MailOutcome::Sent:
        ShowResult(WithFindingsCount(fw::FormattedString(IDS_MAIL_SENT, m_mail.address.c_str())));
        break;
    case MailOutcome::Cancelled:
        break;
    case MailOutcome::NoClient:
        TellFailure(fw::LoadedString(IDS_MAIL_NO_CLIENT));
        break;
    case MailOutcome::Refused:
        TellFailure(fw::FormattedString(IDS_MAIL_REFUSED, m_mailed.code));
        break;
    case MailOutcome::NoAnswer:
        TellFailure(fw::FormattedString(IDS_MAIL_NO_ANSWER, kMailAnswerLimitMs / 1000));
        break;
    }
}

void CDiagnosticsCompletePage::SaveCopyCommand() {
    m_copyPath = AskCopyPath(owner());
    if (m_copyPath.empty()) return;
    BeginStatus(IDI_ZELKOR, fw::LoadedString(IDS_STATUS_SAVING_COPY));
    RunJob(Job::SaveCopy);
}

// The result text names the copy; a copy that failed is told with the system's reason, and any
// earlier file under that name is as it was.
void CDiagnosticsCompletePage::ShowCopyResult() {
    if (m_copyError == ERROR_SUCCESS) {
        ShowResult(WithFindingsCount(fw::FormattedString(IDS_COPY_SAVED_AS, m_copyPath.c_str())));
        return;
    }
    TellFailure(fw::FormattedString(IDS_COPY_NOT_SAVED, m_copyPath.c_str(), ErrorText(m_copyError).c_str()));
}

void CDiagnosticsCompletePage::HideDetailsCommand() {
    const bool hide = IsDlgButtonChecked(hwnd(), IDC_COMPLETE_HIDE_DETAILS) == BST_CHECKED;
    BeginStatus(IDI_ZELKOR, fw::LoadedString(hide ? IDS_STATUS_HIDING : IDS_STATUS_RESTORING));
    RunJob(hide ? Job::HideDetails : Job::RestoreDetails);
}

// A rewrite that failed left the log as it was: the box says again what the log holds.
void CDiagnosticsCompletePage::ShowHideResult() {
    const bool hid = m_job == Job::HideDetails;
    if (m_hideError == ERROR_SUCCESS) return;
    CheckDlgButton(hwnd(), IDC_COMPLETE_HIDE_DETAILS, hid ? BST_UNCHECKED : BST_CHECKED);
    TellFailure(fw::FormattedString(hid ? IDS_DETAILS_NOT_HIDDEN : IDS_DETAILS_NOT_RESTORED,
                                    ErrorText(m_hideError).c_str()));
}

// What the page asks and tells is owned by the wizard, whose frame stays while dialogs come and go.
HWND CDiagnosticsCompletePage::owner() const { return wizard() ? wizard()->hwnd() : hwnd(); }

void CDiagnosticsCompletePage::TellFailure(const std::string& text) {
    fw::ShowMessage(owner(), text, MB_OK | MB_ICONEXCLAMATION);
}

bool CDiagnosticsCompletePage::ConnectForFax() {
    HDC printer = nullptr;
    if (!ConnectFaxProgram(TheFaxProgram(), m_fax) || !(printer = CreateFaxPrinterDC())) {
        TellFailure(fw::LoadedString(IDS_FAX_CONNECT_FAILED));
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
    TellFailure(fw::FormattedString(IDS_PRINT_REFUSED, ErrorText(error).c_str()));
}

// What the run's message boxes would have said, after everything else.
void CDiagnosticsCompletePage::LogUnattendedMessages(const std::vector<std::string>& messages) {
    if (messages.empty()) return;
    LogSection(fw::LoadedString(IDS_UNATTENDED_MESSAGES));
    for (const std::string& message : messages) {
        LogWrite(message);
        LogWrite("\r\n\r\n");
    }
}

void CDiagnosticsCompletePage::ShowLogResult(bool saved) {
    if (CWizardDlg* frame = wizard()) frame->session().logSaved = saved;
    std::string text;
    const std::string incomplete = LogIncompleteReason();
    if (saved) {
        text = incomplete.empty() ? fw::FormattedString(IDS_LOG_SAVED_AS, LogFileName())
                                  : fw::FormattedString(IDS_LOG_SAVED_INCOMPLETE, LogFileName(), incomplete.c_str());
        text = WithFindingsCount(text);
    } else {
        text = fw::FormattedString(IDS_LOG_NOT_SAVED, LogFileName(), ErrorText(LogFileError()).c_str());
    }
    ShowResult(text);
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
        {IDC_COMPLETE_MAIL, IDC_COMPLETE_MAIL_TITLE, IDC_COMPLETE_MAIL_TEXT, true},
    };
    for (const Action& action : actions)
        for (int id : {action.button, action.title, action.text}) item(id).enable(enable && action.available);
    item(IDC_COMPLETE_SAVE_COPY).enable(enable);
    item(IDC_COMPLETE_HIDE_DETAILS).enable(enable);
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
    if (id == IDC_COMPLETE_MAIL) {
        MailCommand();
        return true;
    }
    if (id == IDC_COMPLETE_SAVE_COPY) {
        SaveCopyCommand();
        return true;
    }
    if (id == IDC_COMPLETE_HIDE_DETAILS && code == BN_CLICKED) {
        HideDetailsCommand();
        return true;
    }
    if (id == IDC_COMPLETE_UNDO) {
        OfferSessionUndo(owner());
        return true;
    }
    return CWizardPage::OnCommand(id, code, control);
}
