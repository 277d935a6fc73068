#include "wizard/WizardPage.h"

#include <process.h>

#include <new>
#include <string>

#include "framework/DialogTemplate.h"
#include "framework/ErrorText.h"
#include "framework/MessageBox.h"
#include "framework/StringTable.h"
#include "framework/Trace.h"
#include "log/LogFile.h"
#include "resources/resource.h"
#include "wizard/TaskRunner.h"
#include "zelkor_pages.h"

namespace {
// Pages lose their frame and caption and become disabled control-parent children.
constexpr DWORD kChildStyleMask = 0x7F3BFFFF;
constexpr DWORD kChildStyleBits = WS_CHILD | WS_DISABLED | DS_CONTROL;

// Only inside a catch handler: the system's text for a want of memory, or what was thrown.
std::string CaughtFailureText() {
    try {
        throw;
    } catch (const std::bad_alloc&) {
        return ErrorText(ERROR_NOT_ENOUGH_MEMORY);
    } catch (...) {
        return fw::DescribeCaughtException();
    }
}
}  // namespace

CWizardPage::CWizardPage(UINT templateId, bool persistent)
    : CWizardPage(nullptr, templateId, nullptr, persistent) {}

CWizardPage::CWizardPage(HMODULE module, UINT templateId, DLGPROC dialogProc, bool persistent)
    : CDialog(nullptr, module ? module : GetModuleHandleA(nullptr)),
      m_dialogProc(dialogProc),
      m_template(module, templateId, MAKEINTRESOURCEA(5)),
      m_persistent(persistent) {}

CWizardPage::~CWizardPage() {
    DestroyPage();
    if (m_taskThread) CloseHandle(m_taskThread);
}

bool CWizardPage::CreatePage(HWND wizard) {
    m_childTemplate = fw::CopyTemplateWithStyle(m_template.data(), m_template.size(), kChildStyleMask,
                                                kChildStyleBits, 0);
    const DLGTEMPLATE* childTemplate = fw::AsTemplate(m_childTemplate);
    if (!childTemplate) return false;
    if (m_dialogProc) {
        HWND hwnd = CreateDialogIndirectParamA(m_template.module(), childTemplate, wizard, m_dialogProc, 0);
        if (!hwnd) return false;
        Attach(hwnd);
    } else {
        SetTemplate(childTemplate, m_template.module());
        if (!Create(wizard)) return false;
    }
    m_created = true;
    return true;
}

void CWizardPage::DestroyPage() {
    if (!m_created) return;
    m_created = false;
    Destroy();
}

INT_PTR CWizardPage::DialogProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case ZKPM_NEXT:
        return Answer(PageOpNext());
    case ZKPM_BACK:
        return Answer(PageOpBack());
    case ZKPM_WRITELOG:
        PageOpWriteLog();
        return Answer(0);
    case ZKPM_ACTIVATE:
        PageOpActivate();
        return Answer(0);
    case ZKPM_DEACTIVATE:
        PageOpDeactivate();
        return Answer(0);
    case ZKPM_REMOVE:
        PageOpRemove();
        return Answer(0);
    case ZKPM_TASKDONE:
        PageOpTaskDone();
        return Answer(0);
    case ZKPM_CONTINUE:
        PageOpContinue();
        return Answer(0);
    default:
        return CDialog::DialogProc(message, wParam, lParam);
    }
}

unsigned __stdcall CWizardPage::TaskThreadProc(void* page) {
    CWizardPage& self = *static_cast<CWizardPage*>(page);
    try {
        self.PageOpRunTask();
    } catch (...) {
        // A failed job still ends like any other, so the wizard gets its buttons back; a log it
        // was writing says that it stops here.
        fw::TraceCaughtException("CWizardPage::TaskThreadProc");
        MarkLogIncomplete(fw::FormattedString(IDS_JOB_FAILED, CaughtFailureText().c_str()).c_str());
    }
    self.m_tasks->End();
    return 0;
}

bool CWizardPage::StartPageTask() {
    if (!m_tasks) return false;
    if (m_taskThread) CloseHandle(m_taskThread);
    m_taskThread = reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, TaskThreadProc, this, 0, nullptr));
    if (!m_taskThread) {
        fw::ShowMessage(hwnd(), ErrorText(GetLastError()), MB_OK | MB_ICONSTOP);
        return false;
    }
    m_tasks->Begin(m_taskThread);
    return true;
}
