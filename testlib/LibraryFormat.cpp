#include "testlib/LibraryFormat.h"

#include "framework/ResourceReader.h"

namespace {

// The bounded reader, noting the first read that fails and the part of the resource it was in.
class Cursor {
public:
    Cursor(const uint8_t* data, size_t size, ParseFailure* failure)
        : m_reader(data, size), m_size(data ? size : 0), m_failure(failure) {
        if (m_failure) *m_failure = ParseFailure();
    }

    void enter(const char* part) { m_part = part; }
    const char* part() const { return m_part; }

    bool text(const char*& value) { return m_reader.readText(value) || fail(ParseProblem::UnterminatedText); }
    bool word(uint16_t& value) { return m_reader.readWord(value) || fail(ParseProblem::ShortNumber); }
    bool dword(uint32_t& value) { return m_reader.readDword(value) || fail(ParseProblem::ShortNumber); }
    // The next 16 bits, which end the list when zero.
    bool peekWord(uint16_t& value) { return m_reader.peekWord(value) || fail(ParseProblem::NoEndMarker); }

    size_t offset() const { return m_size - m_reader.remaining(); }
    // Refuses a value description that reads well but is unusable; always false.
    bool refuse(ParseProblem problem, size_t at, const char* value, uint32_t first, uint32_t second = 0) {
        if (m_failure && m_failure->problem == ParseProblem::None)
            *m_failure = {problem, at, m_part, value, {first, second}};
        return false;
    }

private:
    bool fail(ParseProblem problem) { return refuse(problem, offset(), nullptr, 0); }

    fw::ResourceReader m_reader;
    size_t m_size;
    ParseFailure* m_failure;
    const char* m_part = "";
};

// Calls readRecord until the list's terminating zero, which is stepped over; false when the
// data ends first or a record is malformed.
template <class ReadRecord>
bool ReadList(Cursor& cursor, const char* part, ReadRecord readRecord) {
    const char* outer = cursor.part();
    cursor.enter(part);
    for (;;) {
        uint16_t next = 0;
        if (!cursor.peekWord(next)) return false;
        if (next == 0) break;
        if (!readRecord()) return false;
    }
    uint16_t end = 0;
    cursor.word(end);
    cursor.enter(outer);
    return true;
}

template <class Record, class ReadRecord>
bool ReadList(Cursor& cursor, const char* part, std::vector<Record>& list, ReadRecord readRecord) {
    return ReadList(cursor, part, [&] {
        Record record{};
        if (!readRecord(cursor, record)) return false;
        list.push_back(record);
        return true;
    });
}

bool ReadEditorKey(Cursor& cursor, KeyRecord& key) {
    return cursor.text(key.name) && cursor.dword(key.root) && cursor.text(key.subkey);
}

bool ReadLoggedKey(Cursor& cursor, KeyRecord& key) {
    return cursor.text(key.name) && cursor.text(key.description) && cursor.dword(key.root) &&
           cursor.text(key.subkey) && cursor.word(key.flags) && cursor.word(key.editTableId);
}

bool ReadTest(Cursor& cursor, TestEntry& test) {
    return cursor.text(test.name) && cursor.word(test.iconId) && cursor.word(test.testId) && cursor.word(test.flags);
}

bool ReadSystemFile(Cursor& cursor, SystemFileEntry& file) {
    if (!cursor.text(file.fileName) || !cursor.word(file.flags)) return false;
    return !(file.flags & ZK_FILE_SECTIONS) || cursor.word(file.iniId);
}

bool ReadSectionName(Cursor& cursor, const char*& section) { return cursor.text(section); }

bool ReadExtraData(Cursor& cursor, EditDescription& value) {
    const char* label = nullptr;
    switch (value.type & ZK_EDIT_KIND_MASK) {
    case ZK_EDIT_DWORD_RANGE:
        return cursor.dword(value.minimum) && cursor.dword(value.maximum);
    case ZK_EDIT_DWORD_CHOICE:
        return ReadList(cursor, "choice list", [&] {
            uint32_t number = 0;
            if (!cursor.text(label) || !cursor.dword(number)) return false;
            value.choiceLabels.push_back(label);
            value.dwordChoices.push_back(number);
            return true;
        });
    case ZK_EDIT_STRING_CHOICE:
        return ReadList(cursor, "choice list", [&] {
            const char* text = nullptr;
            if (!cursor.text(label) || !cursor.text(text)) return false;
            value.choiceLabels.push_back(label);
            value.stringChoices.push_back(text);
            return true;
        });
    default:
        return true;
    }
}

bool IsKnownKind(unsigned kind) {
    switch (kind) {
    case 0:  // described but never offered
    case ZK_EDIT_DWORD_RANGE:
    case ZK_EDIT_DWORD_CHOICE:
    case ZK_EDIT_DWORD_READONLY:
    case ZK_EDIT_STRING:
    case ZK_EDIT_STRING_CHOICE:
    case ZK_EDIT_STRING_READONLY:
        return true;
    default:
        return false;
    }
}

// What the Registry page could not show or edit: such a library is refused as a malformed one.
bool IsUsable(Cursor& cursor, const EditDescription& value, size_t start) {
    const unsigned kind = value.type & ZK_EDIT_KIND_MASK;
    if (!IsKnownKind(kind)) return cursor.refuse(ParseProblem::UnknownKind, start, value.label, kind);
    if (kind == ZK_EDIT_DWORD_RANGE && value.minimum > value.maximum)
        return cursor.refuse(ParseProblem::ReversedRange, start, value.label, value.minimum, value.maximum);
    const size_t choices = value.choiceLabels.size();
    if ((kind == ZK_EDIT_DWORD_CHOICE || kind == ZK_EDIT_STRING_CHOICE) &&
        (choices < kFewestChoices || choices > kMostChoices))
        return cursor.refuse(ParseProblem::ChoiceCount, start, value.label, static_cast<uint32_t>(choices));
    return true;
}

bool ReadEditDescription(Cursor& cursor, EditDescription& value) {
    const size_t start = cursor.offset();
    return cursor.text(value.label) && cursor.text(value.valueName) && cursor.text(value.description) &&
           cursor.word(value.type) && ReadExtraData(cursor, value) && IsUsable(cursor, value, start);
}

}  // namespace

bool ParseLibraryResource(const uint8_t* data, size_t size, LibraryDescription& library, ParseFailure* failure) {
    Cursor cursor(data, size, failure);
    library = LibraryDescription();
    cursor.enter("library name");
    if (!cursor.text(library.name)) return false;
    cursor.enter("icon id");
    return cursor.word(library.iconId) && ReadList(cursor, "editor-key list", library.editorKeys, ReadEditorKey) &&
           ReadList(cursor, "test list", library.tests, ReadTest) &&
           ReadList(cursor, "logged-key list", library.loggedKeys, ReadLoggedKey) &&
           ReadList(cursor, "system-file list", library.systemFiles, ReadSystemFile);
}

bool ParseSectionList(const uint8_t* data, size_t size, std::vector<const char*>& sections, ParseFailure* failure) {
    Cursor cursor(data, size, failure);
    sections.clear();
    return ReadList(cursor, "section list", sections, ReadSectionName);
}

bool ParseEditTable(const uint8_t* data, size_t size, std::vector<EditDescription>& values, ParseFailure* failure) {
    Cursor cursor(data, size, failure);
    values.clear();
    if (!ReadList(cursor, "value list", values, ReadEditDescription)) return false;
    // A key that names a table is shown with its values; a table of none shows nothing to edit.
    return !values.empty() || cursor.refuse(ParseProblem::EmptyTable, 0, nullptr, 0);
}
