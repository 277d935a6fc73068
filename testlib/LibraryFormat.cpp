#include "testlib/LibraryFormat.h"

#include <cstring>
#include <utility>

namespace {

// Reads fields front to back; the first read past the end fails it for good.
class FieldReader {
public:
    FieldReader(const uint8_t* data, size_t size) : m_data(data), m_size(data ? size : 0) {}

    bool ok() const { return m_ok; }

    bool text(const char*& out) {
        if (!m_ok || m_position == m_size) return fail();
        const void* end = std::memchr(m_data + m_position, 0, m_size - m_position);
        if (!end) return fail();
        out = reinterpret_cast<const char*>(m_data + m_position);
        m_position = static_cast<size_t>(static_cast<const uint8_t*>(end) - m_data) + 1;
        return true;
    }
    bool word(uint16_t& out) {
        if (!available(2)) return false;
        out = static_cast<uint16_t>(m_data[m_position] | m_data[m_position + 1] << 8);
        m_position += 2;
        return true;
    }
    bool dword(uint32_t& out) {
        uint16_t low = 0, high = 0;
        if (!word(low) || !word(high)) return false;
        out = static_cast<uint32_t>(high) << 16 | low;
        return true;
    }
    // True when the next 16 bits are a list's terminating zero, which is then stepped over.
    // A list with fewer than 16 bits left is truncated and fails the reader.
    bool listEnd() {
        if (!available(2)) return false;
        if (m_data[m_position] != 0 || m_data[m_position + 1] != 0) return false;
        m_position += 2;
        return true;
    }

private:
    bool available(size_t count) {
        if (m_ok && m_size - m_position < count) fail();
        return m_ok;
    }
    bool fail() {
        m_ok = false;
        return false;
    }

    const uint8_t* m_data;
    size_t m_size;
    size_t m_position = 0;
    bool m_ok = true;
};

// Reads records until the list's terminating zero; false when the data ends first.
template <class Record, class ReadRecord>
bool ReadList(FieldReader& reader, std::vector<Record>& list, ReadRecord readRecord) {
    while (!reader.listEnd()) {
        Record record{};
        if (!reader.ok() || !readRecord(reader, record)) return false;
        list.push_back(std::move(record));
    }
    return reader.ok();
}

bool ReadEditorKey(FieldReader& reader, KeyRecord& key) {
    return reader.text(key.name) && reader.dword(key.root) && reader.text(key.subkey);
}

bool ReadLoggedKey(FieldReader& reader, KeyRecord& key) {
    return reader.text(key.name) && reader.text(key.description) && reader.dword(key.root) &&
           reader.text(key.subkey) && reader.word(key.flags) && reader.word(key.editTableId);
}

bool ReadTest(FieldReader& reader, TestEntry& test) {
    return reader.text(test.name) && reader.word(test.iconId) && reader.word(test.testId) && reader.word(test.flags);
}

bool ReadSystemFile(FieldReader& reader, SystemFileEntry& file) {
    if (!reader.text(file.fileName) || !reader.word(file.flags)) return false;
    return !(file.flags & ZK_FILE_SECTIONS) || reader.word(file.iniId);
}

bool ReadSectionName(FieldReader& reader, const char*& section) { return reader.text(section); }

struct LabelledChoice {
    const char* label;
    uint32_t number;
    const char* text;
};

bool ReadExtraData(FieldReader& reader, EditDescription& value) {
    std::vector<LabelledChoice> choices;
    switch (value.type & ZK_EDIT_KIND_MASK) {
    case ZK_EDIT_DWORD_RANGE:
        return reader.dword(value.minimum) && reader.dword(value.maximum);
    case ZK_EDIT_DWORD_CHOICE:
        if (!ReadList(reader, choices, [](FieldReader& r, LabelledChoice& c) { return r.text(c.label) && r.dword(c.number); }))
            return false;
        for (const auto& choice : choices) {
            value.choiceLabels.push_back(choice.label);
            value.dwordChoices.push_back(choice.number);
        }
        return true;
    case ZK_EDIT_STRING_CHOICE:
        if (!ReadList(reader, choices, [](FieldReader& r, LabelledChoice& c) { return r.text(c.label) && r.text(c.text); }))
            return false;
        for (const auto& choice : choices) {
            value.choiceLabels.push_back(choice.label);
            value.stringChoices.push_back(choice.text);
        }
        return true;
    default:
        return true;
    }
}

bool ReadEditDescription(FieldReader& reader, EditDescription& value) {
    return reader.text(value.label) && reader.text(value.valueName) && reader.text(value.description) &&
           reader.word(value.type) && ReadExtraData(reader, value);
}

}  // namespace

EditValueKind EditKindOf(uint16_t type) {
    if (type & 0x3) return EditValueKind::Dword;
    if (type & 0xC) return EditValueKind::String;
    return EditValueKind::Plain;
}

bool ParseLibraryResource(const uint8_t* data, size_t size, LibraryDescription& library) {
    FieldReader reader(data, size);
    library = LibraryDescription();
    return reader.text(library.name) && reader.word(library.iconId) &&
           ReadList(reader, library.editorKeys, ReadEditorKey) && ReadList(reader, library.tests, ReadTest) &&
           ReadList(reader, library.loggedKeys, ReadLoggedKey) &&
           ReadList(reader, library.systemFiles, ReadSystemFile);
}

bool ParseSectionList(const uint8_t* data, size_t size, std::vector<const char*>& sections) {
    FieldReader reader(data, size);
    sections.clear();
    return ReadList(reader, sections, ReadSectionName);
}

bool ParseEditTable(const uint8_t* data, size_t size, std::vector<EditDescription>& values) {
    FieldReader reader(data, size);
    values.clear();
    return ReadList(reader, values, ReadEditDescription);
}
