// The status window: a small captionless pop-up with an icon and one line of text, shown over
// the wizard (which it disables) while long work runs. One at a time; the code that opens it
// closes it.
#include <windows.h>

#include <atomic>
#include <functional>

#include "framework/Dialog.h"
#include "resources/resource.h"
#include "wizard/WizardDlg.h"
#include "zelkor.h"

namespace {

class CStatusWindow : public fw::CDialog {
public:
    CStatusWindow() : CDialog(IDD_STATUS) {}

    bool Open(HWND owner, HICON icon, LPCSTR text) {
        if (!Create(owner)) return false;
        m_owner = owner;
        centreOverOwner();
        item(IDC_STATUS_TEXT).setText(text ? text : "");
        item(IDC_STATUS_ICON).send(STM_SETICON, reinterpret_cast<WPARAM>(icon));
        m_ownerWasEnabled = owner && EnableWindow(owner, FALSE) == FALSE;
        window().show(SW_SHOW);
        return true;
    }

    void Close() {
        Destroy();
        if (m_ownerWasEnabled) EnableWindow(m_owner, TRUE);
        if (m_owner) SetForegroundWindow(m_owner);
    }

private:
    void centreOverOwner() {
        RECT area{};
        if (!m_owner || !GetWindowRect(m_owner, &area)) SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
        const RECT own = window().windowRect();
        SetWindowPos(hwnd(), nullptr, area.left + (fw::width(area) - fw::width(own)) / 2,
                     area.top + (fw::height(area) - fw::height(own)) / 2, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }

    HWND m_owner = nullptr;
    bool m_ownerWasEnabled = false;
};

// Opened and closed on the wizard's thread only; updates may come from the task thread.
std::atomic<CStatusWindow*> g_status{nullptr};

HWND wizardWindow() {
    CWizardDlg* wizard = CWizardDlg::Active();
    return wizard ? wizard->hwnd() : nullptr;
}

// Windows belong to the thread that creates them: a background thread's request to open or
// close the status window is carried out by the wizard's thread, which it waits for.
void runOnWizardThread(const std::function<void()>& work) {
    HWND wizard = wizardWindow();
    if (wizard && GetWindowThreadProcessId(wizard, nullptr) != GetCurrentThreadId())
        SendMessageA(wizard, CWizardDlg::WM_RUN_ON_WIZARD_THREAD, 0, reinterpret_cast<LPARAM>(&work));
    else
        work();
}

void closeStatus() {
    if (CStatusWindow* status = g_status.exchange(nullptr)) {
        status->Close();
        delete status;
    }
}

}  // namespace

void WINAPI ZKBeginStatus(UINT iconId, LPCSTR text, HMODULE module) {
    runOnWizardThread([&] {
        // A second opening replaces the first, so that the wizard's own state is kept once.
        closeStatus();
        HICON icon = LoadIconA(module ? module : GetModuleHandleA(nullptr), MAKEINTRESOURCEA(LOWORD(iconId)));
        auto* status = new CStatusWindow;
        if (status->Open(wizardWindow(), icon, text))
            g_status = status;
        else
            delete status;
    });
}

void WINAPI ZKBeginStatus(UINT iconId, UINT stringId, HMODULE module) {
    ZKBeginStatus(iconId, ZKLoadString(stringId, module), module);
}

void WINAPI ZKUpdateStatus(LPCSTR text) {
    // Sent, not posted: a caller on the task thread waits until the wizard's thread has the text.
    if (CStatusWindow* status = g_status.load())
        status->item(IDC_STATUS_TEXT).send(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text ? text : ""));
}

void WINAPI ZKUpdateStatus(UINT stringId, HMODULE module) { ZKUpdateStatus(ZKLoadString(stringId, module)); }

void WINAPI ZKEndStatus() { runOnWizardThread(closeStatus); }
