// zkcheck: checks test libraries before they are put beside Zelkor.exe. For each file it prints
// either what the wizard will show of it or every problem found, with its place.
//
//   zkcheck.exe LIBRARY.ZKL [MORE.ZKL ...]
//
// Exit status 0 when every file is sound, 1 otherwise (2: no file named).
#include <cstdio>

#include "tools/zkcheck/LibraryCheck.h"

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: zkcheck LIBRARY.ZKL [MORE.ZKL ...]\n");
        return 2;
    }
    bool allSound = true;
    for (int index = 1; index < argc; ++index) {
        const LibraryCheck check = CheckLibrary(argv[index]);
        if (check.sound()) {
            std::printf("%s: sound\n", argv[index]);
            for (const auto& line : check.summary) std::printf("  %s\n", line.c_str());
        } else {
            allSound = false;
            std::printf("%s: %zu problem%s\n", argv[index], check.problems.size(),
                        check.problems.size() == 1 ? "" : "s");
            for (const auto& line : check.problems) std::printf("  %s\n", line.c_str());
        }
    }
    return allSound ? 0 : 1;
}
