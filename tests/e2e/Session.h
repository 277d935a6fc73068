// An installed Zelkor for one end-to-end test: a copy of the program (and chosen libraries) in a
// fresh directory of the prefix, started as a separate process and driven through its windows.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "driver/Driver.h"

namespace e2e {

std::string ReadWholeFile(const char* path);
void WriteWholeFile(const char* path, const std::string& text);

// What the user types into the User Info dialog.
struct Details {
    std::string name, company, phone, fax;
};

// Where the build was installed in the prefix (ZELKOR_HOME), e.g. C:\Zelkor64.
std::string InstallDir();

class Session {
public:
    // Copies Zelkor.exe and the named libraries (paths below the install directory) into a new
    // directory, the libraries beside the program.
    explicit Session(const std::vector<std::string>& libraries);
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    bool Start();
    DWORD pid() const { return m_process.pid(); }
    const std::string& directory() const { return m_directory; }
    // Waits for the process to end; false (and the process killed) after the time.
    bool WaitForExit(DWORD timeoutMs, DWORD& exitCode);
    // The wizard's window once it is shown.
    HWND WaitForWizard(DWORD timeoutMs = 20000);

    // Starts the program; its wizard, or null (with a failure) when none appears.
    HWND StartWizard();
    // Presses Next until the User Info dialog asks for details, then answers it; null details
    // press Escape instead.
    void EnterUserInfo(HWND wizard, const Details* details);
    // Waits until the last page has shown the outcome of the log; returns that text.
    std::string WaitForResult(HWND wizard);
    // Presses Finish; the program must end with code 0.
    void Finish(HWND wizard);

private:
    std::string m_directory;
    drive::Process m_process;
};

}  // namespace e2e
