#include "testlib/LibraryFormat.h"

#include "framework/ResourceReader.h"

namespace {

using fw::ResourceReader;

// Calls readRecord until the list's terminating zero, which is stepped over; false when the
// data ends first or a record is malformed.
template <class ReadRecord>
bool ReadList(ResourceReader& reader, ReadRecord readRecord) {
    for (;;) {
        uint16_t next = 0;
        if (!reader.peekWord(next)) return false;
        if (next == 0) return reader.readWord(next);
        if (!readRecord()) return false;
    }
}

template <class Record, class ReadRecord>
bool ReadList(ResourceReader& reader, std::vector<Record>& list, ReadRecord readRecord) {
    return ReadList(reader, [&] {
        Record record{};
        if (!readRecord(reader, record)) return false;
        list.push_back(record);
        return true;
    });
}

bool ReadEditorKey(ResourceReader& reader, KeyRecord& key) {
    return reader.readText(key.name) && reader.readDword(key.root) && reader.readText(key.subkey);
}

bool ReadLoggedKey(ResourceReader& reader, KeyRecord& key) {
    return reader.readText(key.name) && reader.readText(key.description) && reader.readDword(key.root) &&
           reader.readText(key.subkey) && reader.readWord(key.flags) && reader.readWord(key.editTableId);
}

bool ReadTest(ResourceReader& reader, TestEntry& test) {
    return reader.readText(test.name) && reader.readWord(test.iconId) && reader.readWord(test.testId) &&
           reader.readWord(test.flags);
}

bool ReadSystemFile(ResourceReader& reader, SystemFileEntry& file) {
    if (!reader.readText(file.fileName) || !reader.readWord(file.flags)) return false;
    return !(file.flags & ZK_FILE_SECTIONS) || reader.readWord(file.iniId);
}

bool ReadSectionName(ResourceReader& reader, const char*& section) { return reader.readText(section); }

bool ReadExtraData(ResourceReader& reader, EditDescription& value) {
    const char* label = nullptr;
    switch (value.type & ZK_EDIT_KIND_MASK) {
    case ZK_EDIT_DWORD_RANGE:
        return reader.readDword(value.minimum) && reader.readDword(value.maximum);
    case ZK_EDIT_DWORD_CHOICE:
        return ReadList(reader, [&] {
            uint32_t number = 0;
            if (!reader.readText(label) || !reader.readDword(number)) return false;
            value.choiceLabels.push_back(label);
            value.dwordChoices.push_back(number);
            return true;
        });
    case ZK_EDIT_STRING_CHOICE:
        return ReadList(reader, [&] {
            const char* text = nullptr;
            if (!reader.readText(label) || !reader.readText(text)) return false;
            value.choiceLabels.push_back(label);
            value.stringChoices.push_back(text);
            return true;
        });
    default:
        return true;
    }
}

bool ReadEditDescription(ResourceReader& reader, EditDescription& value) {
    return reader.readText(value.label) && reader.readText(value.valueName) && reader.readText(value.description) &&
           reader.readWord(value.type) && ReadExtraData(reader, value);
}

}  // namespace

bool ParseLibraryResource(const uint8_t* data, size_t size, LibraryDescription& library) {
    ResourceReader reader(data, size);
    library = LibraryDescription();
    return reader.readText(library.name) && reader.readWord(library.iconId) &&
           ReadList(reader, library.editorKeys, ReadEditorKey) && ReadList(reader, library.tests, ReadTest) &&
           ReadList(reader, library.loggedKeys, ReadLoggedKey) &&
           ReadList(reader, library.systemFiles, ReadSystemFile);
}

bool ParseSectionList(const uint8_t* data, size_t size, std::vector<const char*>& sections) {
    ResourceReader reader(data, size);
    sections.clear();
    return ReadList(reader, sections, ReadSectionName);
}

bool ParseEditTable(const uint8_t* data, size_t size, std::vector<EditDescription>& values) {
    ResourceReader reader(data, size);
    values.clear();
    return ReadList(reader, values, ReadEditDescription);
}
