// The change journal: its records survive the file whole or not at all, the file is written before
// a change, and undo puts the registry and files back, newest change first.
#include <gtest/gtest.h>

#include "ScratchDirectory.h"
#include "ScratchKey.h"
#include "journal/Journal.h"
#include "journal/JournalUndo.h"
#include "journal/SystemFileStore.h"
#include "registry/RegistryKey.h"

namespace {
ValueState State(DWORD type, const std::string& data) { return ValueState{true, type, data}; }
ValueState Dword(DWORD value) { return State(REG_DWORD, std::string(reinterpret_cast<const char*>(&value), 4)); }

// As the editors journal a value change: the state before read from the key they have open.
DWORD JournalChange(const CRegistryKey& key, const std::string& keyPath, const std::string& name,
                    const ValueState& after) {
    return JournalValueChange(HKEY_CURRENT_USER, keyPath, name, ReadValueState(key.handle(), name), after);
}

std::vector<JournalRecord> Since(size_t first) {
    const std::vector<JournalRecord>& all = SessionJournal().records();
    return std::vector<JournalRecord>(all.begin() + static_cast<std::ptrdiff_t>(first), all.end());
}

const auto kNeverAsked = [](const JournalRecord&) -> bool {
    ADD_FAILURE() << "asked to overwrite";
    return false;
};
}  // namespace

// Every kind of record, with names and data that could break a line, reads back as written; a
// journal cut anywhere or changed in any byte is refused whole.
TEST(JournalRecordTest, ReadsBackWholeOrNotAtAll) {
    const JournalRecord written[] = {
        {JournalRecord::Value, 0x80000001, "Software\\Odd key %41 \xe9", "line\r\nbreak",
         State(REG_SZ, std::string("old\0", 4)), ValueState(), {}},
        {JournalRecord::KeyDeleted, 0x80000002, "Software\\Gone", "", {}, {},
         {{"", {{"", REG_SZ, std::string("default\0", 8)}, {"n", REG_BINARY, ""}}},
          {"Child", {}},
          {"Child\\Grand child", {{"d", REG_DWORD, std::string("\x2a\0\0\0", 4)}}}}},
        {JournalRecord::File, 0, "C:\\WINDOWS\\WIN.INI", "C:\\WINDOWS\\WIN.000", {}, {}, {}}};
    std::string text = std::string(kJournalHeader) + "\r\n";
    for (const JournalRecord& record : written) text += EncodeRecord(record);
    const JournalContent content = ParseJournal(text);
    ASSERT_TRUE(content.complete);
    EXPECT_FALSE(content.closed);
    ASSERT_EQ(3u, content.records.size());
    for (size_t i = 0; i < 3; ++i) {
        const JournalRecord &a = written[i], &b = content.records[i];
        EXPECT_TRUE(a.kind == b.kind && a.root == b.root && a.key == b.key && a.name == b.name &&
                    a.before == b.before && a.after == b.after && a.subtree == b.subtree)
            << "record " << i;
    }
    EXPECT_TRUE(ParseJournal(text + ClosingLine()).closed);

    // Cut between two lines it is a shorter journal; anywhere else, none.
    for (size_t at = 0; at < text.size(); ++at) {
        if (at < 2 || text.compare(at - 2, 2, "\r\n") != 0) {
            ASSERT_FALSE(ParseJournal(text.substr(0, at)).complete) << "cut at " << at;
        }
        std::string damaged = text;
        damaged[at] ^= 0x01;
        ASSERT_FALSE(ParseJournal(damaged).complete) << "damaged at " << at;
    }
}

