// Menus loaded from resources and shown as popups.
#pragma once
#include <windows.h>

#include <string>

#include "framework/Handles.h"

namespace fw {

class CMenu {
public:
    bool Load(UINT id);
    HMENU handle() const { return m_menu.get(); }
    // The popup at position of the loaded menu bar (null when there is none).
    HMENU Popup(int position) const { return GetSubMenu(m_menu.get(), position); }

private:
    UniqueMenu m_menu;
};

// Replaces the text of the item with command id, keeping its place and its command.
void SetMenuItemText(HMENU menu, UINT id, const std::string& text);
// Shows popup at the screen point, tracking the right button; its commands go to owner as
// WM_COMMAND, with defaultId (0: none) drawn as the default item.
void TrackPopup(HMENU popup, POINT screen, HWND owner, UINT defaultId);

}  // namespace fw
