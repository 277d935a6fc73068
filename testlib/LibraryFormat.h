// The resource formats that describe a test library: ZKRC_LIBRARY, ZKRC_INI and ZKRC_REGEDIT.
// Data is packed little-endian without padding; a string ends with one zero byte; a list ends
// with a 16-bit zero. Libraries are written by others, so every read is bounded by the
// resource's size and a malformed resource is refused whole. No platform headers here: the
// parsers also build natively for fuzzing. Strings point into the parsed data, never copied.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "zelkor_rc.h"  // the formats' numbers, shared with resource scripts

struct TestEntry {
    const char* name;
    uint16_t iconId;
    uint16_t testId;  // id of the page's dialog template and ordinal of its dialog procedure
    uint16_t flags;  // ZK_TEST_*
};

struct SystemFileEntry {
    const char* fileName;
    uint16_t flags;  // ZK_FILE_*
    uint16_t iniId;  // ZKRC_INI id; 0: every section of the file
};

// A registry key as the resource states it. Editor keys carry no description, flags or table.
struct KeyRecord {
    const char* name;
    const char* description;
    uint32_t root;  // a predefined root-key value such as 0x80000002
    const char* subkey;
    uint16_t flags;  // ZK_KEY_*
    uint16_t editTableId;  // ZKRC_REGEDIT id, 0 for none
};

struct LibraryDescription {
    const char* name = nullptr;
    uint16_t iconId = 0;
    std::vector<KeyRecord> editorKeys;
    std::vector<TestEntry> tests;
    std::vector<KeyRecord> loggedKeys;
    std::vector<SystemFileEntry> systemFiles;
};

struct EditDescription {
    const char* label = nullptr;
    const char* valueName = nullptr;
    const char* description = nullptr;
    uint16_t type = 0;
    uint32_t minimum = 0;  // ZK_EDIT_DWORD_RANGE
    uint32_t maximum = 0;
    std::vector<const char*> choiceLabels;   // ZK_EDIT_DWORD_CHOICE and ZK_EDIT_STRING_CHOICE
    std::vector<uint32_t> dwordChoices;      // parallel to choiceLabels
    std::vector<const char*> stringChoices;  // parallel to choiceLabels
};

// The number of choices a value may offer: a drop-down list of more is no choice to a user.
constexpr size_t kFewestChoices = 1;
constexpr size_t kMostChoices = 256;

// Why and where a resource was refused, for authors checking their libraries: the first read
// that failed, its byte offset from the start of the data and the part it belonged to. A value
// description that reads well but cannot be shown or edited (UnknownKind: a kind other than 0,
// which is never offered, and the six of zelkor_rc.h; ReversedRange: a minimum above the maximum,
// which would refuse every number; ChoiceCount: outside kFewestChoices..kMostChoices) is refused
// at the offset where it starts, with its label and what was wrong with it.
enum class ParseProblem { None, NoEndMarker, UnterminatedText, ShortNumber, UnknownKind, ReversedRange, ChoiceCount,
                          EmptyTable };
struct ParseFailure {
    ParseProblem problem = ParseProblem::None;
    size_t offset = 0;
    const char* part = nullptr;   // for example "test list"
    const char* value = nullptr;  // the label of the value description refused for its content
    uint32_t figures[2] = {};     // the kind; the minimum and maximum; the number of choices
};

// Each returns false, with the output unspecified, when the data is truncated, a list lacks its
// terminating zero or a string its terminating byte, or a value description is unusable;
// failure, when given, then says which.
bool ParseLibraryResource(const uint8_t* data, size_t size, LibraryDescription& library,
                          ParseFailure* failure = nullptr);
bool ParseSectionList(const uint8_t* data, size_t size, std::vector<const char*>& sections,
                      ParseFailure* failure = nullptr);
bool ParseEditTable(const uint8_t* data, size_t size, std::vector<EditDescription>& values,
                    ParseFailure* failure = nullptr);
