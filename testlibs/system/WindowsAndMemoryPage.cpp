// The Windows version, the computer, its memory and the temporary folder.
#include <windows.h>

#include "SamplePage.h"
#include "zelkor.h"

namespace {

sample::Report g_system{"Item", "Value"};

std::string WindowsVersion() {
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof version;
    if (!GetVersionExA(&version)) return "Unknown";
    std::string text = sample::Format("%lu.%lu build %lu", version.dwMajorVersion, version.dwMinorVersion,
                                      version.dwBuildNumber & 0xFFFF);
    if (version.szCSDVersion[0]) text += std::string(" ") + version.szCSDVersion;
    return text;
}

// Whether a program can create a file in the temporary folder, as Ravelin does for every fax.
std::string CheckTempFolder(const std::string& folder) {
    char file[MAX_PATH];
    if (!GetTempFileNameA(folder.c_str(), "zk", 0, file)) return sample::Format("Not writable (error %lu)", GetLastError());
    DeleteFileA(file);
    return "Writable";
}

void ReadSystem() {
    g_system.Clear();
    g_system.Add({"Windows version", WindowsVersion()});
    char name[MAX_COMPUTERNAME_LENGTH + 1] = {};
    DWORD length = sizeof name;
    g_system.Add({"Computer name", GetComputerNameA(name, &length) ? name : ""});
    SYSTEM_INFO info;
    GetNativeSystemInfo(&info);
    g_system.Add({"Processors", std::to_string(info.dwNumberOfProcessors)});
    MEMORYSTATUSEX memory{};
    memory.dwLength = sizeof memory;
    bool lowMemory = false;
    if (GlobalMemoryStatusEx(&memory)) {
        g_system.Add({"Memory", sample::Megabytes(memory.ullTotalPhys)});
        g_system.Add({"Free memory", sample::Megabytes(memory.ullAvailPhys)});
        lowMemory = memory.ullAvailPhys < 64ull * 1024 * 1024;
    }
    char directory[MAX_PATH] = {};
    GetWindowsDirectoryA(directory, MAX_PATH);
    g_system.Add({"Windows folder", directory});
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    const std::string tempState = CheckTempFolder(temp);
    g_system.Add({"Temporary folder", temp});
    g_system.Add({"Temporary folder is", tempState});
    if (tempState != "Writable")
        g_system.summary = "Programs cannot write to the temporary folder: faxes cannot be prepared.";
    else if (lowMemory)
        g_system.summary = "Less than 64 MB of memory is free: close other programs before faxing.";
    else
        g_system.summary = "Windows is ready to prepare and send faxes.";
}

}  // namespace

extern "C" INT_PTR CALLBACK WindowsAndMemoryPage(HWND page, UINT message, WPARAM, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        sample::InitReportList(page, g_system, {80, 156});
        return TRUE;
    case ZKPM_ACTIVATE:
        ReadSystem();
        sample::ShowReport(page, g_system);
        return TRUE;
    case ZKPM_NEXT:
        return sample::Answer(page, 1);
    case ZKPM_WRITELOG:
        ZKLogSection("Windows and Memory");
        sample::LogReport("This computer", g_system);
        return TRUE;
    }
    return FALSE;
}
