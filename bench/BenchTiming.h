// What the benchmark programs share: wall-clock timing, medians, and the folder they run from.
#pragma once
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <string>
#include <vector>

namespace bench {

// Seconds on a steady clock, for spans that enclose more than one call.
inline double Now() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

template <class Work>
double Seconds(Work&& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

inline double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

// The number of runs behind each median: the first argument, 5 when none is given.
inline int Runs(int argc, char** argv) {
    const int runs = argc > 1 ? std::atoi(argv[1]) : 0;
    return runs > 0 ? runs : 5;
}

// The folder of the running program, ending in "\".
inline std::string ProgramDirectory() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string directory(path);
    return directory.erase(directory.find_last_of('\\') + 1);
}

}  // namespace bench
