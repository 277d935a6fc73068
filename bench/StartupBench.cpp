// Start-up to the painted Welcome page against a bare dialog program, in the same run (by hand,
// not by CTest). Each program is started as a whole process and timed until its window is shown
// with nothing left to paint; its working set is read there, and it is ended. Zelkor starts from
// a folder of its own that holds 3, 10, 50 or 100 copies of the sample libraries. Every figure
// is the median of RUNS runs.
//
//   zelkor_startup_bench.exe [RUNS]   (from its build folder: it copies ..\Zelkor.exe, ..\*.dll
//                                      and ..\testlibs\*.ZKL; a display must be up)
#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <string>
#include <vector>

#include "BenchFiles.h"
#include "BenchTiming.h"

namespace {

struct Start {
    double seconds = 0;
    double megabytes = 0;
};

struct Search {
    DWORD process;
    HWND window;
};

BOOL CALLBACK findShownWindow(HWND window, LPARAM context) {
    auto& search = *reinterpret_cast<Search*>(context);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != search.process || !IsWindowVisible(window)) return TRUE;
    search.window = window;
    return FALSE;
}

BOOL CALLBACK findUnpainted(HWND window, LPARAM context) {
    if (!IsWindowVisible(window) || !GetUpdateRect(window, nullptr, FALSE)) return TRUE;
    *reinterpret_cast<bool*>(context) = true;
    return FALSE;
}

// Shown, answering, and with nothing of it or its controls left to paint.
bool isPainted(HWND window) {
    if (!SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_BLOCK, 5000, nullptr) || GetUpdateRect(window, nullptr, FALSE))
        return false;
    bool unpainted = false;
    EnumChildWindows(window, findUnpainted, reinterpret_cast<LPARAM>(&unpainted));
    return !unpainted;
}

// One start of the program, or nothing when it did not show a window within 30 seconds.
bool startOnce(const std::string& program, const std::string& directory, Start& start) {
    std::string command = "\"" + program + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    const auto begin = std::chrono::steady_clock::now();
    if (!CreateProcessA(program.c_str(), &command[0], nullptr, nullptr, FALSE, 0, nullptr, directory.c_str(), &startup,
                        &process))
        return false;
    Search search{process.dwProcessId, nullptr};
    bool shown = false;
    while (!shown && WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT &&
           std::chrono::steady_clock::now() - begin < std::chrono::seconds(30)) {
        search.window = nullptr;
        EnumWindows(findShownWindow, reinterpret_cast<LPARAM>(&search));
        shown = search.window && isPainted(search.window);
        if (!shown) Sleep(1);
    }
    start.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof memory;
    if (GetProcessMemoryInfo(process.hProcess, &memory, sizeof memory))
        start.megabytes = static_cast<double>(memory.WorkingSetSize) / (1 << 20);
    TerminateProcess(process.hProcess, 0);
    WaitForSingleObject(process.hProcess, INFINITE);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return shown;
}

bool medianStart(const std::string& program, const std::string& directory, int runs, Start& median) {
    std::vector<double> seconds, megabytes;
    Start start;
    for (int run = 0; run < runs; ++run) {
        if (!startOnce(program, directory, start)) return false;
        seconds.push_back(start.seconds);
        megabytes.push_back(start.megabytes);
    }
    median = {bench::Median(seconds), bench::Median(megabytes)};
    return true;
}

// A folder with the program, its runtime and `count` libraries, copies of the samples in turn.
bool makeProgramFolder(const std::string& build, const std::string& folder, int count) {
    CreateDirectoryA(folder.c_str(), nullptr);
    if (!copyMatching(build, "Zelkor.exe", folder) || !copyMatching(build, "*.dll", folder)) return false;
    const char* samples[] = {"Modem", "Ravelin", "System"};
    for (int n = 0; n < count; ++n) {
        char name[32];
        snprintf(name, sizeof name, "%s%03d.ZKL", samples[n % 3], n);
        if (!CopyFileA((build + "testlibs\\" + samples[n % 3] + ".ZKL").c_str(), (folder + name).c_str(), FALSE))
            return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    const int runs = bench::Runs(argc, argv);
    setvbuf(stdout, nullptr, _IONBF, 0);  // each line as it comes, also into a pipe
    const std::string here = bench::ProgramDirectory(), build = here + "..\\";
    Start bare;
    if (!medianStart(here + "zelkor_bare_dialog.exe", here, runs, bare)) {
        printf("the bare dialog did not show\n");
        return 1;
    }
    printf("medians of %d runs; bare dialog: %.3f s, %.1f MB\n", runs, bare.seconds, bare.megabytes);
    Start fewest;
    int fewestCount = 0;
    for (int count : {3, 10, 50, 100}) {
        const std::string folder = here + "startup" + std::to_string(count) + "\\";
        Start zelkor;
        if (!makeProgramFolder(build, folder, count) || !medianStart(folder + "Zelkor.exe", folder, runs, zelkor)) {
            printf("%3d libraries: Zelkor did not show its Welcome page\n", count);
            return 1;
        }
        if (!fewestCount) {
            fewest = zelkor;
            fewestCount = count;
        }
        printf("%3d libraries: Welcome page %.3f s (ratio %.2f, goal <= 2), %.1f MB (%.2f MB a library above %d)\n",
               count, zelkor.seconds, zelkor.seconds / bare.seconds, zelkor.megabytes,
               count > fewestCount ? (zelkor.megabytes - fewest.megabytes) / (count - fewestCount) : 0.0, fewestCount);
    }
    return 0;
}
