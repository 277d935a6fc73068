// The change journal: its records survive the file whole or not at all, the file is written before
// a change, and undo puts the registry and files back, newest change first.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "ScratchDirectory.h"
#include "ScratchKey.h"
#include "journal/Journal.h"
#include "journal/JournalUndo.h"
#include "journal/SystemFileStore.h"
#include "registry/RegistryKey.h"

namespace {
std::string FileText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

ValueState State(DWORD type, const std::string& data) {
    ValueState state;
    state.exists = true;
    state.type = type;
    state.data = data;
    return state;
}

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
    JournalRecord value;
    value.root = 0x80000001;
    value.key = "Software\\Odd key %41 \xe9";
    value.name = "line\r\nbreak";
    value.before = State(REG_SZ, std::string("old\0", 4));
    value.after = ValueState();
    JournalRecord deleted;
    deleted.kind = JournalRecord::KeyDeleted;
    deleted.root = 0x80000002;
    deleted.key = "Software\\Gone";
    deleted.subtree = {{"", {{"", REG_SZ, std::string("default\0", 8)}, {"n", REG_BINARY, ""}}},
                       {"Child", {}},
                       {"Child\\Grand child", {{"d", REG_DWORD, std::string("\x2a\0\0\0", 4)}}}};
    JournalRecord file;
    file.kind = JournalRecord::File;
    file.key = "C:\\WINDOWS\\WIN.INI";
    file.name = "C:\\WINDOWS\\WIN.000";

    const std::string text =
        std::string(kJournalHeader) + "\r\n" + EncodeRecord(value) + EncodeRecord(deleted) + EncodeRecord(file);
    const JournalContent content = ParseJournal(text);
    ASSERT_TRUE(content.complete);
    EXPECT_FALSE(content.closed);
    ASSERT_EQ(3u, content.records.size());
    EXPECT_EQ(value.key, content.records[0].key);
    EXPECT_EQ(value.name, content.records[0].name);
    EXPECT_EQ(value.before, content.records[0].before);
    EXPECT_FALSE(content.records[0].after.exists);
    EXPECT_EQ(deleted.subtree, content.records[1].subtree);
    EXPECT_EQ(0x80000002u, content.records[1].root);
    EXPECT_EQ(file.name, content.records[2].name);
    EXPECT_TRUE(ParseJournal(text + ClosingLine()).closed);

    // Cut between two lines it is a shorter journal; anywhere else, none.
    for (size_t cut = 0; cut < text.size(); ++cut) {
        if (cut < 2 || text.compare(cut - 2, 2, "\r\n") != 0) {
            ASSERT_FALSE(ParseJournal(text.substr(0, cut)).complete) << "cut at " << cut;
        }
    }
    for (size_t at = 0; at < text.size(); ++at) {
        std::string damaged = text;
        damaged[at] ^= 0x01;
        ASSERT_FALSE(ParseJournal(damaged).complete) << "damaged at " << at;
    }
}

// The record is in the file when Append returns, the file names itself by date and time, a running
// session's journal is not taken for an abandoned one, and one dealt with is not offered again.
TEST(JournalTest, WrittenBeforeTheChangeAndFoundWhenAbandoned) {
    const ScratchDirectory folder;
    JournalRecord created;
    created.kind = JournalRecord::KeyCreated;
    created.root = 0x80000001;
    created.key = "Software\\New";
    {
        CJournal journal(folder.path());
        ASSERT_EQ(0u, journal.Append(created));
        EXPECT_EQ(1u, ParseJournal(FileText(journal.path())).records.size());
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
}

// A journal that cannot be written refuses the change and leaves nothing behind.
TEST(JournalTest, UnwritableFolderRefuses) {
    const ScratchDirectory folder;
    ASSERT_TRUE(WriteTextFile(folder / "Journal", "a file where the folder should be"));
    CJournal journal(folder / "Journal");
    EXPECT_NE(0u, journal.Append(JournalRecord()));
    EXPECT_TRUE(journal.records().empty());
}

// A full disk: the record that does not fit is cut off again, the journal stays whole, and the
// change is refused.
TEST(JournalTest, FullDiskRefusesTheChangeAndKeepsTheJournalWhole) {
    if (GetFileAttributesA("Y:\\") == INVALID_FILE_ATTRIBUTES) GTEST_SKIP() << "no small drive Y:";
    const std::string folder = "Y:\\zkjournal";
    JournalRecord small, large;
    small.kind = large.kind = JournalRecord::KeyCreated;
    small.key = "Software\\Small";
    large.kind = JournalRecord::Value;
    large.after = State(REG_BINARY, std::string(48 * 1024, 'x'));  // twice that as hexadecimal digits
    std::string path;
    {
        CJournal journal(folder);
        ASSERT_EQ(0u, journal.Append(small));
        EXPECT_EQ(static_cast<DWORD>(ERROR_DISK_FULL), journal.Append(large));
        EXPECT_EQ(1u, journal.records().size());
        path = journal.path();
    }
    const JournalContent content = ParseJournal(FileText(path));
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
    EXPECT_EQ("[boot]\r\nold=1\r\n", FileText(file));
    ASSERT_EQ(2u, Since(first).size());
    EXPECT_EQ("[boot]\r\nnew=2\r\n", FileText(Since(first)[1].name));

    DeleteFileA(saved.backupPath.c_str());  // a backup that is gone is named with the reason
    const std::vector<UndoFailure> failures = UndoChanges({Since(first)[0]}, kNeverAsked);
    ASSERT_EQ(1u, failures.size());
    EXPECT_EQ(static_cast<DWORD>(ERROR_FILE_NOT_FOUND), failures[0].error);
}
