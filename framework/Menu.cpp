#include "framework/Menu.h"

namespace fw {

bool CMenu::Load(UINT id) {
    m_menu.reset(LoadMenuA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id)));
    return m_menu.valid();
}

void SetMenuItemText(HMENU menu, UINT id, const std::string& text) {
    MENUITEMINFOA item{};
    item.cbSize = sizeof item;
    item.fMask = MIIM_STRING;
    item.dwTypeData = const_cast<char*>(text.c_str());
    SetMenuItemInfoA(menu, id, FALSE, &item);
}

void TrackPopup(HMENU popup, POINT screen, HWND owner, UINT defaultId) {
    if (!popup) return;
    if (defaultId) SetMenuDefaultItem(popup, defaultId, FALSE);
    TrackPopupMenu(popup, TPM_LEFTALIGN | TPM_RIGHTBUTTON, screen.x, screen.y, 0, owner, nullptr);
}

}  // namespace fw
