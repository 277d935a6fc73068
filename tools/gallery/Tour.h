// One session of Zelkor walked by the gallery: every wizard page of a Custom session with every
// test, the Registry page and the registry editor, the System Editor page, User Info, the last
// page with Print, Fax and the text editor, and the message boxes on the way. A window that does
// not come is noted and the tour goes on; every wait is bounded.
#pragma once
#include <windows.h>

#include <string>

#include "gallery/Camera.h"

namespace gallery {

class Tour {
public:
    Tour(Camera& camera, DWORD pid) : m_camera(camera), m_pid(pid) {}
    // False when the wizard never appeared.
    bool Walk();

private:
    // Waits for a message box, saves it as NAME and answers it; false when none came. A text
    // other than the expected one (from the string table) is reported.
    bool message(const std::string& name, UINT expected, int answer);
    // Saves and answers a message box that no scene asked for; false when there is none.
    bool strayMessage();
    // Until the wizard is usable again or a dialog asks the user, saving each status window on the way.
    void watch(DWORD timeoutMs);
    // A dialog of the program that waits for the user (not the wizard, not a status window).
    HWND waitingDialog() const;
    // Waits for the dialog that holds controlId and saves it; null (noted) when it does not come.
    HWND dialog(int controlId, const std::string& name);
    void cancel(HWND dialog);
    // Opens a menu of the frame's menu bar by its key, saves it with the frame, closes it.
    void menuBar(HWND frame, char key, const std::string& name);
    // Right-clicks a control of the frame at a point on the screen and saves the menu.
    void contextMenu(HWND frame, HWND control, POINT screen, const std::string& name);
    void closeMenu(HWND owner, HWND menu);
    void command(HWND window, UINT id) const { PostMessageA(window, WM_COMMAND, id, 0); }

    void welcome(HWND page);
    void selectEverything(HWND page);
    void registryPage(HWND page);
    void registryEditor(HWND frame);
    void find(HWND frame, UINT command, const std::string& text, const std::string& name);
    void valueDialog(HWND frame, const std::string& value, int controlId, const std::string& name);
    void systemEditor(HWND page);
    void chooseFile(HWND page, const std::string& file);
    void userInfo(HWND info);
    void lastPage(HWND page);
    void confirmFilledIn(HWND box, const std::string& name);
    void print(HWND page);
    void fax(HWND page);
    // The support e-mail dialog, filled in and handed to the mail-client simulator.
    void mail(HWND page);
    // The Save As dialog of Save a copy (cancelled), and the page with the details hidden.
    void saveCopy(HWND page);
    void hideDetails(HWND page);
    void textEditor(HWND frame);

    Camera& m_camera;
    DWORD m_pid;
    HWND m_wizard = nullptr;
};

}  // namespace gallery
