// The gallery's camera: saves windows of Zelkor under names of their own, finds them by their
// control ids with bounded waits, and keeps the list of what never showed.
#pragma once
#include <windows.h>

#include <set>
#include <string>
#include <vector>

namespace gallery {

// "Save changes?" -> "save-changes": lower case, words joined by hyphens, at most 48 characters.
std::string Slug(const std::string& text);

// The visible top-level dialog of the process that holds that control; null when none does.
HWND DialogWith(DWORD pid, int controlId);
HWND WaitDialogWith(DWORD pid, int controlId, DWORD timeoutMs);
// The visible frame window (registry or text editor) of the process.
HWND WaitFrame(DWORD pid, DWORD timeoutMs);
// The open menu of the process (menus are top-level windows of their own class).
HWND WaitMenu(DWORD pid, DWORD timeoutMs);
bool WaitGone(HWND window, DWORD timeoutMs);
// Lets a window of another process work through its messages and paint.
void Settle(HWND window);

class Camera {
public:
    // directory: where NAME.bmp goes; zelkor: Zelkor.exe, whose string table names what is expected.
    Camera(std::string directory, const std::string& zelkor);
    ~Camera();
    Camera(const Camera&) = delete;
    Camera& operator=(const Camera&) = delete;

    bool Shoot(HWND window, const std::string& name);
    // A window with its open menu (or another window over it).
    bool ShootWithMenu(HWND window, HWND menu, const std::string& name);
    // Notes a window that did not show and why; the gallery goes on.
    void Missed(const std::string& name, const std::string& why);
    // A text of the program's string table, up to its first placeholder.
    std::string Expected(UINT id) const;

    int saved() const { return static_cast<int>(m_saved.size()); }
    const std::vector<std::string>& missed() const { return m_missed; }
    bool has(const std::string& name) const { return m_saved.count(name) != 0; }

private:
    // The area of the screen where window shows.
    bool save(HWND window, const RECT& area, const std::string& name);

    std::string m_directory;
    HMODULE m_zelkor;
    std::set<std::string> m_saved;
    std::vector<std::string> m_missed;
};

}  // namespace gallery
