// Timing of the log dumps against their floor and the platform's reference, in the same run
// (by hand, not by CTest). Every figure is the median of RUNS runs.
//  registry: ZKLogRegistry of keys of 1,000, 10,000 and 40,000 values, per value, against a loop
//            that only enumerates the values with their data, and against the platform's own
//            export of the same key (regedit /E); an empty key's figure is taken from each, so
//            that start-up is not counted.
//  INI:      the system-file dump of a declared INI file, every section, and the same file
//            copied whole into the log (ZKLogAscii), against reading the file and writing it in
//            64 KB blocks; 5 MB cut into 50 to 3,200 sections, and 2 to 20 MB in 200 sections.
//  masking:  for each key, the work that hiding secrets adds (the name test of every value)
//            against the dump without it; for each file, its dump into an open log by sections
//            and whole with the program's secret names against the same dump with none (goal <=
//            5%). The two are timed in turn, the order swapped every round, and the figure is the
//            median of each round's ratio: a busy machine slows both of a round alike. Beside the
//            whole file, what a search sixteen bytes at a time would add instead (VectorSearchCost.h).
//  hiding:   personal details hidden in a log of 5 and 20 MB with an address or name in every
//            tenth line, mapped, rewritten and put in place, against a plain 64 KB copy of it,
//            timed in turn the same way (goal <= 2).
//
//   zelkor_bench.exe [RUNS [PART]]   PART: registry, ini or hiding; all when none is given
//   (run from its build folder: it loads benchlibs\ini\IniBench.ZKL)
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <random>
#include <string>
#include <vector>

#include "BenchTiming.h"
#include "VectorSearchCost.h"
#include "framework/Handles.h"
#include "log/LogCopy.h"
#include "log/HiddenLog.h"
#include "log/IniDump.h"
#include "log/LogFile.h"
#include "log/PersonalDetails.h"
#include "log/SystemFileDump.h"
#include "log/SecretNames.h"
#include "log/TextFileDump.h"
#include "testlib/TestLibrary.h"
#include "zelkor.h"

namespace {

const char kKey[] = "Software\\Zelkor\\Benchmark";
const char kEmptyKey[] = "Software\\Zelkor\\BenchmarkEmpty";
const char kIniFile[] = "C:\\ZelkorBench.ini";  // the file that the bench library declares
const char kCopyFile[] = "C:\\ZelkorBaseline.txt";
const char kExportFile[] = "C:\\ZelkorRegedit.reg";

int runs = 5;

template <class Work>
double medianSeconds(Work work) {
    std::vector<double> times;
    for (int run = 0; run < runs; ++run) times.push_back(bench::Seconds(work));
    return bench::Median(times);
}

// Two kinds of work timed in turn, the first round not counted and the order swapped every
// round, so that neither always runs on the other's warm caches or in a quieter moment.
struct Paired {
    double minA, medianA, minB, medianB;
    double ratio;  // the median of each round's a / b
};

template <class A, class B>
Paired timePaired(A a, B b) {
    std::vector<double> as, bs, ratios;
    for (int run = -1; run < runs; ++run) {
        double first = 0, second = 0;
        if (run % 2 == 0) {
            second = b();
            first = a();
        } else {
            first = a();
            second = b();
        }
        if (run < 0) continue;
        as.push_back(first);
        bs.push_back(second);
        ratios.push_back(first / second);
    }
    return {*std::min_element(as.begin(), as.end()), bench::Median(as), *std::min_element(bs.begin(), bs.end()),
            bench::Median(bs), bench::Median(ratios)};
}

// Values up to `count`, added to those already there: 40% strings of 10 to 100 characters, 30%
// DWORDs, 30% binary values of 1 to 64 bytes.
void seedKey(HKEY key, int from, int count, std::mt19937& random) {
    for (int i = from; i < count; ++i) {
        char name[32];
        snprintf(name, sizeof name, "Value%05d", i);
        const unsigned kind = random() % 10;
        if (kind < 4) {
            std::string text(10 + random() % 91, ' ');
            for (char& c : text) c = static_cast<char>('a' + random() % 26);
            RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                           static_cast<DWORD>(text.size() + 1));
        } else if (kind < 7) {
            const DWORD number = random();
            RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof number);
        } else {
            std::vector<BYTE> bytes(1 + random() % 64);
            for (BYTE& b : bytes) b = static_cast<BYTE>(random());
            RegSetValueExA(key, name, 0, REG_BINARY, bytes.data(), static_cast<DWORD>(bytes.size()));
        }
    }
}

