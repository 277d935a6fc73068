// A top-level frame window with a menu, accelerators and a status bar whose message pane shows
// the prompt of the highlighted menu item. It runs modally over its owner in a loop of its own.
// Commands are checked before they run: a disabled one is ignored, also from an accelerator,
// and the items of a menu are enabled or greyed from the same answers as the menu opens.
#pragma once
#include <windows.h>

#include <string>

#include "framework/Handles.h"
#include "framework/StatusBar.h"
#include "framework/Window.h"

namespace fw {

class CFrameWnd {
public:
    CFrameWnd() = default;
    virtual ~CFrameWnd();
    CFrameWnd(const CFrameWnd&) = delete;
    CFrameWnd& operator=(const CFrameWnd&) = delete;

    // At the default position and size; menuId 0 for none. False when the window or its menu
    // cannot be created, or OnCreate refuses.
    bool Create(const std::string& title, DWORD style, DWORD exStyle, HWND owner, UINT menuId);
    bool LoadAcceleratorTable(UINT id);
    void DestroyWindow();
    HWND hwnd() const { return m_hwnd; }
    WindowRef window() const { return WindowRef(m_hwnd); }

    // Disables the owner (null: none), runs messages until EndModalLoop, then gives the owner
    // back its enabled state and the foreground. The window is shown when the loop first idles.
    int RunModalLoop(HWND owner);
    void EndModalLoop(int result);

protected:
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam);
    virtual bool OnCreate() { return true; }
    // A size change, after the status bar has followed it.
    virtual void OnSize(UINT, int, int) {}
    virtual void OnClose() { EndModalLoop(0); }
    // A command of the menu or an accelerator that is enabled, or a control's notification.
    // Return true when handled.
    virtual bool OnCommand(WORD, WORD, HWND) { return false; }
    virtual bool IsCommandEnabled(UINT) const { return true; }
    // A message of the loop before it is dispatched; true when it was used up.
    virtual bool PreTranslateMessage(MSG& message);

    // The status bar whose message pane shows menu prompts (the strings with the commands' ids).
    void UseMessageBar(CStatusBar& bar) { m_messageBar = &bar; }
    // The client area above the status bar.
    RECT FreeArea() const;

private:
    static LRESULT CALLBACK StaticProc(HWND, UINT, WPARAM, LPARAM);
    void enableMenuItems(HMENU menu);
    void showMenuPrompt(UINT item, UINT flags, HMENU menu);

    HWND m_hwnd = nullptr;
    UniqueAccelerators m_accelerators;
    CStatusBar* m_messageBar = nullptr;
    bool m_inModalLoop = false;
    int m_modalResult = 0;
};

}  // namespace fw
