// The records of the change journal and their text form. Plain data and text: no registry, no file.
//
// A journal is a header line and one line per record, each line ended by CRLF and carrying a
// checksum of its own text, so that a journal cut short or damaged anywhere is recognised as a
// whole and never half read. Names, paths and data are written as printable ASCII (anything else
// as %XX), so that no text from the registry or a file name can break a line.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

// A registry value's state: absent, or its type and data bytes.
struct ValueState {
    bool exists = false;
    DWORD type = 0;
    std::string data;
    bool operator==(const ValueState& other) const {
        return exists == other.exists && (!exists || (type == other.type && data == other.data));
    }
    bool operator!=(const ValueState& other) const { return !(*this == other); }
};

// One key of a deleted subtree: its path below the deleted key ("" for the key itself) and its
// values. Parents come before their children.
struct SnapshotKey {
    struct Value {
        std::string name;
        DWORD type = 0;
        std::string data;
        bool operator==(const Value& other) const {
            return name == other.name && type == other.type && data == other.data;
        }
    };
    std::string path;
    std::vector<Value> values;
    bool operator==(const SnapshotKey& other) const { return path == other.path && values == other.values; }
};

struct JournalRecord {
    enum Kind : char {
        Value = 'V',       // a value set, created or deleted: before and after
        KeyCreated = 'C',  // a key that did not exist before
        KeyDeleted = 'D',  // a key deleted with its subtree, kept in subtree
        File = 'F',        // a file saved over, its old content kept in backup
    };
    Kind kind = Value;
    uint32_t root = 0;  // the predefined root key's number (0x80000001 for HKEY_CURRENT_USER)
    std::string key;    // the key below root; for a file, the file's path
    std::string name;   // the value's name; for a file, its backup's path
    ValueState before, after;
    std::vector<SnapshotKey> subtree;
};

// The first line of every journal.
extern const char kJournalHeader[];
// The line that closes the journal of a session that ended normally (or whose changes were offered
// back once).
extern const char kJournalClosed[];

// One record's line, CRLF included.
std::string EncodeRecord(const JournalRecord& record);
std::string ClosingLine();

// What a journal's text holds. complete is false when it is cut or damaged: records is then empty,
// as nothing of such a journal may be acted on.
struct JournalContent {
    bool complete = false;
    bool closed = false;
    std::vector<JournalRecord> records;
};
JournalContent ParseJournal(const std::string& text);

// The log's line for a record (without line end), as "Changes made during this session" lists it.
std::string DescribeChange(const JournalRecord& record);
