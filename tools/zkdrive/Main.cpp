// zkdrive: walks Zelkor through a Full session without a person, for demos on machines
// without a display. Every window that appears is saved as a BMP picture; the log is shown, then
// printed on the default printer and faxed when the fax product is there.
//
//   zkdrive.exe DIRECTORY_OF_ZELKOR SCREENSHOT_DIRECTORY
#include <windows.h>

#include <cstdio>
#include <set>
#include <string>

#include "driver/Driver.h"
#include "resources/resource.h"
#include "tools/ravelin/RavelinSimulator.h"

namespace {

constexpr DWORD kSessionLimitMs = 180000;

class Walk {
public:
    Walk(DWORD pid, std::string shots) : m_pid(pid), m_shots(std::move(shots)) {}

    void shoot(HWND window, const std::string& what) {
        char name[MAX_PATH];
        std::snprintf(name, sizeof name, "%s\\%02d-%s.bmp", m_shots.c_str(), ++m_count, what.c_str());
        for (char* c = name + m_shots.size() + 1; *c; ++c)
            if (*c == ' ' || *c == '/' || *c == ':' || *c == '\\') *c = '_';
        Sleep(300);  // let the window finish painting
        if (drive::SaveScreenshot(window, name)) std::printf("screenshot: %s\n", name);
    }

    // Answers dialogs that the session opens (User Info, message boxes); true when one was seen.
    bool handleOtherWindows(HWND wizard) {
        for (HWND window : drive::TopLevelWindows(m_pid, "#32770", nullptr)) {
            if (window == wizard || !IsWindowEnabled(window)) continue;
            const std::string title = drive::Text(window);
            if (m_seen.insert(window).second) shoot(window, title.empty() ? "status" : title);
            if (GetDlgItem(window, 0xFFFF) && GetDlgItem(window, IDOK)) {  // a message box with OK
                std::printf("message: %s\n", drive::Text(GetDlgItem(window, 0xFFFF)).c_str());
                drive::AnswerMessageBox({window, "", ""}, IDOK);
                return true;
            }
            if (GetDlgItem(window, IDC_USER_NAME) || GetDlgItem(window, IDC_PRINTER_LIST)) {
                confirm(window);
                return true;
            }
            if (GetDlgItem(window, IDC_FAX_NUMBER)) {
                drive::SetText(GetDlgItem(window, IDC_FAX_NUMBER), "+1 555 0100");
                drive::SetText(GetDlgItem(window, IDC_FAX_DETAILS), "Sent by the unattended demo run.");
                shoot(window, title + " filled in");
                confirm(window);
                return true;
            }
        }
        return false;
    }

