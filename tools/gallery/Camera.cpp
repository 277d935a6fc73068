#include "gallery/Camera.h"

#include <cctype>
#include <cstdio>
#include <fstream>
#include <iterator>

#include "driver/Driver.h"

namespace gallery {

std::string Slug(const std::string& text) {
    std::string slug;
    for (char c : text) {
        if (std::isalnum(static_cast<unsigned char>(c)))
            slug += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        else if (!slug.empty() && slug.back() != '-')
            slug += '-';
        if (slug.size() >= 48) break;
    }
    while (!slug.empty() && slug.back() == '-') slug.pop_back();
    return slug;
}

namespace {
std::string ReadAll(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

HWND FirstTopLevel(DWORD pid, const char* className) {
    const std::vector<HWND> windows = drive::TopLevelWindows(pid, className, nullptr);
    return windows.empty() ? nullptr : windows.front();
}
}  // namespace

HWND DialogWith(DWORD pid, int controlId) {
    for (HWND window : drive::TopLevelWindows(pid, "#32770", nullptr))
        if (GetDlgItem(window, controlId)) return window;
    return nullptr;
}

HWND WaitDialogWith(DWORD pid, int controlId, DWORD timeoutMs) {
    return drive::WaitFor([&] { return DialogWith(pid, controlId); }, timeoutMs);
}

HWND WaitFrame(DWORD pid, DWORD timeoutMs) {
    return drive::WaitFor([&] { return FirstTopLevel(pid, "ZKFRAME"); }, timeoutMs);
}

HWND WaitMenu(DWORD pid, DWORD timeoutMs) {
    return drive::WaitFor([&] { return FirstTopLevel(pid, "#32768"); }, timeoutMs);
}

bool WaitGone(HWND window, DWORD timeoutMs) {
    return drive::WaitFor([&]() -> HWND { return IsWindow(window) ? nullptr : GetDesktopWindow(); }, timeoutMs) != nullptr;
}

void Settle(HWND window) {
    SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, nullptr);
    Sleep(150);  // painting comes after the messages
}

Camera::Camera(std::string directory, const std::string& zelkor)
    : m_directory(std::move(directory)), m_zelkor(LoadLibraryExA(zelkor.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE)) {
    CreateDirectoryA(m_directory.c_str(), nullptr);
}

Camera::~Camera() {
    if (m_zelkor) FreeLibrary(m_zelkor);
}

bool Camera::Shoot(HWND window, const std::string& name) {
    RECT area{};
    if (!window || !GetWindowRect(window, &area)) {
        Missed(name, "the window was gone before its picture was taken");
        return false;
    }
    return save(window, area, name);
}

bool Camera::ShootWithMenu(HWND window, HWND menu, const std::string& name) {
    RECT area{}, menuArea{};
    if (!GetWindowRect(window, &area) || !GetWindowRect(menu, &menuArea)) {
        Missed(name, "the menu closed before its picture was taken");
        return false;
    }
    UnionRect(&area, &area, &menuArea);
    return save(menu, area, name);
}

bool Camera::save(HWND window, const RECT& area, const std::string& name) {
    // Another process paints when it gets to it: the picture is taken again until two in a row
    // are the same, or until the window is gone (a status window), keeping the last one taken
    // while it showed.
    const std::string path = m_directory + "\\" + name + ".bmp", next = path + ".next";
    bool steady = false;
    for (int take = 0; take < 10 && !steady; ++take) {
        if (!drive::SaveScreenArea(area, take ? next : path)) {
            Missed(name, "its picture could not be saved");
            return false;
        }
        if (take && !IsWindowVisible(window)) break;
        if (take) steady = ReadAll(next) == ReadAll(path) || !MoveFileExA(next.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING);
        Sleep(100);
    }
    DeleteFileA(next.c_str());
    if (!steady) std::printf("gallery: %s kept changing while its picture was taken\n", name.c_str());
    m_saved.insert(name);
    std::printf("gallery: %s\n", name.c_str());
    std::fflush(stdout);
    return true;
}

void Camera::Missed(const std::string& name, const std::string& why) {
    m_missed.push_back(name + ": " + why);
    std::printf("gallery: MISSING %s: %s\n", name.c_str(), why.c_str());
    std::fflush(stdout);
}

std::string Camera::Expected(UINT id) const {
    char text[1024] = {};
    if (!m_zelkor || !LoadStringA(m_zelkor, id, text, sizeof text)) return std::string();
    std::string expected = text;
    return expected.substr(0, expected.find('%'));
}

}  // namespace gallery
