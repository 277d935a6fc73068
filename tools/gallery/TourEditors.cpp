// The tour's scenes in the editors: the Registry page and the registry editor, the System Editor
// page and the text editor.
#include <windows.h>
#include <commctrl.h>
#include <dlgs.h>

#include <cstdio>
#include <cwchar>

#include "driver/Driver.h"
#include "gallery/Remote.h"
#include "gallery/Tour.h"
#include "resources/resource.h"

namespace gallery {

namespace {
constexpr DWORD kWindowMs = 10000;
constexpr int kFindText = edt1;  // the find dialog's text field
constexpr int kFontName = cmb1;  // the font dialog's list of fonts
}  // namespace

void Tour::registryPage(HWND page) {
    HWND tree = GetDlgItem(page, IDC_REGPAGE_TREE);
    // A number with a range in Ravelin's user settings: refused out of range, then changed.
    HTREEITEM value = TreeItemByPath(tree, {"Ravelin Fax", "Ravelin user settings", "Redial attempts"});
    HTREEITEM other = TreeItemByPath(tree, {"Ravelin Fax", "Ravelin user settings", "Station identifier"});
    if (!value || !other) {
        m_camera.Missed("registry-page-changed", "no \"Redial attempts\" under Ravelin's user settings");
        return;
    }
    SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(value));
    HWND edit = GetDlgItem(page, IDC_REGPAGE_EDIT);
    drive::SetText(edit, "99");
    PostMessageA(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(other));
    message("message-value-out-of-range", IDS_VALUE_BETWEEN, IDOK);
    drive::SetText(edit, "7");
    Settle(m_wizard);
    m_camera.Shoot(m_wizard, "registry-page-changed");

    drive::Click(page, IDC_REGPAGE_ADVANCED);
    message("message-save-registry", IDS_SAVE_REGISTRY, IDNO);
    HWND editor = WaitFrame(m_pid, kWindowMs);
    if (!editor) {
        m_camera.Missed("registry-editor", "Advanced... opened no editor");
        return;
    }
    registryEditor(editor);
    PostMessageA(editor, WM_CLOSE, 0, 0);
    WaitGone(editor, kWindowMs);
    drive::WaitFor([&]() -> HWND { return IsWindowEnabled(m_wizard) ? m_wizard : nullptr; }, kWindowMs);
}

void Tour::find(HWND frame, UINT findCommand, const std::string& text, const std::string& name) {
    command(frame, findCommand);
    HWND box = WaitDialogWith(m_pid, kFindText, kWindowMs);
    if (!box) {
        m_camera.Missed(name.empty() ? "find" : name, "the Find dialog did not come");
        return;
    }
    drive::SetText(GetDlgItem(box, kFindText), text);
    if (!name.empty()) {
        Settle(box);
        m_camera.ShootWithMenu(frame, box, name);  // the dialog over its window
    }
    drive::Click(box, IDOK);
    // One editor closes the dialog on a find, the other keeps it for Find Next.
    Sleep(300);
    if (!drive::WaitForMessageBox(m_pid, 0).window) cancel(box);
}

void Tour::valueDialog(HWND frame, const std::string& value, int controlId, const std::string& name) {
    // Back to the first key, where the search then starts (a refresh keeps the selected key).
    HWND tree = GetDlgItem(frame, IDC_REGEDIT_TREE);
    const LPARAM first = SendMessageA(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0);
    SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, first);
    find(frame, ID_REGEDIT_FIND, value, "");
    command(frame, ID_REGEDIT_MODIFY);
    cancel(dialog(controlId, name));
}

