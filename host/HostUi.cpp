// Host functions for names, strings, message boxes and the shared bold font.
#include <windows.h>

#include "controls/IconButton.h"
#include "framework/Handles.h"
#include "resources/resource.h"
#include "wizard/WizardDlg.h"
#include "zelkor.h"

LPCSTR WINAPI ZKGetAppName() {
    static char name[256];
    if (!name[0]) LoadStringA(GetModuleHandleA(nullptr), IDS_APP_NAME, name, sizeof name);
    return name;
}

HFONT WINAPI ZKGetBoldFont() {
    static fw::UniqueFont boldFont;  // one font for the whole session, deleted at exit
    if (!boldFont) {
        HFONT base = reinterpret_cast<HFONT>(SendMessageA(CWizardDlg::ActiveWindow(), WM_GETFONT, 0, 0));
        if (!base) base = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
        LOGFONTA description{};
        if (GetObjectA(base, sizeof description, &description) == 0) return nullptr;
        description.lfWeight = FW_BOLD;
        boldFont.reset(CreateFontIndirectA(&description));
    }
    return boldFont.get();
}

LPCSTR WINAPI ZKLoadString(UINT id, HMODULE module) {
    static char buffer[256];
    if (LoadStringA(module ? module : GetModuleHandleA(nullptr), id, buffer, sizeof buffer) <= 0) buffer[0] = '\0';
    return buffer;
}

int WINAPI ZKMessageBox(LPCSTR text, UINT style) { return MessageBoxA(CWizardDlg::ActiveWindow(), text, ZKGetAppName(), style); }

int WINAPI ZKMessageBox(UINT stringId, UINT style, HMODULE module) {
    return ZKMessageBox(ZKLoadString(stringId, module), style);
}

BOOL WINAPI ZKInitIconButton(HWND dialog, int controlId, LPCSTR iconName, HINSTANCE module) {
    return InitIconButton(dialog, controlId, iconName, module);
}

BOOL WINAPI ZKInitIconButton(HWND dialog, int controlId, UINT iconId, HINSTANCE module) {
    return InitIconButton(dialog, controlId, MAKEINTRESOURCEA(iconId), module);
}
