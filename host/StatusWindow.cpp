// The status window: a small captionless pop-up with an icon and one line of text, shown over
// the wizard (which it disables) while long work runs. One at a time; the code that opens it
// closes it.
#include <windows.h>

#include <string>

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
        SetText(text);
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

    // The line is shown whole and the window stays centred over the wizard.
    void SetText(LPCSTR text) {
        fw::WindowRef label = item(IDC_STATUS_TEXT);
        label.setText(text ? text : "");
        widenToFit(label);
        centreOverOwner();
    }

private:
    // The line is never cut: a text wider than its place widens the window (it never shrinks).
    void widenToFit(fw::WindowRef label) {
        const std::string text = label.text();
        RECT needed{};
        HDC dc = GetDC(label);
        HGDIOBJ oldFont = SelectObject(dc, reinterpret_cast<HGDIOBJ>(label.send(WM_GETFONT)));
        DrawTextA(dc, text.c_str(), -1, &needed, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
        SelectObject(dc, oldFont);
        ReleaseDC(label, dc);
        const RECT place = label.rectInParent();
        const int extra = fw::width(needed) - fw::width(place);
        if (extra <= 0) return;
        label.move({place.left, place.top, place.right + extra, place.bottom});
        const RECT frame = window().windowRect();
        SetWindowPos(hwnd(), nullptr, 0, 0, fw::width(frame) + extra, fw::height(frame),
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        // What was the frame's edge is now inside the line: paint all of it again.
        RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    }

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

// Used by the wizard's thread only: a background thread's opening, update or closing is carried
// out there while it waits, so no thread ever reaches a window that another has deleted.
CStatusWindow* g_status = nullptr;

void runOnWizardThread(const std::function<void()>& work) {
    if (CWizardDlg* wizard = CWizardDlg::Active())
        wizard->RunOnOwnThread(work);
    else
        work();
}

void closeStatus() {
    if (CStatusWindow* status = g_status) {
        g_status = nullptr;
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
        if (status->Open(CWizardDlg::ActiveWindow(), icon, text))
            g_status = status;
        else
            delete status;
    });
}

void WINAPI ZKBeginStatus(UINT iconId, UINT stringId, HMODULE module) {
    ZKBeginStatus(iconId, ZKLoadString(stringId, module), module);
}

void WINAPI ZKUpdateStatus(LPCSTR text) {
    runOnWizardThread([text] {
        if (g_status) g_status->SetText(text);
    });
}

void WINAPI ZKUpdateStatus(UINT stringId, HMODULE module) { ZKUpdateStatus(ZKLoadString(stringId, module)); }

void WINAPI ZKEndStatus() { runOnWizardThread(closeStatus); }