    int run() {
        HWND wizard = drive::WaitFor(
            [&]() -> HWND {
                drive::MessageBoxSeen box = drive::WaitForMessageBox(m_pid, 0);
                if (box.window) {
                    shoot(box.window, "message");
                    std::printf("message: %s\n", box.text.c_str());
                    drive::AnswerMessageBox(box, IDOK);
                    m_stopped = true;
                    return GetDesktopWindow();
                }
                return drive::WaitForTopLevel(m_pid, "#32770", "Zelkor", 0);
            },
            30000);
        if (!wizard) return fail("the wizard did not appear");
        if (m_stopped) return 0;

        const DWORD start = GetTickCount();
        std::string lastTitle;
        while (GetTickCount() - start < kSessionLimitMs && IsWindow(wizard)) {
            if (handleOtherWindows(wizard)) continue;
            if (!IsWindowEnabled(wizard)) {  // busy: a status window or a dialog is up
                Sleep(100);
                continue;
            }
            const std::string title = drive::Text(GetDlgItem(wizard, IDC_WIZARD_TITLE));
            if (title != lastTitle) {
                lastTitle = title;
                shoot(wizard, title);
                if (HWND page = drive::VisibleChildDialog(wizard); page && GetDlgItem(page, IDC_WELCOME_FULL)) drive::Click(page, IDC_WELCOME_FULL);
                Sleep(200);
                continue;
            }
            HWND page = drive::VisibleChildDialog(wizard);
            if (page && GetDlgItem(page, IDC_COMPLETE_RESULT) && drive::IsVisible(wizard, IDC_WIZARD_FINISH)) {
                if (drive::Text(GetDlgItem(page, IDC_COMPLETE_RESULT)).empty()) {
                    Sleep(100);
                    continue;
                }
                shoot(wizard, title + " done");
                printLog();
                for (int action : {IDC_COMPLETE_PRINT, IDC_COMPLETE_FAX}) runAction(wizard, page, action);
                drive::Click(wizard, IDC_WIZARD_FINISH);
                break;
            }
            if (drive::IsEnabled(wizard, IDC_WIZARD_NEXT) && drive::IsVisible(wizard, IDC_WIZARD_NEXT)) {
                drive::Click(wizard, IDC_WIZARD_NEXT);
                Sleep(300);
                continue;
            }
            // Nowhere further to go: leave the way a user would.
            std::printf("the session ends on page \"%s\"; cancelling\n", title.c_str());
            drive::Click(wizard, IDCANCEL);
            drive::MessageBoxSeen box = drive::WaitForMessageBox(m_pid, 10000);
            if (box.window) drive::AnswerMessageBox(box, IDYES);
            break;
        }
        return 0;
    }

private:
    // Presses OK and waits until the dialog has gone, so that it is not answered twice.
    static void confirm(HWND dialog) {
        drive::Click(dialog, IDOK);
        drive::WaitFor([&]() -> HWND { return IsWindow(dialog) ? nullptr : GetDesktopWindow(); }, 10000);
    }
    // Presses an action of the last page and answers its dialogs until the wizard has stayed
    // usable for a while: between a dialog and the work that it starts, it is usable for a moment.
    void runAction(HWND wizard, HWND page, int action) {
        if (!drive::IsEnabled(page, action)) {
            std::printf("%s is not available\n", action == IDC_COMPLETE_FAX ? "Fax" : "Print");
            return;
        }
        drive::Click(page, action);
        const DWORD start = GetTickCount();
        DWORD usableSince = 0;
        while (GetTickCount() - start < 90000) {
            if (handleOtherWindows(wizard) || !IsWindowEnabled(wizard)) {
                usableSince = 0;
            } else if (!usableSince) {
                usableSince = GetTickCount();
            } else if (GetTickCount() - usableSince > 1500) {
                return;
            }
            Sleep(100);
        }
        std::printf("the wizard was still busy after 90 s\n");
    }
    static void printLog() {
        FILE* log = std::fopen("C:\\Zelkor.log", "rb");
        if (!log) {
            std::printf("no log file\n");
            return;
        }
        std::printf("----- C:\\Zelkor.log -----\n");
        char buffer[4096];
        size_t read;
        while ((read = std::fread(buffer, 1, sizeof buffer, log)) > 0) std::fwrite(buffer, 1, read, stdout);
        std::fclose(log);
        std::printf("----- end of log -----\n");
    }
    static int fail(const char* why) {
        std::fprintf(stderr, "zkdrive: %s\n", why);
        return 1;
    }

    DWORD m_pid;
    std::string m_shots;
    int m_count = 0;
    bool m_stopped = false;
    std::set<HWND> m_seen;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: zkdrive DIRECTORY_OF_ZELKOR SCREENSHOT_DIRECTORY\n");
        return 2;
    }
    const std::string directory = argv[1];
    CreateDirectoryA(argv[2], nullptr);
    drive::Process zelkor;
    if (!zelkor.Start("\"" + directory + "\\Zelkor.exe\"", directory)) {
        std::fprintf(stderr, "zkdrive: cannot start %s\\Zelkor.exe\n", directory.c_str());
        return 1;
    }
    int result = Walk(zelkor.pid(), argv[2]).run();
    DWORD exitCode = 0;
    if (!zelkor.WaitForExit(30000, exitCode)) {
        std::fprintf(stderr, "zkdrive: Zelkor did not end; stopping it\n");
        zelkor.Kill();
        return 1;
    }
    std::printf("Zelkor ended with exit code %lu\n", static_cast<unsigned long>(exitCode));
    // The fax product that the fax started ends with the demo: it would hold our output open.
    if (HWND faxProduct = FindWindowA(kRavelinSimulatorClass, nullptr)) PostMessageA(faxProduct, WM_CLOSE, 0, 0);
    return result;
}
