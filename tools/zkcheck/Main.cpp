// zkcheck: checks test libraries before they are put beside Zelkor.exe. For each file it prints
// either what the wizard will show of it or every problem found, with its place.
//
//   zkcheck.exe LIBRARY.ZKL [MORE.ZKL ...]
//
// Exit status 0 when every file is sound, 1 otherwise (2: no file named).
#include <cstdio>

#include "framework/Trace.h"
#include "tools/zkcheck/LibraryCheck.h"

namespace {

// True when the file is sound; prints the summary or the problems.
bool Report(const char* file) {
    const LibraryCheck check = CheckLibrary(file);
    if (check.sound()) {
        std::printf("%s: sound\n", file);
        for (const auto& line : check.summary) std::printf("  %s\n", line.c_str());
        return true;
    }
    std::printf("%s: %zu problem%s\n", file, check.problems.size(), check.problems.size() == 1 ? "" : "s");
    for (const auto& line : check.problems) std::printf("  %s\n", line.c_str());
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: zkcheck LIBRARY.ZKL [MORE.ZKL ...]\n");
        return 2;
    }
    bool allSound = true;
    for (int index = 1; index < argc; ++index) {
        try {
            allSound = Report(argv[index]) && allSound;
        } catch (...) {
            fw::TraceCaughtException("zkcheck");
            std::printf("%s: could not be checked: an internal error\n", argv[index]);
            allSound = false;
        }
    }
    return allSound ? 0 : 1;
}
