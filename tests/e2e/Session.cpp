#include "Session.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "resources/resource.h"

namespace e2e {

std::string InstallDir() {
    const char* home = std::getenv("ZELKOR_HOME");
    return home && *home ? home : "C:\\Zelkor";
}

std::string ReadWholeFile(const char* path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

void WriteWholeFile(const char* path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

namespace {

// The compiler's runtime DLLs that Zelkor.exe and its libraries share lie beside it.
void CopyRuntimeDlls(const std::string& from, const std::string& to) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((from + "\\*.dll").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do CopyFileA((from + "\\" + found.cFileName).c_str(), (to + "\\" + found.cFileName).c_str(), FALSE);
    while (FindNextFileA(search, &found));
    FindClose(search);
}

}  // namespace

Session::Session(const std::vector<std::string>& libraries) {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    char unique[MAX_PATH] = {};
    GetTempFileNameA(temp, "zke", 0, unique);
    DeleteFileA(unique);
    m_directory = unique;
    CreateDirectoryA(m_directory.c_str(), nullptr);
    CopyFileA((InstallDir() + "\\Zelkor.exe").c_str(), (m_directory + "\\Zelkor.exe").c_str(), FALSE);
    CopyRuntimeDlls(InstallDir(), m_directory);
    for (const std::string& library : libraries) {
        const std::string fileName = library.substr(library.find_last_of('\\') + 1);
        CopyFileA((InstallDir() + "\\" + library).c_str(), (m_directory + "\\" + fileName).c_str(), FALSE);
    }
}

Session::~Session() {
    DWORD exitCode = 0;
    if (!m_process.WaitForExit(0, exitCode)) m_process.Kill();
    m_process.WaitForExit(5000, exitCode);
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((m_directory + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do DeleteFileA((m_directory + "\\" + found.cFileName).c_str());
        while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(m_directory.c_str());
}

bool Session::Start() { return m_process.Start("\"" + m_directory + "\\Zelkor.exe\"", m_directory); }

bool Session::WaitForExit(DWORD timeoutMs, DWORD& exitCode) {
    if (m_process.WaitForExit(timeoutMs, exitCode)) return true;
    m_process.Kill();
    return false;
}

HWND Session::WaitForWizard(DWORD timeoutMs) {
    return drive::WaitForTopLevel(pid(), "#32770", "Zelkor", timeoutMs);
}

HWND Session::StartWizard() {
    EXPECT_TRUE(Start());
    HWND wizard = WaitForWizard();
    EXPECT_NE(nullptr, wizard) << "the wizard did not appear";
    return wizard;
}

void Session::EnterUserInfo(HWND wizard, const Details* details) {
    HWND info = nullptr;
    for (int step = 0; step < 20 && !info; ++step) {
        info = drive::WaitForTopLevel(pid(), "#32770", "User Info", 300);
        if (!info) drive::Click(wizard, IDC_WIZARD_NEXT);
    }
    ASSERT_NE(nullptr, info) << "User Info never appeared";
    if (!details) {  // Escape: close without taking the fields
        PostMessageA(info, WM_COMMAND, IDCANCEL, 0);
        return;
    }
    drive::SetText(GetDlgItem(info, IDC_USER_NAME), details->name);
    drive::SetText(GetDlgItem(info, IDC_USER_COMPANY), details->company);
    drive::SetText(GetDlgItem(info, IDC_USER_PHONE), details->phone);
    drive::SetText(GetDlgItem(info, IDC_USER_FAX), details->fax);
    drive::Click(info, IDOK);
}

std::string Session::WaitForResult(HWND wizard) {
    std::string result;
    drive::WaitFor(
        [&]() -> HWND {
            HWND page = drive::VisibleChildDialog(wizard);
            if (!page || !IsWindowEnabled(wizard)) return nullptr;
            result = drive::Text(GetDlgItem(page, IDC_COMPLETE_RESULT));
            return result.empty() ? nullptr : page;
        },
        60000);
    return result;
}

void Session::Finish(HWND wizard) {
    drive::Click(wizard, IDC_WIZARD_FINISH);
    DWORD exitCode = 1;
    ASSERT_TRUE(WaitForExit(20000, exitCode));
    EXPECT_EQ(0u, exitCode);
}

}  // namespace e2e
