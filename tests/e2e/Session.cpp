#include "Session.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "resources/resource.h"

namespace e2e {

namespace fs = std::filesystem;

std::string ReadWholeFile(const char* path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

void WriteWholeFile(const char* path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

void SetString(const std::string& key, const char* name, const std::string& value) {
    const DWORD size = static_cast<DWORD>(value.size() + 1);
    RegSetKeyValueA(HKEY_CURRENT_USER, key.c_str(), name, REG_SZ, value.c_str(), size);
}

void SetDword(const std::string& key, const char* name, DWORD value) {
    RegSetKeyValueA(HKEY_CURRENT_USER, key.c_str(), name, REG_DWORD, &value, sizeof value);
}

namespace {
constexpr char kScratchKey[] = "Software\\ZelkorE2E";
}  // namespace

void SeedGoldenMachine() {
    RegDeleteTreeA(HKEY_CURRENT_USER, kScratchKey);
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Halvard\\Zelkor\\General");
    const std::string alpha = std::string(kScratchKey) + "\\Alpha";
    SetString(alpha, "", "default value");
    SetString(alpha, "Init", "ATZ&F&C1&D2");
    SetDword(alpha, "Speed", 57600);
    SetString(alpha, "Long Init String Name", std::string(45, 'x'));
    SetDword(std::string(kScratchKey) + "\\Beta", "Retries", 3);
    for (const char* port : {"COM1", "com2", "LPT1"})
        SetString(std::string(kScratchKey) + "\\Ports\\" + port + "\\Settings", "Baud", "9600,n,8,1");
    WriteWholeFile("C:\\windows\\zke2e.ini",
                   "; fixture\r\n[Boot]\r\nshell=explorer.exe\r\ndevice = himem.sys\r\n\r\n[Fax]\r\nPort=COM1\r\n");
    WriteWholeFile("C:\\windows\\zke2e.txt", "plain text file\r\nsecond line\r\n");
    DeleteFileA(kLog);
}

void ClearGoldenMachine() {
    RegDeleteTreeA(HKEY_CURRENT_USER, kScratchKey);
    DeleteFileA("C:\\windows\\zke2e.ini");
    DeleteFileA("C:\\windows\\zke2e.txt");
}

void expectGolden(const char* name, const std::string& log) {
    HRSRC info = FindResourceA(nullptr, name, MAKEINTRESOURCEA(10));  // RT_RCDATA
    ASSERT_NE(nullptr, info) << "no golden file " << name;
    const char* golden = static_cast<const char*>(LockResource(LoadResource(nullptr, info)));
    if (log == std::string(golden, SizeofResource(nullptr, info))) return;
    const std::string actual = std::string("C:\\") + name + ".actual";
    WriteWholeFile(actual.c_str(), log);
    ADD_FAILURE() << "the log differs from " << name << "; it was saved as " << actual;
}

Session::Session(const std::vector<std::string>& libraries) {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    char unique[MAX_PATH] = {};
    GetTempFileNameA(temp, "zke", 0, unique);
    DeleteFileA(unique);
    m_directory = unique;
    CreateDirectoryA(m_directory.c_str(), nullptr);
    // Where the build was installed in the prefix. The compiler's runtime DLLs that Zelkor.exe
    // and its libraries share lie beside it.
    const char* home = std::getenv("ZELKOR_HOME");
    const fs::path install = home && *home ? home : "C:\\Zelkor";
    std::error_code ignored;
    fs::copy_file(install / "Zelkor.exe", m_directory / fs::path("Zelkor.exe"), ignored);
    for (const fs::directory_entry& file : fs::directory_iterator(install, ignored)) {
        if (file.path().extension() == ".dll")
            fs::copy_file(file.path(), m_directory / file.path().filename(), ignored);
    }
    for (const std::string& library : libraries)
        fs::copy_file(install / library, m_directory / fs::path(library).filename(), ignored);
}

Session::~Session() {
    if (!Ended()) Kill();
    std::error_code ignored;
    fs::remove_all(m_directory, ignored);
}

bool Session::Start() { return m_process.Start("\"" + m_directory + "\\Zelkor.exe\"", m_directory); }

bool Session::StartWith(const std::string& arguments, const std::string& outputFile) {
    return m_process.Start("\"" + m_directory + "\\Zelkor.exe\" " + arguments, m_directory, outputFile);
}

bool Session::Ended() {
    DWORD exitCode = 0;
    return m_process.WaitForExit(0, exitCode);
}

DWORD Session::WaitForExit() {
    DWORD exitCode = 0;
    if (m_process.WaitForExit(20000, exitCode)) return exitCode;
    ADD_FAILURE() << "Zelkor did not end";
    Kill();
    return STILL_ACTIVE;
}

bool Session::Kill() {
    m_process.Kill();
    DWORD exitCode = 0;
    return m_process.WaitForExit(5000, exitCode);
}

HWND Session::StartWizard(int diagnostics) {
    EXPECT_TRUE(Start());
    m_wizard = drive::WaitForTopLevel(pid(), "#32770", "Zelkor", 20000);
    if (!m_wizard) {
        ADD_FAILURE() << "the wizard did not appear";
        return nullptr;
    }
    drive::Click(drive::VisibleChildDialog(m_wizard), diagnostics);
    return m_wizard;
}

HWND Session::PageWith(int controlId) const {
    return drive::WaitFor(
        [&]() -> HWND {
            HWND page = drive::VisibleChildDialog(m_wizard);
            return page && GetDlgItem(page, controlId) ? page : nullptr;
        },
        10000);
}

HWND Session::OpenCustomPage(int selectBox, int pageControl) {
    if (!StartWizard(IDC_WELCOME_CUSTOM)) return nullptr;
    drive::Click(m_wizard, IDC_WIZARD_NEXT);
    EXPECT_TRUE(drive::Click(PageWith(selectBox), selectBox));
    drive::Click(m_wizard, IDC_WIZARD_NEXT);
    HWND page = PageWith(pageControl);
    EXPECT_NE(nullptr, page) << "the page of box " << selectBox << " did not come";
    return page;
}

std::string Session::Run(int diagnostics, const Details* details) {
    return StartWizard(diagnostics) && EnterUserInfo(details) ? WaitForResult() : std::string();
}

HWND Session::waitAnswering(const std::function<HWND()>& find, DWORD timeoutMs) {
    return drive::WaitFor(
        [&]() -> HWND {
            const drive::MessageBoxSeen box = drive::WaitForMessageBox(pid(), 0);
            if (box.window) {
                m_messages.push_back(box.text);
                drive::AnswerMessageBox(box, IDOK);
                // Gone before looking again, so that it is not counted twice.
                drive::WaitFor([&]() -> HWND { return IsWindow(box.window) ? nullptr : box.window; }, 5000);
            }
            return find();
        },
        timeoutMs);
}

bool Session::EnterUserInfo(const Details* details, bool escape) {
    HWND info = nullptr;
    for (int step = 0; step < 20 && !info; ++step) {
        info = waitAnswering([&] { return drive::WaitForTopLevel(pid(), "#32770", "User Info", 0); }, 300);
        // While a message box or a background check disables the wizard, Next would be lost.
        if (!info && IsWindowEnabled(m_wizard)) drive::Click(m_wizard, IDC_WIZARD_NEXT);
    }
    if (!info) {
        ADD_FAILURE() << "User Info never appeared";
        return false;
    }
    if (details) {
        drive::SetText(GetDlgItem(info, IDC_USER_NAME), details->name);
        drive::SetText(GetDlgItem(info, IDC_USER_COMPANY), details->company);
        drive::SetText(GetDlgItem(info, IDC_USER_PHONE), details->phone);
        drive::SetText(GetDlgItem(info, IDC_USER_FAX), details->fax);
    }
    if (details && !escape) return drive::Click(info, IDOK);
    return PostMessageA(info, WM_COMMAND, IDCANCEL, 0) != FALSE;  // what the Escape key sends
}

std::string Session::WaitForResult() {
    std::string result;
    waitAnswering(
        [&]() -> HWND {
            if (Ended()) return m_wizard;  // nothing more will come
            HWND page = drive::VisibleChildDialog(m_wizard);
            if (!page || !IsWindowEnabled(m_wizard)) return nullptr;
            result = drive::Text(GetDlgItem(page, IDC_COMPLETE_RESULT));
            return result.empty() ? nullptr : page;
        },
        60000);
    return result;
}

DWORD Session::Finish() {
    drive::Click(m_wizard, IDC_WIZARD_FINISH);
    return WaitForExit();
}

}  // namespace e2e
