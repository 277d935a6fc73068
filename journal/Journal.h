// The change journal: before the program changes the registry or a file on the user's behalf, it
// appends what is about to change and its state before to the session's journal, a file of its
// own in the journal folder ("Journal" beside the program), handed to the system before the change
// is made. A crash or kill of the program between the two still leaves a complete record. It is
// not forced to the disk each time: that would cost a disk flush per change, and the registry
// itself reaches the disk just as lazily, so a power cut loses the change with its record. A
// journal that cannot be written (a full disk, a read-only folder) means the change is not made.
//
// The journal file is created at the first change, so a session without changes leaves none. A
// normal end closes it with a last line; one found without that line at the next start belongs
// to a session that ended abnormally.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "framework/Handles.h"
#include "journal/JournalRecord.h"

class CJournal {
public:
    // A journal in folder, named by the local date and time of its first record.
    explicit CJournal(std::string folder);
    // Leaves the file as it is: only Close marks a normal end.
    CJournal(const CJournal&) = delete;
    CJournal& operator=(const CJournal&) = delete;

    // Appends the record. 0, or the system's error code: the file is then as it
    // was before the call and the change must not be made.
    DWORD Append(const JournalRecord& record);
    // Writes the closing line; the session ended normally.
    void Close();

    const std::vector<JournalRecord>& records() const { return m_records; }
    const std::string& path() const { return m_path; }
    // Where the changes not yet taken back begin: after an undo, its own records (which can be
    // undone in turn).
    size_t undoStart() const { return m_undoStart; }
    void SetUndoStart(size_t index) { m_undoStart = index; }

private:
    DWORD create();

    std::string m_folder;
    std::string m_path;
    fw::UniqueFile m_file;
    size_t m_end = 0;  // where the next record goes: the file's end
    std::vector<JournalRecord> m_records;
    size_t m_undoStart = 0;
};

// "Journal" beside the program.
std::string JournalFolder();
// This session's journal.
CJournal& SessionJournal();

// Writes "Changes made during this session" into the open log, one line per change in order;
// nothing at all when the session changed nothing.
void LogSessionChanges();

// Each appends a record to the session's journal; 0 or the system's error code, when the change
// must not be made. Keys are paths below root. The state before a value change is read by the
// caller from the key it has open (ReadValueState); a value written with the data it already has
// gives no record.
DWORD JournalValueChange(HKEY root, const std::string& key, const std::string& name, const ValueState& before,
                         const ValueState& after);
DWORD JournalKeyCreate(HKEY root, const std::string& key);
// Keeps the whole subtree with every value.
DWORD JournalKeyDelete(HKEY root, const std::string& key);
// The same with the subtree as already read.
DWORD JournalKeyDelete(HKEY root, const std::string& key, std::vector<SnapshotKey> subtree);
DWORD JournalFileSave(const std::string& path, const std::string& backup);

// The state of a value now.
ValueState ReadValueState(HKEY key, const std::string& name);
// The subtree below key as a delete would remove it; false when key cannot be read.
bool ReadSnapshot(HKEY root, const std::string& key, std::vector<SnapshotKey>& subtree);

// A journal of an earlier session that did not end normally and is not in use.
struct AbandonedJournal {
    std::string path;
    JournalContent content;  // a cut or damaged one has content.complete false
};
std::vector<AbandonedJournal> FindAbandonedJournals(const std::string& folder);
// Marks it as dealt with (renamed to NAME.old), so that it is offered only once. 0 or the
// system's error code.
DWORD CloseAbandonedJournal(const std::string& path);
