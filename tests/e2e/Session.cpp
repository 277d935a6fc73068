#include "Session.h"

#include <cstdlib>

namespace e2e {

std::string InstallDir() {
    const char* home = std::getenv("ZELKOR_HOME");
    return home && *home ? home : "C:\\Zelkor";
}

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

}  // namespace e2e
