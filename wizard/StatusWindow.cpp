#include "wizard/StatusWindow.h"

#include "framework/Dialog.h"
#include "framework/StringTable.h"
#include "resources/resource.h"
#include "wizard/WizardDlg.h"

namespace {

class CStatusWindow : public fw::CDialog {
public:
    CStatusWindow() : CDialog(IDD_STATUS) {}

    bool Open(HWND owner, HICON icon, const std::string& text) {
        if (!Create(owner)) return false;
        m_owner = owner;
        item(IDC_STATUS_ICON).send(STM_SETICON, reinterpret_cast<WPARAM>(icon));
        // The template makes room for the Cancel button under the line: kept for OfferCancel.
        RECT client{};
        GetClientRect(hwnd(), &client);
        m_buttonRow = client.bottom - item(IDCANCEL).rectInParent().top;
        resize(0, -m_buttonRow);
        SetText(text);
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
    void SetText(const std::string& text) {
        fw::WindowRef label = item(IDC_STATUS_TEXT);
        label.setText(text);
        widenToFit(label);
        centreOverOwner();
    }

    void OfferCancel(std::atomic<bool>& cancelled) {
        if (m_cancelled) return;
        m_cancelled = &cancelled;
        fw::WindowRef button = item(IDCANCEL);
        RECT place = button.rectInParent();
        RECT client{};
        GetClientRect(hwnd(), &client);
        OffsetRect(&place, (fw::width(client) - fw::width(place)) / 2 - place.left, 0);  // centred under a wider line
        button.move(place);
        resize(0, m_buttonRow);
        button.show(SW_SHOW);
        centreOverOwner();
    }

protected:
    // Cancel (or Esc) only when the work offered it; the window itself never closes that way.
    void OnCancel() override {
        if (!m_cancelled || *m_cancelled) return;
        *m_cancelled = true;
        item(IDCANCEL).enable(false);
        SetText(fw::LoadedString(IDS_STATUS_CANCELLING));
    }

private:
    void resize(int extraWidth, int extraHeight) {
        const RECT frame = window().windowRect();
        SetWindowPos(hwnd(), nullptr, 0, 0, fw::width(frame) + extraWidth, fw::height(frame) + extraHeight,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }

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
        resize(extra, 0);
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
    int m_buttonRow = 0;
    std::atomic<bool>* m_cancelled = nullptr;
};

// Used by the wizard's thread only.
CStatusWindow* g_status = nullptr;

void RunOnWizardThread(const std::function<void()>& work) {
    if (CWizardDlg* wizard = CWizardDlg::Active())
        wizard->RunOnOwnThread(work);
    else
        work();
}

void CloseStatus() {
    if (CStatusWindow* status = g_status) {
        g_status = nullptr;
        status->Close();
        delete status;
    }
}

}  // namespace

void BeginStatus(UINT iconId, const std::string& text, HMODULE module) {
    RunOnWizardThread([&] {
        // Closed first, so that the wizard's own state is kept once.
        CloseStatus();
        HICON icon = LoadIconA(module ? module : GetModuleHandleA(nullptr), MAKEINTRESOURCEA(LOWORD(iconId)));
        auto* status = new CStatusWindow;
        if (status->Open(CWizardDlg::ActiveWindow(), icon, text))
            g_status = status;
        else
            delete status;
    });
}

void UpdateStatus(const std::string& text) {
    RunOnWizardThread([&] {
        if (g_status) g_status->SetText(text);
    });
}

void OfferStatusCancel(std::atomic<bool>& cancelled) {
    RunOnWizardThread([&] {
        if (g_status) g_status->OfferCancel(cancelled);
    });
}

void EndStatus() { RunOnWizardThread(CloseStatus); }
