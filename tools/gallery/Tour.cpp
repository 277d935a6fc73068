#include "gallery/Tour.h"

#include <windows.h>

#include <dlgs.h>

#include <cstdio>

#include "driver/Driver.h"
#include "gallery/Remote.h"
#include "resources/resource.h"

namespace gallery {

namespace {
constexpr DWORD kWindowMs = 10000;  // the longest wait for a window that should come at once
constexpr DWORD kWalkMs = 120000;   // the whole walk from Welcome to User Info
}  // namespace

bool Tour::message(const std::string& name, UINT expected, int answer) {
    const drive::MessageBoxSeen box = drive::WaitForMessageBox(m_pid, kWindowMs);
    if (!box.window) {
        m_camera.Missed(name, "the message box did not come");
        return false;
    }
    Settle(box.window);
    m_camera.Shoot(box.window, name);
    const std::string start = m_camera.Expected(expected);
    if (box.text.compare(0, start.size(), start) != 0)
        std::printf("gallery: %s says \"%s\", not \"%s...\"\n", name.c_str(), box.text.c_str(), start.c_str());
    if (!drive::AnswerMessageBox(box, answer)) drive::AnswerMessageBox(box, IDOK);
    WaitGone(box.window, kWindowMs);
    return true;
}

bool Tour::strayMessage() {
    const drive::MessageBoxSeen box = drive::WaitForMessageBox(m_pid, 0);
    if (!box.window) return false;
    Settle(box.window);
    m_camera.Shoot(box.window, "message-" + Slug(box.text));
    std::printf("gallery: a message box came unasked: %s\n", box.text.c_str());
    // Never change the machine: No where there is one.
    for (int answer : {IDNO, IDOK, IDCANCEL})
        if (drive::AnswerMessageBox(box, answer)) break;
    WaitGone(box.window, kWindowMs);
    return true;
}

void Tour::watch(DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    DWORD idleSince = 0;
    while (GetTickCount() - start < timeoutMs) {
        if (HWND status = DialogWith(m_pid, IDC_STATUS_TEXT)) {
            idleSince = 0;
            const std::string name = "status-" + Slug(drive::Text(GetDlgItem(status, IDC_STATUS_TEXT)));
            if (name != "status-" && !m_camera.has(name)) m_camera.Shoot(status, name);
        } else if (strayMessage()) {
            idleSince = 0;
        } else if (waitingDialog()) {
            return;  // a dialog asks the user: the work goes on after it
        } else if (IsWindowEnabled(m_wizard) || !IsWindow(m_wizard)) {
            // Usable for a moment can still be between two steps of the work.
            if (!idleSince) idleSince = GetTickCount();
            if (GetTickCount() - idleSince > 600) return;
        } else {
            idleSince = 0;
        }
        Sleep(10);
    }
    std::printf("gallery: the wizard was still busy after %lu s\n", static_cast<unsigned long>(timeoutMs / 1000));
}

HWND Tour::waitingDialog() const {
    for (HWND window : drive::TopLevelWindows(m_pid, "#32770", nullptr))
        if (window != m_wizard && IsWindowEnabled(window) && !GetDlgItem(window, IDC_STATUS_TEXT)) return window;
    return nullptr;
}

HWND Tour::dialog(int controlId, const std::string& name) {
    HWND found = WaitDialogWith(m_pid, controlId, kWindowMs);
    if (!found) {
        m_camera.Missed(name, "the dialog did not come");
        return nullptr;
    }
    Settle(found);
    m_camera.Shoot(found, name);
    return found;
}

void Tour::cancel(HWND dialog) {
    if (!dialog || !IsWindow(dialog)) return;
    PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    WaitGone(dialog, kWindowMs);
}

void Tour::closeMenu(HWND owner, HWND menu) {
    // WM_CANCELMODE ends the menu's tracking, menu bar and all; Escape is the user's way.
    PostMessageA(owner, WM_CANCELMODE, 0, 0);
    for (int tries = 0; tries < 3; ++tries) {
        if (drive::WaitFor([&]() -> HWND { return IsWindowVisible(menu) ? nullptr : owner; }, 1000)) return;
        PostMessageA(owner, WM_KEYDOWN, VK_ESCAPE, 0);
    }
}

void Tour::menuBar(HWND frame, char key, const std::string& name) {
    PostMessageA(frame, WM_SYSCOMMAND, SC_KEYMENU, key);
    HWND menu = WaitMenu(m_pid, kWindowMs / 2);
    if (!menu) {
        m_camera.Missed(name, "the menu did not open");
        PostMessageA(frame, WM_CANCELMODE, 0, 0);
        return;
    }
    Settle(frame);
    m_camera.ShootWithMenu(frame, menu, name);
    closeMenu(frame, menu);
}

void Tour::contextMenu(HWND frame, HWND control, POINT screen, const std::string& name) {
    PostMessageA(frame, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(control), MAKELPARAM(screen.x, screen.y));
    HWND menu = WaitMenu(m_pid, kWindowMs / 2);
    if (!menu) {
        m_camera.Missed(name, "the context menu did not open");
        return;
    }
    Settle(frame);
    m_camera.ShootWithMenu(frame, menu, name);
    closeMenu(frame, menu);
}

bool Tour::Walk() {
    m_wizard = WaitDialogWith(m_pid, IDC_WIZARD_PAGE_AREA, 30000);
    if (!m_wizard) {
        strayMessage();
        m_camera.Missed("wizard", "the wizard did not appear");
        return false;
    }
    const DWORD start = GetTickCount();
    std::string shown;
    int presses = 0;  // Next pressed on the same page
    while (GetTickCount() - start < kWalkMs && IsWindow(m_wizard)) {
        if (HWND info = DialogWith(m_pid, IDC_USER_NAME)) {
            userInfo(info);
            lastPage(drive::VisibleChildDialog(m_wizard));
            return true;
        }
        if (strayMessage()) continue;
        HWND page = drive::VisibleChildDialog(m_wizard);
        if (!IsWindowEnabled(m_wizard) || !page) {
            watch(kWindowMs);
            continue;
        }
        const std::string title = drive::Text(GetDlgItem(m_wizard, IDC_WIZARD_TITLE));
        if (title != shown) {
            shown = title;
            presses = 0;
            Settle(m_wizard);
            m_camera.Shoot(m_wizard, "wizard-" + Slug(title));
            if (GetDlgItem(page, IDC_WELCOME_CUSTOM)) welcome(page);
            if (GetDlgItem(page, IDC_SELECT_TREE)) selectEverything(page);
            if (GetDlgItem(page, IDC_REGPAGE_TREE)) registryPage(page);
            if (GetDlgItem(page, IDC_SYSEDIT_TEXT)) systemEditor(page);
            if (drive::IsVisible(m_wizard, IDC_WIZARD_CONTINUE) && drive::IsEnabled(m_wizard, IDC_WIZARD_CONTINUE)) {
                // The page waits for Continue to run its test.
                drive::Click(m_wizard, IDC_WIZARD_CONTINUE);
                drive::WaitFor([&]() -> HWND { return drive::IsVisible(m_wizard, IDC_WIZARD_CONTINUE) ? nullptr : m_wizard; },
                               kWindowMs);
                watch(30000);
                Settle(m_wizard);
                m_camera.Shoot(m_wizard, "wizard-" + Slug(title) + "-continued");
            }
        }
        if (++presses > 3 || !drive::IsEnabled(m_wizard, IDC_WIZARD_NEXT)) {
            m_camera.Missed("user-info", "the wizard stays on the page \"" + title + "\"");
            break;
        }
        drive::Click(m_wizard, IDC_WIZARD_NEXT);
        drive::WaitFor(
            [&]() -> HWND {
                const bool moved = drive::Text(GetDlgItem(m_wizard, IDC_WIZARD_TITLE)) != shown;
                return moved || !IsWindowEnabled(m_wizard) || drive::WaitForMessageBox(m_pid, 0).window ||
                               DialogWith(m_pid, IDC_USER_NAME)
                           ? m_wizard
                           : nullptr;
            },
            kWindowMs);
    }
    return true;
}

void Tour::welcome(HWND page) {
    // The question on leaving, answered No: the session goes on.
    drive::Click(m_wizard, IDCANCEL);
    message("message-confirm-quit", IDS_CONFIRM_QUIT, IDNO);
    drive::Click(page, IDC_WELCOME_CUSTOM);
}

void Tour::selectEverything(HWND page) {
    for (int box : {IDC_SELECT_DIAGNOSTICS, IDC_SELECT_REGISTRY, IDC_SELECT_SYSTEM})
        if (SendMessageA(GetDlgItem(page, box), BM_GETCHECK, 0, 0) != BST_CHECKED)
            SendMessageA(GetDlgItem(page, box), BM_CLICK, 0, 0);
    // Every library's box in the tree, clicked as the user would: each checks its tests.
    HWND tree = GetDlgItem(page, IDC_SELECT_TREE);
    const std::vector<HTREEITEM> libraries = TreeRoots(tree);
    for (HTREEITEM library : libraries) {
        POINT box{};
        if (!TreeCheckBoxPoint(tree, library, box)) continue;
        PostMessageA(tree, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(box.x, box.y));
        PostMessageA(tree, WM_LBUTTONUP, 0, MAKELPARAM(box.x, box.y));
        Settle(tree);
    }
    if (!libraries.empty()) SendMessageA(tree, TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(libraries.front()));
    Settle(m_wizard);
    m_camera.Shoot(m_wizard, "wizard-select-diagnostics-all-checked");
}

void Tour::userInfo(HWND info) {
    drive::SetText(GetDlgItem(info, IDC_USER_NAME), "Ada Lovelace");
    drive::SetText(GetDlgItem(info, IDC_USER_COMPANY), "Corvane Demo");
    drive::SetText(GetDlgItem(info, IDC_USER_PHONE), "+1 555 0142");
    drive::SetText(GetDlgItem(info, IDC_USER_FAX), "+1 555 0143");
    confirmFilledIn(info, "user-info");
}

void Tour::lastPage(HWND page) {
    if (!page || !GetDlgItem(page, IDC_COMPLETE_RESULT)) {
        m_camera.Missed("wizard-diagnostics-complete", "the last page did not come");
        return;
    }
    drive::WaitFor([&]() -> HWND { return drive::Text(GetDlgItem(page, IDC_COMPLETE_RESULT)).empty() ? nullptr : page; },
                   60000);
    Settle(m_wizard);
    m_camera.Shoot(m_wizard, "wizard-diagnostics-complete");
    saveCopy(page);
    hideDetails(page);
    print(page);
    fax(page);
    mail(page);
    if (drive::Click(page, IDC_COMPLETE_VIEW)) {
        if (HWND editor = WaitFrame(m_pid, 20000))
            textEditor(editor);
        else
            m_camera.Missed("text-editor", "View Log opened no window of Zelkor (the system's notepad?)");
    }
    watch(kWindowMs);
    drive::Click(m_wizard, IDC_WIZARD_FINISH);
}

void Tour::print(HWND page) {
    if (!drive::IsEnabled(page, IDC_COMPLETE_PRINT)) {
        m_camera.Missed("print", "Print is disabled");
        return;
    }
    drive::Click(page, IDC_COMPLETE_PRINT);
    if (HWND box = dialog(IDC_PRINTER_LIST, "print")) {
        drive::Click(box, IDOK);
        WaitGone(box, kWindowMs);
        watch(60000);
    }
    if (!m_camera.has("status-" + Slug(m_camera.Expected(IDS_STATUS_PRINTING))))
        std::printf("gallery: the status window while printing was too quick to be seen\n");
}

void Tour::fax(HWND page) {
    if (!drive::IsEnabled(page, IDC_COMPLETE_FAX)) {
        m_camera.Missed("fax", "Fax is disabled: Zelkor does not see Ravelin installed");
        return;
    }
    drive::Click(page, IDC_COMPLETE_FAX);
    HWND box = dialog(IDC_FAX_NUMBER, "fax");
    if (!box) return;
    drive::Click(box, IDOK);  // nothing typed yet
    message("message-required-information-missing", IDS_REQUIRED_MISSING, IDOK);
    drive::SetText(GetDlgItem(box, IDC_FAX_NUMBER), "+1 555 0100");
    drive::SetText(GetDlgItem(box, IDC_FAX_DETAILS), "The modem hangs up after the first ring.");
    confirmFilledIn(box, "fax-filled-in");
}

void Tour::mail(HWND page) {
    drive::Click(page, IDC_COMPLETE_MAIL);
    HWND box = dialog(IDC_MAIL_ADDRESS, "mail");
    if (!box) return;
    drive::SetText(GetDlgItem(box, IDC_MAIL_ADDRESS), "support@corvane.example");
    confirmFilledIn(box, "mail-filled-in");
}

void Tour::saveCopy(HWND page) {
    drive::Click(page, IDC_COMPLETE_SAVE_COPY);
    cancel(dialog(cmb13, "save-as"));
}

void Tour::hideDetails(HWND page) {
    drive::Click(page, IDC_COMPLETE_HIDE_DETAILS);
    watch(60000);
    Settle(m_wizard);
    m_camera.Shoot(m_wizard, "wizard-diagnostics-complete-details-hidden");
}

// A dialog the tour has filled in: its picture, then OK and the work that follows.
void Tour::confirmFilledIn(HWND box, const std::string& name) {
    Settle(box);
    m_camera.Shoot(box, name);
    drive::Click(box, IDOK);
    WaitGone(box, kWindowMs);
    watch(60000);
}

}  // namespace gallery
