// zkgallery: a picture of every window and dialog of Zelkor. Starts the Zelkor.exe of a folder
// (with the sample and the end-to-end fixture libraries beside it, and a copy without libraries
// in its subfolder "bare"), walks it to each window and saves each as NAME.bmp. A window that
// does not come is reported and the gallery goes on; it fails only when Zelkor cannot be walked.
//
//   zkgallery.exe FOLDER_OF_ZELKOR PICTURE_FOLDER
#include <windows.h>

#include <cstdio>
#include <string>

#include "driver/Driver.h"
#include "gallery/Camera.h"
#include "gallery/Tour.h"
#include "resources/resource.h"
#include "tools/ravelin/RavelinSimulator.h"

namespace {

constexpr char kGalleryKey[] = "Software\\Halvard\\Ravelin\\Gallery";

std::string WindowsFile(const char* name) {
    char directory[MAX_PATH] = {};
    GetWindowsDirectoryA(directory, MAX_PATH);
    return std::string(directory) + "\\" + name;
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    if (FILE* file = std::fopen(path.c_str(), "wb")) {
        std::fwrite(bytes.data(), 1, bytes.size(), file);
        std::fclose(file);
    }
}

// What the fixture libraries' pages show: system files of the gallery's own (one with a NUL
// byte, one missing) and a binary value longer than the hex editor shows at once.
void SetUp() {
    WriteBytes(WindowsFile("zke2e.ini"), "[fax]\r\nBoot=1\r\n[Lines]\r\nCount=2\r\n");
    // Long enough that printing it takes a moment, so that the status window can be seen.
    std::string text("A NUL \0 byte\r\n", 15);
    for (int line = 1; line <= 3000; ++line)
        text += "Line " + std::to_string(line) + " of a long text file that the log copies whole.\r\n";
    WriteBytes(WindowsFile("zke2e.txt"), text);
    DeleteFileA(WindowsFile("zke2e-missing.ini").c_str());
    BYTE logo[192];
    for (size_t i = 0; i < sizeof logo; ++i) logo[i] = static_cast<BYTE>(i * 7);
    RegSetKeyValueA(HKEY_CURRENT_USER, kGalleryKey, "GalleryLogo", REG_BINARY, logo, sizeof logo);
}

void CleanUp() {
    for (const char* name : {"zke2e.ini", "zke2e.txt"}) DeleteFileA(WindowsFile(name).c_str());
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(WindowsFile("zke2e.0*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do DeleteFileA(WindowsFile(found.cFileName).c_str());
        while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RegDeleteTreeA(HKEY_CURRENT_USER, kGalleryKey);
    // The fax product that the fax started would outlive the gallery.
    if (HWND faxProduct = FindWindowA(kRavelinSimulatorClass, nullptr)) PostMessageA(faxProduct, WM_CLOSE, 0, 0);
}

void EndZelkor(drive::Process& zelkor) {
    DWORD exitCode = 0;
    if (zelkor.WaitForExit(20000, exitCode)) return;
    std::printf("gallery: Zelkor did not end; stopping it\n");
    zelkor.Kill();
    zelkor.WaitForExit(5000, exitCode);
}

// Zelkor without any test library: its one message box.
void WithoutLibraries(gallery::Camera& camera, const std::string& folder) {
    drive::Process zelkor;
    if (!zelkor.Start("\"" + folder + "\\bare\\Zelkor.exe\"", folder + "\\bare")) {
        camera.Missed("message-no-test-libraries", "no copy of Zelkor without libraries in " + folder + "\\bare");
        return;
    }
    const drive::MessageBoxSeen box = drive::WaitForMessageBox(zelkor.pid(), 20000);
    if (box.window) {
        gallery::Settle(box.window);
        camera.Shoot(box.window, "message-no-test-libraries");
        drive::AnswerMessageBox(box, IDOK);
    } else {
        camera.Missed("message-no-test-libraries", "no message box came");
    }
    EndZelkor(zelkor);
}

// Zelkor /? started with no console to write to: the usage in a message box.
void Usage(gallery::Camera& camera, const std::string& folder) {
    std::string command = "\"" + folder + "\\Zelkor.exe\" /?";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION zelkor{};
    if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, DETACHED_PROCESS, nullptr, folder.c_str(),
                        &startup, &zelkor)) {
        camera.Missed("message-usage", "Zelkor /? did not start");
        return;
    }
    const drive::MessageBoxSeen box = drive::WaitForMessageBox(zelkor.dwProcessId, 20000);
    if (box.window) {
        gallery::Settle(box.window);
        camera.Shoot(box.window, "message-usage");
        drive::AnswerMessageBox(box, IDOK);
    } else {
        camera.Missed("message-usage", "no message box came");
    }
    if (WaitForSingleObject(zelkor.hProcess, 20000) != WAIT_OBJECT_0) TerminateProcess(zelkor.hProcess, 1);
    CloseHandle(zelkor.hThread);
    CloseHandle(zelkor.hProcess);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: zkgallery FOLDER_OF_ZELKOR PICTURE_FOLDER\n");
        return 2;
    }
    const std::string folder = argv[1];
    gallery::Camera camera(argv[2], folder + "\\Zelkor.exe");
    SetUp();
    WithoutLibraries(camera, folder);
    Usage(camera, folder);

    drive::Process zelkor;
    bool walked = false;
    if (zelkor.Start("\"" + folder + "\\Zelkor.exe\"", folder)) {
        walked = gallery::Tour(camera, zelkor.pid()).Walk();
        EndZelkor(zelkor);
    } else {
        std::printf("gallery: cannot start %s\\Zelkor.exe\n", folder.c_str());
    }
    CleanUp();

    std::printf("gallery: %d pictures, %d missing\n", camera.saved(),
                static_cast<int>(camera.missed().size()));
    for (const std::string& missed : camera.missed()) std::printf("gallery:   %s\n", missed.c_str());
    return walked && camera.saved() > 0 ? 0 : 1;
}