// The dump alone, into an open log: like regedit /E, it does not wait for the disk.
double dumpKey(const char* subkey) {
    std::vector<double> times;
    for (int run = 0; run < runs; ++run) {
        CreateLogFile();
        times.push_back(bench::Seconds([subkey] { ZKLogRegistry(HKEY_CURRENT_USER, subkey); }));
        CommitLogFile();
    }
    return bench::Median(times);
}

// The floor: every value listed with its data, nothing written.
double enumerateKey(const char* subkey) {
    return medianSeconds([subkey] {
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, subkey, 0, KEY_READ, &key)) return;
        std::vector<BYTE> data(65536);
        char name[512];
        for (DWORD index = 0;; ++index) {
            DWORD nameLength = sizeof name, type = 0, size = static_cast<DWORD>(data.size());
            if (RegEnumValueA(key, index, name, &nameLength, nullptr, &type, data.data(), &size) == ERROR_NO_MORE_ITEMS)
                break;
        }
        RegCloseKey(key);
    });
}

// The platform's export of the key as a whole process, start-up included.
double exportKey(const char* subkey) {
    std::string command = std::string("regedit.exe /E ") + kExportFile + " \"HKEY_CURRENT_USER\\" + subkey + "\"";
    return medianSeconds([&command] {
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process{};
        if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
            return;
        WaitForSingleObject(process.hProcess, INFINITE);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    });
}

// The secret test of every value name in the key.
double maskValueNames(HKEY key) {
    std::vector<std::string> names;
    char name[512];
    for (DWORD index = 0, length = sizeof name; !RegEnumValueA(key, index, name, &length, nullptr, nullptr, nullptr,
                                                              nullptr);
         ++index, length = sizeof name)
        names.emplace_back(name, length);
    return medianSeconds([&names] {
        size_t secret = 0;
        for (const std::string& value : names) secret += SecretNames().Matches(value);
        if (secret == names.size() + 1) printf("?");  // keeps the loop from being optimized away
    });
}

void benchRegistry() {
    RegDeleteTreeA(HKEY_CURRENT_USER, kKey);
    HKEY key = nullptr, empty = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) ||
        RegCreateKeyExA(HKEY_CURRENT_USER, kEmptyKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &empty, nullptr)) {
        printf("cannot create HKCU\\%s\n", kKey);
        return;
    }
    const double dumpStart = dumpKey(kEmptyKey), exportStart = exportKey(kEmptyKey);
    printf("registry dump, per value (start-up taken away: dump %.2f ms, regedit /E %.1f ms)\n", dumpStart * 1e3,
           exportStart * 1e3);
    std::mt19937 random(1234);
    int seeded = 0;
    for (int count : {1000, 10000, 40000}) {
        seedKey(key, seeded, count, random);
        seeded = count;
        const double dump = (dumpKey(kKey) - dumpStart) / count * 1e6;
        const double floor = enumerateKey(kKey) / count * 1e6;
        const double reference = (exportKey(kKey) - exportStart) / count * 1e6;
        printf("  %5d values: ZKLogRegistry %.2f us, enumeration alone %.2f us (ratio %.2f, goal <= 1.3), "
               "regedit /E %.2f us (ratio %.2f, goal < 1)\n",
               count, dump, floor, dump / floor, reference, dump / reference);
        const double masking = maskValueNames(key) / count * 1e6;
        printf("         masking %.3f us a value, %.2f%% of the dump without it (goal <= 5%%)\n", masking,
               100 * masking / (dump - masking));
    }
    RegCloseKey(key);
    RegCloseKey(empty);
    RegDeleteTreeA(HKEY_CURRENT_USER, kKey);
    RegDeleteTreeA(HKEY_CURRENT_USER, kEmptyKey);
    DeleteFileA(kExportFile);
}

