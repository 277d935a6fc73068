// What the change journal costs: a Modify (one value written) and a key delete, each against the
// same operation without the journal in the same run, swept over the data and key sizes; and the
// undo of 1,000 changes against the time the changes took. Beside each, the floor under any
// journal: the same operation preceded only by reading the state the journal must keep (the value
// before, the deleted subtree), with nothing written.
//
//     wine zelkor_journal_bench.exe [runs]
#include <windows.h>

#include <cstdio>
#include <string>

#include "BenchTiming.h"
#include "journal/Journal.h"
#include "journal/JournalUndo.h"
#include "registry/RegistryKey.h"

namespace {
const char kScratch[] = "Software\\ZelkorBench\\Journal";

ValueState Binary(size_t size, char fill) {
    ValueState state;
    state.exists = true;
    state.type = REG_BINARY;
    state.data.assign(size, fill);
    return state;
}

void Write(CRegistryKey& key, const ValueState& value) {
    key.setValue("v", value.type, value.data.data(), static_cast<DWORD>(value.data.size()));
}

enum Mode { Plain, ReadOnly, Journaled };

// 100 Modify commands of one value of `size` bytes.
double Modify(size_t size, Mode mode) {
    CRegistryKey key(HKEY_CURRENT_USER, kScratch, true);
    return bench::Seconds([&] {
        for (int i = 0; i < 100; ++i) {
            const ValueState value = Binary(size, static_cast<char>('a' + i % 2));
            if (mode == ReadOnly) ReadValueState(key.handle(), "v");
            if (mode == Journaled)
                JournalValueChange(HKEY_CURRENT_USER, kScratch, "v", ReadValueState(key.handle(), "v"), value);
            Write(key, value);
        }
    });
}

// Deletes a key of `values` values spread over `keys` keys.
double DeleteKey(int keys, int values, Mode mode) {
    const std::string path = std::string(kScratch) + "\\Doomed";
    {
        CRegistryKey doomed(HKEY_CURRENT_USER, path.c_str(), true);
        for (int k = 0; k < keys; ++k) {
            CRegistryKey child(doomed.handle(), ("k" + std::to_string(k)).c_str(), true);
            for (int v = 0; v < values / keys; ++v) child.setDword(("v" + std::to_string(v)).c_str(), v);
        }
    }
    return bench::Seconds([&] {
        std::vector<SnapshotKey> subtree;
        if (mode == ReadOnly) ReadSnapshot(HKEY_CURRENT_USER, path, subtree);
        if (mode == Journaled) JournalKeyDelete(HKEY_CURRENT_USER, path);
        CRegistryKey(HKEY_CURRENT_USER, kScratch, false).deleteSubkey("Doomed");
    });
}
}  // namespace

int main(int argc, char** argv) {
    const int runs = bench::Runs(argc, argv);
    RegDeleteTreeA(HKEY_CURRENT_USER, kScratch);
    std::printf("%-34s %10s %10s %10s %8s %8s\n", "operation", "plain s", "floor s", "journal s", "floor+",
                "journal+");
    const auto report = [&](const std::string& name, auto&& measure) {
        std::vector<double> times[3];
        for (int run = 0; run < runs; ++run)
            for (const Mode mode : {Plain, ReadOnly, Journaled}) times[mode].push_back(measure(mode));
        const double p = bench::Median(times[Plain]), f = bench::Median(times[ReadOnly]),
                     j = bench::Median(times[Journaled]);
        std::printf("%-34s %10.5f %10.5f %10.5f %7.0f%% %7.0f%%\n", name.c_str(), p, f, j, 100 * (f - p) / p,
                    100 * (j - p) / p);
    };
    // What a record's write costs by itself.
    const std::string scratchFile = bench::ProgramDirectory() + "flush.tmp";
    std::vector<double> writes;
    for (int run = 0; run < runs; ++run) {
        HANDLE file = CreateFileA(scratchFile.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        writes.push_back(bench::Seconds([&] {
            for (int i = 0; i < 100; ++i) {
                DWORD written = 0;
                WriteFile(file, "V 80000001 :Software :v - 3=00000000 0 #00000000\r\n", 52, &written, nullptr);
            }
        }));
        CloseHandle(file);
    }
    DeleteFileA(scratchFile.c_str());
    std::printf("%-34s %10s %10s %10.5f\n", "100 x write of a record", "", "", bench::Median(writes));
    for (const size_t size : {4u, 1024u, 65536u})
        report("100 x Modify, " + std::to_string(size) + " bytes", [&](Mode mode) { return Modify(size, mode); });
    for (const int values : {100, 1000, 10000})
        report("delete key of " + std::to_string(values) + " values", [&](Mode mode) { return DeleteKey(1, values, mode); });
    report("delete key of 10000 subkeys", [&](Mode mode) { return DeleteKey(10000, 10000, mode); });

    // A key of 10,000 subkeys deleted with the journal, then rebuilt whole by its undo.
    std::vector<double> deletes, restores;
    for (int run = 0; run < runs; ++run) {
        deletes.push_back(DeleteKey(10000, 10000, Journaled));
        const JournalRecord deleted = SessionJournal().records().back();
        restores.push_back(bench::Seconds([&] { UndoChanges({deleted}, [](const JournalRecord&) { return true; }); }));
        CRegistryKey(HKEY_CURRENT_USER, kScratch, false).deleteSubkey("Doomed");
    }
    std::printf("key of 10000 subkeys: journaled delete %.4f s, its undo %.4f s: %.2fx\n", bench::Median(deletes),
                bench::Median(restores), bench::Median(restores) / bench::Median(deletes));

    // 1,000 journaled changes, then their undo.
    std::vector<double> changes, undo;
    for (int run = 0; run < runs; ++run) {
        CRegistryKey key(HKEY_CURRENT_USER, kScratch, true);
        const size_t first = SessionJournal().records().size();
        changes.push_back(bench::Seconds([&] {
            for (int i = 0; i < 1000; ++i) {
                const std::string name = "c" + std::to_string(i);
                const ValueState value = Binary(16, 'x');
                JournalValueChange(HKEY_CURRENT_USER, kScratch, name, ReadValueState(key.handle(), name), value);
                key.setValue(name.c_str(), value.type, value.data.data(), 16);
            }
        }));
        const std::vector<JournalRecord> records(SessionJournal().records().begin() + static_cast<std::ptrdiff_t>(first),
                                                 SessionJournal().records().end());
        undo.push_back(bench::Seconds([&] { UndoChanges(records, [](const JournalRecord&) { return true; }); }));
    }
    std::printf("1000 changes %.4f s, their undo %.4f s: %.2fx\n", bench::Median(changes), bench::Median(undo),
                bench::Median(undo) / bench::Median(changes));
    RegDeleteTreeA(HKEY_CURRENT_USER, kScratch);
    SessionJournal().Close();
    return 0;
}
