// An installed Zelkor for one end-to-end test: a copy of the program (and chosen libraries) in a
// fresh directory of the prefix, started as a separate process and driven through its windows.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "driver/Driver.h"

namespace e2e {

constexpr char kLog[] = "C:\\Zelkor.log";

std::string ReadWholeFile(const char* path);
void WriteWholeFile(const char* path, const std::string& text);
// Values under HKEY_CURRENT_USER; the key is created when missing.
void SetString(const std::string& key, const char* name, const std::string& value);
void SetDword(const std::string& key, const char* name, DWORD value);

// The machine of the golden logs: the fixture libraries' keys and files, no saved user details and
// no log; and its clearing.
void SeedGoldenMachine();
void ClearGoldenMachine();
// The log must equal the golden file built into the test program; when not, it is kept for a look.
void expectGolden(const char* name, const std::string& log);

// What the user types into the User Info dialog.
struct Details {
    std::string name, company, phone, fax;
};

class Session {
public:
    // Copies Zelkor.exe and the named libraries (paths below the install directory) into a new
    // directory, the libraries beside the program.
    explicit Session(const std::vector<std::string>& libraries);
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    bool Start();
    // Starts the program with these arguments, its standard output and error going to a file.
    bool StartWith(const std::string& arguments, const std::string& outputFile);
    DWORD pid() const { return m_process.pid(); }
    bool Ended();
    // Waits for the program to end; its exit code, or a failure (and the program killed) when it
    // does not end in time.
    DWORD WaitForExit();
    bool Kill();  // true once the program has ended

    // Starts the program and chooses the diagnostics on the Welcome page; the wizard, or null
    // (with a failure) when none appears.
    HWND StartWizard(int diagnostics);
    HWND wizard() const { return m_wizard; }
    // The page the wizard shows once it has that control; null when none comes.
    HWND PageWith(int controlId) const;
    // A Custom session with one box of Select Diagnostics checked, on to the page it brings:
    // the page that has pageControl, or null (with a failure).
    HWND OpenCustomPage(int selectBox, int pageControl);
    // A user's session: StartWizard, EnterUserInfo, WaitForResult.
    std::string Run(int diagnostics, const Details* details);
    // Presses Next until the User Info dialog asks for details, types them (null: nothing) and
    // closes the dialog with OK or, for null details or when asked, Escape. False (with a
    // failure) when the dialog never comes.
    bool EnterUserInfo(const Details* details, bool escape = false);
    // Waits until the last page shows the outcome of the log and returns its text; empty when
    // the program ends first.
    std::string WaitForResult();
    // Presses Finish; the program's exit code.
    DWORD Finish();
    // The texts of the message boxes met on the way; each was answered with OK.
    const std::vector<std::string>& messages() const { return m_messages; }

private:
    // Polls like drive::WaitFor, answering the program's message boxes meanwhile.
    HWND waitAnswering(const std::function<HWND()>& find, DWORD timeoutMs);

    std::string m_directory;
    drive::Process m_process;
    HWND m_wizard = nullptr;
    std::vector<std::string> m_messages;
};

}  // namespace e2e
