// Ravelin's version and folders from the registry, and whether its program files exist; the
// user's Ravelin settings in the registry editor on request.
#include <windows.h>

#include "SamplePage.h"
#include "zelkor.h"

namespace {

const char kProgramKey[] = "Software\\Halvard\\Ravelin\\CurrentVersion";
const char kUserKey[] = "Software\\Halvard\\Ravelin";
const char* const kProgramFiles[] = {"rvlsnd32.exe", "rvlctl32.exe", "ravelin.ini", "Cover Pages"};

sample::Report g_installation{"Item", "Value"};

std::string DescribeFile(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return "Missing";
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return "Present (folder)";
    SYSTEMTIME written;
    FileTimeToSystemTime(&data.ftLastWriteTime, &written);
    const unsigned long long size = (static_cast<unsigned long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    return sample::Format("Present, %s bytes, %04u-%02u-%02u", sample::Grouped(size).c_str(), written.wYear,
                          written.wMonth, written.wDay);
}

void CheckInstallation() {
    g_installation.Clear();
    const std::string version = sample::RegistryString(HKEY_LOCAL_MACHINE, kProgramKey, "Version");
    if (version.empty()) {
        g_installation.summary = "Ravelin is not installed on this computer.";
        g_installation.Find(ZK_FINDING_PROBLEM, g_installation.summary);
        return;
    }
    DWORD build = 0;
    const bool hasBuild = sample::RegistryDword(HKEY_LOCAL_MACHINE, kProgramKey, "Build", build);
    g_installation.Add({"Version", hasBuild ? sample::Format("%s (build %lu)", version.c_str(), build) : version});
    std::string folder = sample::RegistryString(HKEY_LOCAL_MACHINE, kProgramKey, "InstallPath");
    g_installation.Add({"Program folder", folder});
    g_installation.Add({"Registered to", sample::RegistryString(HKEY_LOCAL_MACHINE, kProgramKey, "RegisteredOwner")});
    if (!folder.empty() && folder.back() != '\\') folder += '\\';
    int missing = 0;
    std::string missingNames;
    for (const char* file : kProgramFiles) {
        std::string state = DescribeFile(folder + file);
        if (state == "Missing") {
            ++missing;
            missingNames += (missingNames.empty() ? "" : ", ") + std::string(file);
        }
        g_installation.Add({file, state});
    }
    g_installation.summary = missing == 0 ? "Ravelin " + version + " is installed completely."
                                          : sample::Format("%d of Ravelin's files are missing: reinstall Ravelin.",
                                                           missing);
    if (missing)
        g_installation.Find(ZK_FINDING_PROBLEM, sample::Format("Ravelin %s is missing files in %s: %s. Reinstall Ravelin.",
                                                               version.c_str(), folder.c_str(), missingNames.c_str()));
}

}  // namespace

extern "C" INT_PTR CALLBACK RavelinInstallationPage(HWND page, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_COMMAND && LOWORD(wParam) == IDC_PAGE_ACTION && HIWORD(wParam) == BN_CLICKED) {
        ZKRegEdit("Ravelin user settings", HKEY_CURRENT_USER, kUserKey);
        return TRUE;
    }
    static const sample::ReportPage kPage{g_installation, {70, 166}, CheckInstallation, "Ravelin Installation", "Version and files"};
    return sample::HandleReportPage(kPage, page, message, wParam);
}
