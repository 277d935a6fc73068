#include "driver/Driver.h"

#include <cstdio>

namespace drive {

HWND WaitFor(const std::function<HWND()>& find, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (HWND found = find()) return found;
        if (GetTickCount() - start >= timeoutMs) return nullptr;
        // Keep this thread's own windows alive while waiting, if it has any.
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        Sleep(20);
    }
}

namespace {
struct Search {
    DWORD pid;
    const char* className;
    const char* title;
    std::vector<HWND> found;
};

BOOL CALLBACK collect(HWND window, LPARAM context) {
    Search& search = *reinterpret_cast<Search*>(context);
    if (!IsWindowVisible(window)) return TRUE;
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (search.pid && pid != search.pid) return TRUE;
    char name[256] = {};
    GetClassNameA(window, name, sizeof name);
    if (search.className && lstrcmpiA(name, search.className) != 0) return TRUE;
    if (search.title && Text(window) != search.title) return TRUE;
    search.found.push_back(window);
    return TRUE;
}
}  // namespace

std::vector<HWND> TopLevelWindows(DWORD pid, const char* className, const char* title) {
    Search search{pid, className, title, {}};
    EnumWindows(collect, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND WaitForTopLevel(DWORD pid, const char* className, const char* title, DWORD timeoutMs) {
    return WaitFor(
        [&]() -> HWND {
            auto windows = TopLevelWindows(pid, className, title);
            return windows.empty() ? nullptr : windows.front();
        },
        timeoutMs);
}

HWND VisibleChildDialog(HWND parent) {
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        char name[32] = {};
        GetClassNameA(child, name, sizeof name);
        if (lstrcmpA(name, "#32770") == 0 && IsWindowVisible(child)) return child;
    }
    return nullptr;
}

std::string Text(HWND window) {
    // Cross-process WM_GETTEXT is marshalled by the system; a fixed buffer keeps it simple.
    std::string text(4096, '\0');
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0]), SMTO_ABORTIFHUNG,
                             5000, &length))
        return std::string();
    text.resize(static_cast<size_t>(length));
    return text;
}

void SetText(HWND window, const std::string& text) {
    SendMessageA(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

bool Click(HWND dialog, int controlId) {
    HWND control = GetDlgItem(dialog, controlId);
    if (!control) return false;
    PostMessageA(control, BM_CLICK, 0, 0);  // posted: the click may open a modal window
    return true;
}

bool IsEnabled(HWND dialog, int controlId) { return IsWindowEnabled(GetDlgItem(dialog, controlId)) != FALSE; }

bool IsVisible(HWND dialog, int controlId) { return IsWindowVisible(GetDlgItem(dialog, controlId)) != FALSE; }

namespace {
// A message box is a dialog with a static text 0xFFFF, at least one standard button and nothing
// to type into (which tells it from the Find dialog).
bool isMessageBox(HWND window) {
    return GetDlgItem(window, 0xFFFF) && !FindWindowExA(window, nullptr, "Edit", nullptr) &&
           (GetDlgItem(window, IDOK) || GetDlgItem(window, IDYES) || GetDlgItem(window, IDNO));
}
}  // namespace

MessageBoxSeen WaitForMessageBox(DWORD pid, DWORD timeoutMs) {
    MessageBoxSeen seen;
    // A box whose texts cannot be read yet (still starting, or its thread briefly busy) is
    // looked at again rather than reported empty.
    seen.window = WaitFor(
        [&]() -> HWND {
            for (HWND window : TopLevelWindows(pid, "#32770", nullptr)) {
                if (!isMessageBox(window)) continue;
                seen.text = Text(GetDlgItem(window, 0xFFFF));
                seen.caption = Text(window);
                if (!seen.text.empty() && !seen.caption.empty()) return window;
            }
            return nullptr;
        },
        timeoutMs);
    if (!seen.window) seen = MessageBoxSeen();
    return seen;
}

bool AnswerMessageBox(const MessageBoxSeen& box, int buttonId) {
    if (!box.window) return false;
    HWND button = GetDlgItem(box.window, buttonId);
    if (!button) return false;
    // WM_COMMAND reaches the message box's procedure even where BM_CLICK would need focus.
    PostMessageA(box.window, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED), reinterpret_cast<LPARAM>(button));
    return true;
}

bool SaveScreenshot(HWND window, const std::string& bmpPath) {
    RECT rect{};
    return GetWindowRect(window, &rect) && SaveScreenArea(rect, bmpPath);
}

bool SaveScreenArea(const RECT& area, const std::string& bmpPath) {
    RECT rect{};
    const RECT screenRect{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    if (!IntersectRect(&rect, &area, &screenRect)) return false;
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0) return false;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    bool saved = false;
    if (bitmap) {
        HGDIOBJ old = SelectObject(memory, bitmap);
        BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
        SelectObject(memory, old);
        GdiFlush();
        const DWORD stride = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
        const DWORD imageSize = stride * static_cast<DWORD>(height);
        BITMAPFILEHEADER header{};
        header.bfType = 0x4D42;
        header.bfOffBits = sizeof header + sizeof info.bmiHeader;
        header.bfSize = header.bfOffBits + imageSize;
        if (FILE* file = std::fopen(bmpPath.c_str(), "wb")) {
            saved = std::fwrite(&header, sizeof header, 1, file) == 1 &&
                    std::fwrite(&info.bmiHeader, sizeof info.bmiHeader, 1, file) == 1 &&
                    std::fwrite(bits, imageSize, 1, file) == 1;
            std::fclose(file);
        }
        DeleteObject(bitmap);
    }
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return saved;
}

Process::~Process() { release(); }

void Process::release() {
    if (m_info.hThread) CloseHandle(m_info.hThread);
    if (m_info.hProcess) CloseHandle(m_info.hProcess);
    m_info = {};
}

std::wstring Utf16(const std::string& utf8) {
    std::wstring wide(utf8.size() + 1, L'\0');
    const int length = MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, &wide[0], static_cast<int>(wide.size()));
    wide.resize(length > 0 ? static_cast<size_t>(length - 1) : 0);
    return wide;
}

bool Process::Start(const std::string& commandLine, const std::string& directory, const std::string& outputFile) {
    release();  // a process started before by this object
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    HANDLE output = INVALID_HANDLE_VALUE;
    if (!outputFile.empty()) {
        SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
        output = CreateFileA(outputFile.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherited,
                             CREATE_ALWAYS, 0, nullptr);
        if (output == INVALID_HANDLE_VALUE) return false;
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdOutput = startup.hStdError = output;
    }
    std::wstring command = Utf16(commandLine);
    const std::wstring folder = Utf16(directory);
    const bool started = CreateProcessW(nullptr, &command[0], nullptr, nullptr, output != INVALID_HANDLE_VALUE, 0,
                                        nullptr, folder.empty() ? nullptr : folder.c_str(), &startup,
                                        &m_info) != FALSE;
    if (output != INVALID_HANDLE_VALUE) CloseHandle(output);
    return started;
}

bool Process::WaitForExit(DWORD timeoutMs, DWORD& exitCode) {
    if (!m_info.hProcess || WaitForSingleObject(m_info.hProcess, timeoutMs) != WAIT_OBJECT_0) return false;
    return GetExitCodeProcess(m_info.hProcess, &exitCode) != FALSE;
}

void Process::Kill() {
    if (m_info.hProcess) TerminateProcess(m_info.hProcess, 1);
}

}  // namespace drive