// The record is in the file when Append returns, the file names itself by date and time, a running
// session's journal is not taken for an abandoned one, and one dealt with is not offered again.
TEST(JournalTest, WrittenBeforeTheChangeAndFoundWhenAbandoned) {
    const ScratchDirectory folder;
    const JournalRecord created{JournalRecord::KeyCreated, 0x80000001, "Software\\New", "", {}, {}, {}};
    {
        CJournal journal(folder.path());
        ASSERT_EQ(0u, journal.Append(created));
        EXPECT_EQ(1u, ParseJournal(ReadTextFile(journal.path())).records.size());
        EXPECT_TRUE(FindAbandonedJournals(folder.path()).empty()) << "in use by this session";
    }
    const std::vector<AbandonedJournal> abandoned = FindAbandonedJournals(folder.path());
    ASSERT_EQ(1u, abandoned.size());
    EXPECT_TRUE(abandoned[0].content.complete);
    EXPECT_EQ("Software\\New", abandoned[0].content.records.at(0).key);
    EXPECT_EQ(0u, CloseAbandonedJournal(abandoned[0].path));
    EXPECT_TRUE(FindAbandonedJournals(folder.path()).empty());

    CJournal closed(folder.path());
    ASSERT_EQ(0u, closed.Append(created));
    closed.Close();
    EXPECT_NE(std::string::npos, closed.path().find(".jnl"));
    EXPECT_TRUE(FindAbandonedJournals(folder.path()).empty());

    // A journal that cannot be written refuses the change and leaves nothing behind.
    ASSERT_TRUE(WriteTextFile(folder / "Journal", "a file where the folder should be"));
    CJournal unwritable(folder / "Journal");
    EXPECT_NE(0u, unwritable.Append(created));
    EXPECT_TRUE(unwritable.records().empty());
}

// A full disk: the record that does not fit is cut off again, the journal stays whole, and the
// change is refused.
TEST(JournalTest, FullDiskRefusesTheChangeAndKeepsTheJournalWhole) {
    if (GetFileAttributesA("Y:\\") == INVALID_FILE_ATTRIBUTES) GTEST_SKIP() << "no small drive Y:";
    const std::string folder = "Y:\\zkjournal";
    const JournalRecord small{JournalRecord::KeyCreated, 0, "Software\\Small", "", {}, {}, {}};
    // Twice the data's size as hexadecimal digits.
    const JournalRecord large{JournalRecord::Value, 0, "", "", {}, State(REG_BINARY, std::string(48 * 1024, 'x')), {}};
    std::string path;
    {
        CJournal journal(folder);
        ASSERT_EQ(0u, journal.Append(small));
        EXPECT_EQ(static_cast<DWORD>(ERROR_DISK_FULL), journal.Append(large));
        EXPECT_EQ(1u, journal.records().size());
        path = journal.path();
    }
    const JournalContent content = ParseJournal(ReadTextFile(path));
    EXPECT_TRUE(content.complete);
    EXPECT_EQ(1u, content.records.size());
    DeleteFileA(path.c_str());
    RemoveDirectoryA(folder.c_str());
}

using JournalUndoTest = ScratchKeyTest;

// Values changed, created and deleted, a key created and a key deleted with its subkeys: undo puts
// back exactly what was there, and undoing the undo brings the changes back.
TEST_F(JournalUndoTest, PutsTheRegistryBackAndCanBeUndone) {
    createKey("Tree\\Child\\Grand child");
    CRegistryKey tree(scratch(), "Tree", false), child(scratch(), "Tree\\Child", false);
    ASSERT_EQ(0, tree.setString("kept", "before"));
    ASSERT_EQ(0, tree.setValue("gone", REG_EXPAND_SZ, "%x%", 4));
    ASSERT_EQ(0, child.setDword("n", 7));
    std::vector<SnapshotKey> original;
    ASSERT_TRUE(ReadSnapshot(HKEY_CURRENT_USER, path(), original));

    const size_t first = SessionJournal().records().size();
    const std::string treePath = path() + "\\Tree";
    ASSERT_EQ(0u, JournalChange(tree, treePath, "kept", State(REG_SZ, std::string("after\0", 6))));
    ASSERT_EQ(0, tree.setString("kept", "after"));
    ASSERT_EQ(0u, JournalChange(tree, treePath, "gone", ValueState()));
    ASSERT_EQ(0, tree.deleteValue("gone"));
    ASSERT_EQ(0u, JournalChange(tree, treePath, "new", Dword(1)));
    ASSERT_EQ(0, tree.setDword("new", 1));
    ASSERT_EQ(0u, JournalKeyCreate(HKEY_CURRENT_USER, treePath + "\\Made"));
    createKey("Tree\\Made");
    ASSERT_EQ(0u, JournalKeyDelete(HKEY_CURRENT_USER, treePath + "\\Child"));
    ASSERT_EQ(0, tree.deleteSubkey("Child"));
    ASSERT_EQ(2u, Since(first).at(4).subtree.size()) << "the key and its child";
    std::vector<SnapshotKey> changed;
    ReadSnapshot(HKEY_CURRENT_USER, path(), changed);

    const size_t undoFirst = SessionJournal().records().size();
    EXPECT_TRUE(UndoChanges(Since(first), kNeverAsked).empty());
    std::vector<SnapshotKey> restored;
    ReadSnapshot(HKEY_CURRENT_USER, path(), restored);
    EXPECT_EQ(original, restored);

    EXPECT_TRUE(UndoChanges(Since(undoFirst), kNeverAsked).empty());
    ReadSnapshot(HKEY_CURRENT_USER, path(), restored);
    EXPECT_EQ(changed, restored);
}

