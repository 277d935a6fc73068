// Timing of the registry editor's tree fill (run by hand, not by CTest): Refresh on a tree of
// 5,000, 10,000 and 20,000 keys (ten subkeys per key, two values each) against a raw recursive
// walk of the same tree in the same run, which makes the calls the fill cannot avoid: open,
// query information, enumerate the subkeys, close. Goal: the fill at most 1.3 times the walk,
// and the time per key the same at every size. Pin the program and wineserver to one core.
//   taskset -c 0 wine64 zelkor_regedit_bench.exe
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "BenchTiming.h"
#include "editors/RegistryEditorWnd.h"

namespace {

const char kTree[] = "Software\\ZelkorBench\\RegistryEditor";

// Breadth first, ten subkeys under each key, until there are keys in all.
void buildTree(int keys) {
    RegDeleteTreeA(HKEY_CURRENT_USER, kTree);
    std::vector<std::string> queue{kTree};
    int made = 0;
    for (size_t next = 0; made < keys; ++next) {
        for (int child = 0; child < 10 && made < keys; ++child, ++made) {
            const std::string path = queue[next] + "\\Key" + std::to_string(child);
            HKEY key = nullptr;
            RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
            const DWORD number = static_cast<DWORD>(made);
            RegSetValueExA(key, "Number", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof number);
            RegSetValueExA(key, "Name", 0, REG_SZ, reinterpret_cast<const BYTE*>(path.c_str()),
                           static_cast<DWORD>(path.size() + 1));
            RegCloseKey(key);
            queue.push_back(path);
        }
    }
}

int rawWalk(HKEY parent, const char* name) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(parent, name, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) return 0;
    DWORD subkeys = 0;
    RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                     nullptr);
    int count = 1;
    char child[256];
    for (DWORD index = 0; index < subkeys; ++index) {
        DWORD size = sizeof child;
        if (RegEnumKeyExA(key, index, child, &size, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS)
            count += rawWalk(key, child);
    }
    RegCloseKey(key);
    return count;
}

template <class Work>
double median(Work work) {
    std::vector<double> times;
    for (int run = 0; run < 3; ++run) times.push_back(bench::Seconds(work));
    return bench::Median(times);
}

}  // namespace

int main() {
    std::printf("%8s %10s %10s %7s %14s\n", "keys", "walk s", "fill s", "ratio", "fill us/key");
    for (const int keys : {5000, 10000, 20000}) {
        buildTree(keys);
        CRegistryEditorWnd editor(nullptr);
        editor.AddRootEntry("Bench", HKEY_CURRENT_USER, kTree);
        if (!editor.Open()) {
            std::printf("the editor did not open\n");
            return 1;
        }
        const double walk = median([] { rawWalk(HKEY_CURRENT_USER, kTree); });
        const double fill = median([&] { editor.FillTree(); });
        std::printf("%8d %10.3f %10.3f %7.2f %14.1f\n", keys, walk, fill, fill / walk, fill * 1e6 / keys);
        editor.Close();
    }
    RegDeleteTreeA(HKEY_CURRENT_USER, kTree);
    return 0;
}