// An INI file of about `bytes` bytes in `sections` sections: short and wrapped entries, comments
// and blank lines.
void writeIniFile(size_t bytes, int sections) {
    std::string text;
    text.reserve(bytes + 4096);
    const size_t perSection = bytes / sections;
    char line[160];
    for (int section = 0; section < sections; ++section) {
        snprintf(line, sizeof line, "[Section%04d]\r\n; settings of part %d\r\n\r\n", section, section);
        text += line;
        const size_t end = text.size() + perSection;
        for (int entry = 0; text.size() < end; ++entry) {
            if (entry % 10 == 9)
                snprintf(line, sizeof line, "LongEntry%04d=%s%s\r\n", entry, "C:\\Program Files\\Corvane\\Ravelin\\",
                         "Drivers\\Fax\\Modem\\Class2\\init.dat");
            else
                snprintf(line, sizeof line, "Entry%04d = value %d of section %d\r\n", entry, entry, section);
            text += line;
        }
    }
    std::ofstream(kIniFile, std::ios::binary) << text;
}

// A new modification time, so that the profile functions read the file afresh, as the first
// reading in a session does, rather than from their cache.
void touchIniFile() {
    static ULONGLONG tick = 0;
    HANDLE file = CreateFileA(kIniFile, FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    ULARGE_INTEGER time{{now.dwLowDateTime, now.dwHighDateTime}};
    time.QuadPart += ++tick * 10000000ull;
    now = {time.LowPart, time.HighPart};
    SetFileTime(file, nullptr, nullptr, &now);
    CloseHandle(file);
}

double dumpIniFile() {
    std::vector<double> times;
    for (int run = 0; run < runs; ++run) {
        touchIniFile();
        times.push_back(bench::Seconds([] {
            CreateLogFile();
            LogSystemFiles();
            CommitLogFile();
        }));
    }
    return bench::Median(times);
}

// The floor: the file read and written in 64 KB blocks.
double copyIniFileOnce() {
    return bench::Seconds([] {
        HANDLE in = CreateFileA(kIniFile, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
        HANDLE out = CreateFileA(kCopyFile, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        std::vector<char> block(64 * 1024);
        DWORD read = 0, written = 0;
        while (ReadFile(in, block.data(), static_cast<DWORD>(block.size()), &read, nullptr) && read > 0)
            WriteFile(out, block.data(), read, &written, nullptr);
        FlushFileBuffers(out);
        CloseHandle(out);
        CloseHandle(in);
    });
}

double copyIniFile() { return medianSeconds(copyIniFileOnce); }

// A dump into an open log with the program's secret names against the same with none. The log's
// commit, the same for both, waits for the disk and is left out of the time.
template <class Dump>
Paired maskedAndBare(Dump dump) {
    static const CSecretNames none("");
    const auto timed = [&dump](const CSecretNames& names) {
        CreateLogFile();
        const double time = bench::Seconds([&dump, &names] { dump(names); });
        CommitLogFile();
        return time;
    };
    return timePaired([&timed] { return timed(SecretNames()); }, [&timed] { return timed(none); });
}

void printMasking(const char* what, const Paired& times) {
    printf("%s %.4f/%.4f s against %.4f/%.4f s without, %+.2f%%", what, times.minA, times.medianA, times.minB,
           times.medianB, 100 * (times.ratio - 1));
}

// The same file as a whole text file copied into the log.
Paired dumpWholeFile() {
    return maskedAndBare([](const CSecretNames& names) {
        fw::UniqueFile file(CreateFileA(kIniFile, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
        LogFilteredTextFile(file.get(), names);
    });
}

// Every section of the file's text, as the system-file dump writes them once the file is read.
Paired dumpSections(const std::string& text, int sections) {
    std::vector<std::string> names;
    char name[32];
    for (int section = 0; section < sections; ++section) {
        snprintf(name, sizeof name, "Section%04d", section);
        names.push_back(name);
    }
    return maskedAndBare([&](const CSecretNames& secret) { LogIniSections(text, names, secret); });
}

void benchIniFile(int megabytes, int sectionCount) {
    writeIniFile(megabytes * (1u << 20), sectionCount);
    const double dump = dumpIniFile();
    const Paired whole = dumpWholeFile();
    const double floor = copyIniFile();
    printf("  %2d MB, %4d sections: by sections %.3f s, whole %.3f s, 64 KB copy %.3f s, ratios %.2f and %.2f "
           "(goal <= 5)\n",
           megabytes, sectionCount, dump, whole.medianA, floor, dump / floor, whole.medianA / floor);
    std::string text;
    ReadWholeLog(kIniFile, text);
    printMasking("         masking (min/median): by sections", dumpSections(text, sectionCount));
    printMasking(";\n                               whole", whole);
    printf(" (goal <= 5%%)\n");
    const VectorSearchCost search = TimeVectorSearch(text, SecretNames(), runs);
    if (search.measured)
        printf("         a vector search would add: line ends and '=' %.2f ms (%+.1f%%), the words' letter pairs "
               "%.2f ms more (%+.1f%%)\n",
               1e3 * search.lines, 100 * search.lines / whole.medianB, 1e3 * search.pairs,
               100 * search.pairs / whole.medianB);
}

// A log of about `bytes` bytes: the INI text with an address, a user folder or a computer name
// in every tenth line.
void writeDetailedLog(size_t bytes, const MachineNames& names) {
    writeIniFile(bytes, 200);
    std::string text;
    ReadWholeLog(kIniFile, text);
    std::string log = "Name:               bench\r\n\r\n", line;
    std::istringstream lines(text);
    char detail[128];
    for (unsigned n = 0; std::getline(lines, line); ++n) {
        log += line;
        if (n % 10 == 0) {
            snprintf(detail, sizeof detail, " user%u@mail%u.example 10.%u.%u.%u C:\\Users\\%s\\x %s", n % 97, n % 13,
                     n % 7, n % 11, n % 250, names.user.c_str(), names.computer.c_str());
            log += detail;
        }
        log += '\n';
    }
    std::ofstream(kIniFile, std::ios::binary) << log;
}

void benchHiding() {
    const MachineNames names = CurrentMachineNames();
    printf("personal details hidden in a log, against a 64 KB copy\n");
    for (int megabytes : {5, 20}) {
        writeDetailedLog(megabytes * (1u << 20), names);
        // Each run hides the details of the same log: the original is put back, untimed.
        const Paired times = timePaired(
            [] {
                const double time = bench::Seconds([] { HideDetailsInLog(kIniFile); });
                RestoreHiddenDetails(kIniFile);
                return time;
            },
            copyIniFileOnce);
        printf("  %2d MB (min/median): hiding %.3f/%.3f s, copy %.3f/%.3f s, ratio %.2f (goal <= 2)\n", megabytes,
               times.minA, times.medianA, times.minB, times.medianB, times.ratio);
    }
    DeleteFileA(PlaceholderMapFileName(kIniFile).c_str());
    DeleteFileA(kIniFile);
    DeleteFileA(kCopyFile);
}

void benchIni() {
    if (!FindTestLibrariesIn(bench::ProgramDirectory() + "benchlibs\\ini\\")) {
        printf("no benchlibs\\ini\\IniBench.ZKL beside the program\n");
        return;
    }
    printf("INI dump of %s, by every section and whole\n", kIniFile);
    for (int sections : {50, 200, 800, 3200}) benchIniFile(5, sections);
    for (int megabytes : {2, 10, 20}) benchIniFile(megabytes, 200);
    FreeTestLibraries();
    DeleteFileA(kIniFile);
    DeleteFileA(kCopyFile);
}

}  // namespace

int main(int argc, char** argv) {
    runs = bench::Runs(argc, argv);
    setvbuf(stdout, nullptr, _IONBF, 0);  // each line as it comes, also into a pipe
    const std::string part = argc > 2 ? argv[2] : "";
    printf("medians of %d runs\n", runs);
    if (part.empty() || part == "registry") benchRegistry();
    if (part.empty() || part == "ini") benchIni();
    if (part.empty() || part == "hiding") benchHiding();
    DeleteFileA(LogFileName());
    return 0;
}