// A value another program changed after us is overwritten only when the user agrees; the rest is
// undone either way, and a change that was journaled but never made (a crash between the two)
// is taken back without a question.
TEST_F(JournalUndoTest, AsksBeforeOverwritingAnotherProgramsChange) {
    CRegistryKey key(scratch(), "", false);
    ASSERT_EQ(0, key.setDword("theirs", 1));
    ASSERT_EQ(0, key.setDword("ours", 1));
    const size_t first = SessionJournal().records().size();
    ASSERT_EQ(0u, JournalChange(key, path(), "theirs", Dword(2)));
    ASSERT_EQ(0, key.setDword("theirs", 2));
    ASSERT_EQ(0u, JournalChange(key, path(), "ours", Dword(2)));
    ASSERT_EQ(0, key.setDword("ours", 2));
    ASSERT_EQ(0u, JournalChange(key, path(), "never", Dword(2)));
    ASSERT_EQ(0, key.setDword("theirs", 3));  // another program

    int asked = 0;
    const std::vector<UndoFailure> failures = UndoChanges(Since(first), [&](const JournalRecord& record) {
        ++asked;
        EXPECT_EQ("theirs", record.name);
        return false;
    });
    EXPECT_EQ(1, asked);
    ASSERT_EQ(1u, failures.size());
    EXPECT_EQ(static_cast<DWORD>(ERROR_CANCELLED), failures[0].error);
    EXPECT_EQ(3u, key.getDword("theirs"));
    EXPECT_EQ(1u, key.getDword("ours"));
    EXPECT_FALSE(key.valueExists("never"));
}

// A saved file comes back from its backup through a save of its own, which is itself journaled.
TEST(JournalFileUndoTest, PutsTheFileBackFromItsBackup) {
    const ScratchDirectory folder;
    const std::string file = folder / "SYSTEM.INI";
    ASSERT_TRUE(WriteTextFile(file, "[boot]\r\nold=1\r\n"));
    const size_t first = SessionJournal().records().size();
    const SaveOutcome saved = SaveSystemFile(file, "[boot]\r\nnew=2\r\n");
    ASSERT_EQ(SaveOutcome::Saved, saved.stage);
    ASSERT_EQ(1u, Since(first).size());
    EXPECT_EQ(saved.backupPath, Since(first)[0].name);

    EXPECT_TRUE(UndoChanges(Since(first), kNeverAsked).empty());
    EXPECT_EQ("[boot]\r\nold=1\r\n", ReadTextFile(file));
    ASSERT_EQ(2u, Since(first).size());
    EXPECT_EQ("[boot]\r\nnew=2\r\n", ReadTextFile(Since(first)[1].name));

    DeleteFileA(saved.backupPath.c_str());  // a backup that is gone is named with the reason
    const std::vector<UndoFailure> failures = UndoChanges({Since(first)[0]}, kNeverAsked);
    ASSERT_EQ(1u, failures.size());
    EXPECT_EQ(static_cast<DWORD>(ERROR_FILE_NOT_FOUND), failures[0].error);
}
