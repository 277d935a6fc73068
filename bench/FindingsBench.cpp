// The cost of findings against their floor, in the same run (by hand, not by CTest). Every
// figure is the median of RUNS runs.
//  insertion: a log of 1 to 50 MB with 1,000 findings put after its header, then committed,
//             against the same log committed without them; the difference against the floor,
//             reading and writing the same bytes once in 1 MB blocks (a copy of the file).
//  reports:   1,000 findings reported, each checked against those kept, per report.
//
//   zelkor_findings_bench.exe [RUNS] [MB ...]     (default: 5 runs of 1, 10 and 50 MB)
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "BenchTiming.h"
#include "log/Findings.h"
#include "log/LogFile.h"

namespace {

const char kLog[] = "C:\\ZelkorFindingsBench.log";
const char kCopy[] = "C:\\ZelkorFindingsBench.copy";
constexpr DWORD kPiece = 64 * 1024;
constexpr DWORD kBlock = 1024 * 1024;

void reportThousand(CFindings& findings) {
    for (int at = 0; at < 1000; ++at)
        findings.Report(1 + at % 3, at % 2 ? "Keelson Modems and Ports" : "Ravelin Fax",
                        "Line " + std::to_string(at) + " uses COM97, a port that this computer does not have.");
}

// A log of `megabytes` written in pieces as the dumps write it; then the section, if any, goes
// after the header, and the log is committed. The seconds from the end of the writing.
double finishLog(size_t megabytes, const std::string& section) {
    CLogFile log(kLog);
    log.Create();
    log.Write("Name:               Ada\r\n\r\n", 27);
    log.MarkFront();
    std::string piece;
    while (piece.size() < kPiece) piece += "STRING    Init                 = ATZ&F&C1&D2\r\n";
    for (size_t written = 0; written < megabytes * kBlock; written += piece.size())
        log.Write(piece.data(), static_cast<DWORD>(piece.size()));
    return bench::Seconds([&] {
        log.InsertAtFront(section);
        log.Commit();
    });
}

// The floor: every byte of the log read and written once, in 1 MB blocks, to the disk.
double copyLog() {
    return bench::Seconds([] {
        HANDLE from = CreateFileA(kLog, GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        HANDLE to = CreateFileA(kCopy, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        std::vector<char> block(kBlock);
        DWORD read = 0, written = 0;
        while (ReadFile(from, block.data(), kBlock, &read, nullptr) && read)
            WriteFile(to, block.data(), read, &written, nullptr);
        FlushFileBuffers(to);
        CloseHandle(to);
        CloseHandle(from);
    });
}

}  // namespace

int main(int argc, char** argv) {
    const int runs = bench::Runs(argc, argv);
    std::vector<size_t> sizes;
    for (int at = 2; at < argc; ++at) sizes.push_back(std::strtoul(argv[at], nullptr, 10));
    if (sizes.empty()) sizes = {1, 10, 50};

    CFindings findings;
    reportThousand(findings);
    const std::string section = FindingsSection(findings.Sorted(), findings.Dropped());
    std::printf("1,000 findings: a section of %zu bytes\n", section.size());
    std::printf("  log     commit   with findings   extra    1 MB-block copy   extra / copy\n");
    for (size_t megabytes : sizes) {
        std::vector<double> plain, inserted, copied;
        for (int run = 0; run < runs; ++run) {
            plain.push_back(finishLog(megabytes, ""));
            inserted.push_back(finishLog(megabytes, section));
            copied.push_back(copyLog());
        }
        const double extra = bench::Median(inserted) - bench::Median(plain);
        std::printf("  %2zu MB  %6.3f s    %6.3f s     %6.3f s      %6.3f s          %5.2f\n", megabytes,
                    bench::Median(plain), bench::Median(inserted), extra, bench::Median(copied),
                    extra / bench::Median(copied));
    }
    DeleteFileA(kLog);
    DeleteFileA(kCopy);

    std::vector<double> reporting;
    for (int run = 0; run < runs; ++run) reporting.push_back(bench::Seconds([] {
        CFindings fresh;
        reportThousand(fresh);
    }));
    std::printf("reporting 1,000 findings: %.1f us per report\n", bench::Median(reporting) * 1e6 / 1000);
    return 0;
}
