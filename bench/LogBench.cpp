// Timing of the log dumps (run by hand, not by CTest):
//  (a) ZKLogRegistry of a key with 10,000 values against a bare loop that only enumerates,
//      queries and writes each value's text with one WriteFile;
//  (b) a 5 MB and a 10 MB INI file of 200 sections, every section listed, loaded and written
//      with ZKLoadIniFile and ZKLogIniSection.
// Each figure is the best of three rounds. Pin the program and wineserver to one core for
// stable figures: taskset -c 0 wineserver -p; taskset -c 0 wine64 zelkor_bench.exe
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "log/LogFile.h"
#include "zelkor.h"

namespace {

const char kScratchKey[] = "Software\\Zelkor\\Benchmark";
const char kBaselineFile[] = "C:\\ZelkorBaseline.txt";
constexpr int kValues = 10000;
constexpr int kRounds = 3;
constexpr int kSections = 200;

// Seconds of the fastest of kRounds runs.
template <class Work>
double bestOf(Work work) {
    using Clock = std::chrono::steady_clock;
    Clock::duration best = Clock::duration::max();
    for (int round = 0; round < kRounds; ++round) {
        const Clock::time_point start = Clock::now();
        work();
        best = std::min(best, Clock::now() - start);
    }
    return std::chrono::duration<double>(best).count();
}

// 40% strings of 10 to 100 characters, 30% DWORDs, 30% binary values of 1 to 64 bytes.
bool seedScratchKey() {
    RegDeleteTreeA(HKEY_CURRENT_USER, kScratchKey);
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, kScratchKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr))
        return false;
    std::mt19937 random(1234);
    for (int i = 0; i < kValues; ++i) {
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
    RegCloseKey(key);
    return true;
}

// The least any dump must do: list, read and write every value once.
void baselineDump(HANDLE out) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kScratchKey, 0, KEY_READ, &key)) return;
    std::vector<BYTE> data(65536);
    std::string text;
    for (DWORD index = 0;; ++index) {
        char name[512];
        DWORD nameLength = sizeof name, type = 0, size = 0;
        if (RegEnumValueA(key, index, name, &nameLength, nullptr, &type, nullptr, &size) == ERROR_NO_MORE_ITEMS) break;
        size = static_cast<DWORD>(data.size());
        RegQueryValueExA(key, name, nullptr, &type, data.data(), &size);
        text = std::string(name) + " = ";
        if (type == REG_SZ) text.append(reinterpret_cast<const char*>(data.data()));
        for (DWORD i = 0; type != REG_SZ && i < size; ++i) {
            char hex[4];
            snprintf(hex, sizeof hex, " %02X", data[i]);
            text += hex;
        }
        text += "\r\n";
        DWORD written = 0;
        WriteFile(out, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    }
    RegCloseKey(key);
}

void benchRegistry() {
    if (!seedScratchKey()) {
        printf("cannot create HKCU\\%s\n", kScratchKey);
        return;
    }
    const double dump = bestOf([] {
        CreateLogFile();
        ZKLogRegistry(HKEY_CURRENT_USER, kScratchKey);
        CommitLogFile();
    });
    const double baseline = bestOf([] {
        HANDLE out = CreateFileA(kBaselineFile, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        baselineDump(out);
        FlushFileBuffers(out);
        CloseHandle(out);
    });
    printf("registry, %d values: ZKLogRegistry %.3f s, baseline %.3f s, ratio %.2f (goal: at most 1.5)\n", kValues,
           dump, baseline, dump / baseline);
    RegDeleteTreeA(HKEY_CURRENT_USER, kScratchKey);
    DeleteFileA(kBaselineFile);
}

// An INI file of about `bytes` bytes in kSections sections: short and wrapped entries, comments
// and blank lines.
void writeIniFile(const char* path, size_t bytes) {
    std::string text;
    text.reserve(bytes + 4096);
    const size_t perSection = bytes / kSections;
    char line[160];
    for (int section = 0; section < kSections; ++section) {
        snprintf(line, sizeof line, "[Section%03d]\r\n; settings of part %d\r\n\r\n", section, section);
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
    std::ofstream(path, std::ios::binary) << text;
}

double timeIniDump(const char* path) {
    return bestOf([path] {
        CreateLogFile();
        HGLOBAL text = ZKLoadIniFile(path);
        for (int section = 0; section < kSections; ++section) {
            char name[32];
            snprintf(name, sizeof name, "section%03d", section);
            ZKLogIniSection(text, name);
        }
        GlobalFree(text);
        CommitLogFile();
    });
}

void benchIni() {
    const char path[] = "C:\\ZelkorBench.ini";
    double seconds[2] = {};
    for (int size : {0, 1}) {
        writeIniFile(path, (size + 1) * (5u << 20));
        seconds[size] = timeIniDump(path);
    }
    printf("INI, %d sections: 5 MB %.3f s, 10 MB %.3f s, growth %.2f\n", kSections, seconds[0], seconds[1],
           seconds[1] / seconds[0]);
    DeleteFileA(path);
}

}  // namespace

int main() {
    benchRegistry();
    benchIni();
    DeleteFileA(LogFileName());
    return 0;
}
