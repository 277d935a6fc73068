// The wizard's last page: generates the session log each time it is shown, then offers to view,
// fax, print or e-mail it.
#pragma once
#include <atomic>
#include <string>
#include <vector>

#include "output/FaxProgram.h"
#include "output/LogPrinter.h"
#include "output/MailSender.h"
#include "output/UserInfoDlg.h"
#include "wizard/WizardPage.h"

class CDiagnosticsCompletePage : public CWizardPage {
public:
    CDiagnosticsCompletePage();
    // The log as it was, kept while its details are hidden, goes with the page.
    ~CDiagnosticsCompletePage() override;

    BOOL PageOpBack() override;
    void PageOpActivate() override;
    void PageOpTaskDone() override;
    void PageOpRunTask() override;

protected:
    INT_PTR DialogProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL OnInitDialog() override;
    bool OnCommand(WORD id, WORD code, HWND control) override;

private:
    // What the page's task does: write the log, print it, fax it, e-mail it, save a copy, or hide
    // the personal details in it or put them back.
    enum class Job { Generate, Print, Fax, Mail, SaveCopy, HideDetails, RestoreDetails };

    void GenerateLogFile();
    void PrintCommand();
    void FaxCommand();
    void MailCommand();
    void ShowMailResult();
    void SaveCopyCommand();
    void ShowCopyResult();
    void HideDetailsCommand();
    void ShowHideResult();
    // A failure told over the wizard.
    HWND owner() const;
    void TellFailure(const std::string& text);
    // Runs the job as the page task; without a task thread, here and now.
    void RunJob(Job job);
    // On the wizard's thread, for the fax job: the conversation, the fax printer, the document.
    bool ConnectForFax();
    // Starts the document on the printer; a refusal is told to the user.
    bool StartPrinting(HDC printer);
    // On the task thread, for the print and fax jobs.
    void PrintLog();
    void TellPrintRefused(DWORD error);
    // The result text and the actions after a generation (a saved log marked incomplete says so,
    // with the first reason); the actions only for a saved log.
    void ShowLogResult(bool saved);
    void LogUnattendedMessages(const std::vector<std::string>& messages);
    void EnableLogActions(bool enable);
    // The result text above the actions, readable whatever its length.
    void ShowResult(const std::string& text);

    UserDetails m_user;
    Job m_job = Job::Generate;
    CLogPrinter m_printer;
    std::atomic<bool> m_cancelPrinting{false};  // set by the status window's Cancel
    PrintResult m_printed{PrintOutcome::Printed, ERROR_SUCCESS};
    FaxRequest m_fax;
    bool m_faxProgramFound = false;
    MailRequest m_mail;
    MailResult m_mailed{MailOutcome::Sent, 0};
    std::string m_copyPath;
    DWORD m_copyError = ERROR_SUCCESS;
    DWORD m_hideError = ERROR_SUCCESS;
};