void Tour::registryEditor(HWND frame) {
    HWND tree = GetDlgItem(frame, IDC_REGEDIT_TREE);
    HWND list = GetDlgItem(frame, IDC_REGEDIT_LIST);
    menuBar(frame, 'f', "registry-editor-menu-file");
    find(frame, ID_REGEDIT_FIND, "StationId", "registry-editor-find");
    Settle(frame);
    m_camera.Shoot(frame, "registry-editor");

    command(frame, ID_REGEDIT_MODIFY);
    cancel(dialog(IDC_STRING_VALUE, "registry-editor-edit-string"));
    POINT point{};
    const int row = static_cast<int>(SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED));
    if (row >= 0 && ListItemCentre(list, row, point))
        contextMenu(frame, list, point, "registry-editor-context-entry");
    else
        m_camera.Missed("registry-editor-context-entry", "no value row found");
    RECT below{};
    GetClientRect(list, &below);
    point = {below.right / 2, below.bottom - 8};
    ClientToScreen(list, &point);
    contextMenu(frame, list, point, "registry-editor-context-no-entry");
    command(frame, ID_REGEDIT_DELETE);  // the focused value, answered No
    message("message-delete-entry", IDS_CONFIRM_DELETE_ENTRY, IDNO);

    const auto key = reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
    if (key && TreeItemCentre(tree, key, point)) {
        contextMenu(frame, tree, point, "registry-editor-context-key");
        command(frame, ID_REGEDIT_DELETE);  // the key the menu was for, answered No
        message("message-delete-key", IDS_CONFIRM_DELETE_KEY, IDNO);
    } else {
        m_camera.Missed("registry-editor-context-key", "no selected key");
    }

    valueDialog(frame, "Retries", IDC_DWORD_VALUE, "registry-editor-edit-dword");
    valueDialog(frame, "GalleryLogo", IDC_BINARY_DATA, "registry-editor-edit-binary");
    command(frame, ID_REGEDIT_NEW_STRING);  // a name that is taken
    if (HWND box = WaitDialogWith(m_pid, IDC_STRING_NAME, kWindowMs)) {
        drive::SetText(GetDlgItem(box, IDC_STRING_NAME), "GalleryLogo");
        drive::Click(box, IDOK);
        message("message-entry-exists", IDS_ENTRY_EXISTS, IDOK);
        cancel(box);
    }
    command(frame, ID_REGEDIT_NEW_KEY);
    cancel(dialog(IDC_NEW_KEY_NAME, "registry-editor-new-key"));
    find(frame, ID_REGEDIT_FIND, "NoValueIsCalledThis", "");
    message("message-registry-editor-no-matches", IDS_REGEDIT_NO_MATCHES, IDOK);

    // One change made, listed by Undo changes and taken back: the demo's registry stays as it was.
    command(frame, ID_REGEDIT_NEW_STRING);
    if (HWND box = WaitDialogWith(m_pid, IDC_STRING_NAME, kWindowMs)) {
        drive::SetText(GetDlgItem(box, IDC_STRING_NAME), "GalleryUndo");
        drive::SetText(GetDlgItem(box, IDC_STRING_VALUE), "taken back");
        drive::Click(box, IDOK);
        WaitGone(box, kWindowMs);
    }
    command(frame, ID_REGEDIT_UNDO_CHANGES);
    if (HWND box = dialog(IDC_UNDO_LIST, "undo-changes")) {
        drive::Click(box, IDYES);
        message("message-undo-done", IDS_UNDO_DONE, IDOK);
    }
}

void Tour::chooseFile(HWND page, const std::string& file) {
    HWND combo = GetDlgItem(page, IDC_SYSEDIT_FILE);
    const int count = static_cast<int>(SendMessageW(combo, CB_GETCOUNT, 0, 0));
    for (int index = 0; index < count; ++index) {
        wchar_t text[MAX_PATH] = {};
        if (SendMessageW(combo, CB_GETLBTEXTLEN, index, 0) >= MAX_PATH) continue;
        SendMessageW(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text));
        std::string name;
        for (const wchar_t* c = text; *c; ++c) name += static_cast<char>(*c);
        if (lstrcmpiA(name.c_str(), file.c_str()) != 0) continue;
        SendMessageW(combo, CB_SETCURSEL, index, 0);
        PostMessageA(page, WM_COMMAND, MAKEWPARAM(IDC_SYSEDIT_FILE, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
        return;
    }
    m_camera.Missed("system-editor " + file, "the page does not list it");
}

void Tour::systemEditor(HWND page) {
    // The gallery's own files in the Windows folder (set up by the driver): one with a NUL
    // byte, one to change, one that is missing.
    chooseFile(page, "zke2e.txt");
    message("message-system-file-read-only", IDS_SYSEDIT_NUL_READ_ONLY, IDOK);
    Settle(m_wizard);
    m_camera.Shoot(m_wizard, "system-editor-read-only");
    chooseFile(page, "zke2e.ini");
    Settle(page);
    HWND edit = GetDlgItem(page, IDC_SYSEDIT_TEXT);
    const LRESULT end = SendMessageA(edit, WM_GETTEXTLENGTH, 0, 0);
    SendMessageA(edit, EM_SETSEL, end, end);
    SendMessageA(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>("; changed by the gallery\r\n"));
    chooseFile(page, "zke2e-missing.ini");
    message("message-save-system-file", IDS_SAVE_WITH_BACKUP, IDYES);
    message("message-old-file-saved", IDS_OLD_FILE_SAVED, IDOK);
    Settle(m_wizard);
    m_camera.Shoot(m_wizard, "system-editor-missing-file");
}

void Tour::textEditor(HWND frame) {
    Settle(frame);
    m_camera.Shoot(frame, "text-editor");
    menuBar(frame, 'e', "text-editor-menu-edit");
    find(frame, ID_EDITOR_FIND, "Ravelin", "text-editor-find");
    Settle(frame);
    m_camera.Shoot(frame, "text-editor-found");
    find(frame, ID_EDITOR_FIND, "NothingIsCalledThis", "");
    message("message-text-editor-no-matches", IDS_EDITOR_NO_MATCHES, IDOK);
    command(frame, ID_EDITOR_FONT);
    cancel(dialog(kFontName, "text-editor-font"));
    PostMessageA(frame, WM_CLOSE, 0, 0);
    if (!WaitGone(frame, kWindowMs / 2) && strayMessage()) WaitGone(frame, kWindowMs);
}

}  // namespace gallery
