// An unattended run against a person's session driven as fast as a driver can press the buttons,
// in the same run (by hand, not by CTest): Typical and Full sessions of the sample libraries, each
// timed from the process's start to its end. The driven session chooses the diagnostics, presses
// Next whenever it is enabled, answers User Info at once, waits for the log and presses Finish.
// The target: the unattended run takes at most as long (ratio at most 1.0). Every figure is the
// median of RUNS runs.
//
//   zelkor_unattended_bench.exe [RUNS]   (from its build folder: it copies ..\Zelkor.exe, ..\*.dll
//                                         and ..\testlibs\*.ZKL; a display must be up)
#include <windows.h>

#include <cstdio>
#include <string>

#include "BenchFiles.h"
#include "BenchTiming.h"
#include "driver/Driver.h"
#include "resources/resource.h"

namespace {

// A person's session as fast as the driver goes; 0 when it did not end within a minute.
double drivenSession(const std::string& folder, int diagnostics) {
    drive::Process process;
    const double start = bench::Now();
    if (!process.Start("\"" + folder + "Zelkor.exe\"", folder)) return 0;
    HWND wizard = drive::WaitFor([&] { return drive::WaitForTopLevel(process.pid(), "#32770", "Zelkor", 0); }, 30000);
    if (!wizard) return 0;
    bool chosen = false, finished = false;
    DWORD exitCode = 0;
    // A millisecond between looks leaves the program the processor it needs.
    while (!process.WaitForExit(1, exitCode)) {
        if (bench::Now() - start > 60) {
            process.Kill();
            return 0;
        }
        if (HWND info = drive::WaitForTopLevel(process.pid(), "#32770", "User Info", 0)) {
            drive::Click(info, IDOK);
            continue;
        }
        HWND page = drive::VisibleChildDialog(wizard);
        if (!page || !IsWindowEnabled(wizard)) continue;
        if (!chosen && GetDlgItem(page, diagnostics)) {
            chosen = drive::Click(page, diagnostics);
        } else if (GetDlgItem(page, IDC_COMPLETE_RESULT)) {
            if (!drive::Text(GetDlgItem(page, IDC_COMPLETE_RESULT)).empty())
                finished = drive::Click(wizard, IDC_WIZARD_FINISH) || finished;
        } else if (drive::IsVisible(wizard, IDC_WIZARD_CONTINUE) && drive::IsEnabled(wizard, IDC_WIZARD_CONTINUE)) {
            drive::Click(wizard, IDC_WIZARD_CONTINUE);
        } else if (drive::IsEnabled(wizard, IDC_WIZARD_NEXT)) {
            drive::Click(wizard, IDC_WIZARD_NEXT);
        }
    }
    // A session that ended otherwise (a start-up that failed, say) is no measure.
    return finished && exitCode == 0 ? bench::Now() - start : -1;
}

double unattendedRun(const std::string& folder, const char* mode) {
    drive::Process process;
    const double start = bench::Now();
    if (!process.Start("\"" + folder + "Zelkor.exe\" " + mode, folder)) return 0;
    DWORD exitCode = 0;
    if (!process.WaitForExit(60000, exitCode)) {
        process.Kill();
        return 0;
    }
    if (exitCode != 0) std::printf("%s ended with exit code %lu\n", mode, exitCode);
    return exitCode == 0 ? bench::Now() - start : 0;
}

}  // namespace

int main(int argc, char** argv) {
    const int runs = bench::Runs(argc, argv);
    const std::string build = bench::ProgramDirectory() + "..\\";
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    const std::string folder = std::string(temp) + "zelkor-unattended-bench\\";
    CreateDirectoryA(folder.c_str(), nullptr);
    if (!copyMatching(build, "Zelkor.exe", folder) || !copyMatching(build, "*.dll", folder) ||
        !copyMatching(build + "testlibs\\", "*.ZKL", folder)) {
        std::printf("cannot copy the program and the sample libraries into %s\n", folder.c_str());
        return 1;
    }
    const struct {
        const char* name;
        int button;
        const char* switches;
    } sessions[] = {{"Typical", IDC_WELCOME_TYPICAL, "/auto"}, {"Full", IDC_WELCOME_FULL, "/auto:full"}};
    std::printf("session   driven (s)  unattended (s)  ratio   (median of %d)\n", runs);
    int failures = 0;
    for (const auto& session : sessions) {
        std::vector<double> driven, unattended;
        for (int run = 0; run < runs; ++run) {
            const double a = drivenSession(folder, session.button), b = unattendedRun(folder, session.switches);
            if (a == 0) std::printf("the driven %s session %d did not end within a minute\n", session.name, run + 1);
            if (a < 0) std::printf("the driven %s session %d ended before its Finish\n", session.name, run + 1);
            if (a <= 0 || b <= 0) ++failures;
            driven.push_back(a);
            unattended.push_back(b);
        }
        const double d = bench::Median(driven), u = bench::Median(unattended);
        std::printf("%-8s  %10.2f  %14.2f  %5.2f\n", session.name, d, u, d > 0 ? u / d : 0.0);
    }
    if (failures) std::printf("%d runs failed (not ended within a minute, or not with exit code 0)\n", failures);
    return failures ? 1 : 0;
}
