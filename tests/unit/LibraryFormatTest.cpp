// The test-library resource parsers, on the resources of the complete fixture library, and the
// wildcard keys: plain data, no registry.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FixtureLibraries.h"
#include "ResourceBytes.h"
#include "libraries/fixture_library_ids.h"
#include "framework/Handles.h"
#include "testlib/KeyPattern.h"
#include "testlib/LibraryFormat.h"
#include "zelkor_rc.h"

TEST(LibraryFormat, EveryTruncatedResourceIsRefusedWithoutReadingPastTheEnd) {
    const fw::UniqueModule complete(
        LoadLibraryExA((FixtureDirectory() + "Complete.ZKL").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
    ASSERT_TRUE(complete);
    ExpectEveryTruncationRefused(ResourceBytes(complete.get(), ZK_LIBRARY_ID, "ZKRC_LIBRARY"),
                                 [](const uint8_t* data, size_t size) {
                                     LibraryDescription library;
                                     return ParseLibraryResource(data, size, library);
                                 });
    ExpectEveryTruncationRefused(ResourceBytes(complete.get(), IDR_FIXTURE_VALUES, "ZKRC_REGEDIT"),
                                 [](const uint8_t* data, size_t size) {
                                     std::vector<EditDescription> values;
                                     return ParseEditTable(data, size, values);
                                 });
    ExpectEveryTruncationRefused(ResourceBytes(complete.get(), IDR_FIXTURE_SECTIONS, "ZKRC_INI"),
                                 [](const uint8_t* data, size_t size) {
                                     std::vector<const char*> sections;
                                     return ParseSectionList(data, size, sections);
                                 });
}

namespace {

// A ZKRC_REGEDIT table written byte by byte: a sound read-only value, then the value under test.
class EditTableBytes {
public:
    explicit EditTableBytes(uint16_t type) {
        value("Build", ZK_EDIT_DWORD_READONLY);
        tested = bytes.size();
        value("Tested", type);
    }
    EditTableBytes& text(const std::string& text) {
        bytes.insert(bytes.end(), text.c_str(), text.c_str() + text.size() + 1);
        return *this;
    }
    EditTableBytes& number(uint32_t number, size_t size = 4) {
        for (size_t i = 0; i < size; ++i) bytes.push_back(static_cast<uint8_t>(number >> (8 * i)));
        return *this;
    }
    EditTableBytes& dwordChoices(size_t count) {
        for (size_t i = 0; i < count; ++i) text("L" + std::to_string(i)).number(static_cast<uint32_t>(i));
        return number(ZK_END, 2);
    }
    EditTableBytes& stringChoices(size_t count) {
        for (size_t i = 0; i < count; ++i) text("L" + std::to_string(i)).text("v");
        return number(ZK_END, 2);
    }
    // Parses the table with its end marker; problem None when it was accepted.
    ParseFailure Parsed() {
        number(ZK_END, 2);
        std::vector<EditDescription> values;
        ParseFailure failure;
        const bool accepted = ParseEditTable(bytes.data(), bytes.size(), values, &failure);
        EXPECT_EQ(accepted, failure.problem == ParseProblem::None);
        EXPECT_TRUE(!accepted || values.size() == 2);
        return failure;
    }

    size_t tested = 0;  // where the value under test starts

private:
    void value(const char* label, uint16_t type) { text(label).text(label).text("about").number(type, 2); }

    std::vector<uint8_t> bytes;
};

void ExpectRefused(EditTableBytes& table, ParseProblem problem, uint32_t first, uint32_t second = 0) {
    const ParseFailure failure = table.Parsed();
    EXPECT_EQ(problem, failure.problem);
    EXPECT_EQ(table.tested, failure.offset);
    EXPECT_STREQ("Tested", failure.value);
    EXPECT_EQ(first, failure.figures[0]);
    EXPECT_EQ(second, failure.figures[1]);
}

}  // namespace

// What the Registry page could not show or edit is refused with the library, as zkcheck says.
TEST(LibraryFormat, ValuesThatNoPageCouldUseAreRefusedWhereTheyStart) {
    for (uint16_t kind = 0; kind <= ZK_EDIT_KIND_MASK; ++kind) {
        EditTableBytes table(static_cast<uint16_t>(kind | ZK_EDIT_DELETABLE));
        if (kind == ZK_EDIT_DWORD_RANGE) table.number(1).number(9);
        if (kind == ZK_EDIT_DWORD_CHOICE) table.dwordChoices(2);
        if (kind == ZK_EDIT_STRING_CHOICE) table.stringChoices(2);
        const bool known = kind == 0 || kind == 1 || kind == 2 || kind == 3 || kind == 4 || kind == 8 || kind == 12;
        if (known)
            EXPECT_EQ(ParseProblem::None, table.Parsed().problem) << kind;
        else
            ExpectRefused(table, ParseProblem::UnknownKind, kind);
    }

    const uint8_t noValues[] = {0, 0};
    std::vector<EditDescription> values;
    ParseFailure failure;
    EXPECT_FALSE(ParseEditTable(noValues, sizeof noValues, values, &failure));
    EXPECT_EQ(ParseProblem::EmptyTable, failure.problem);

    EditTableBytes single(ZK_EDIT_DWORD_RANGE);
    EXPECT_EQ(ParseProblem::None, single.number(5).number(5).Parsed().problem) << "one number is a range";
    EditTableBytes reversed(ZK_EDIT_DWORD_RANGE);
    ExpectRefused(reversed.number(100).number(0), ParseProblem::ReversedRange, 100, 0);

    for (size_t count : {kFewestChoices, kMostChoices}) {
        EditTableBytes dwords(ZK_EDIT_DWORD_CHOICE), strings(ZK_EDIT_STRING_CHOICE);
        EXPECT_EQ(ParseProblem::None, dwords.dwordChoices(count).Parsed().problem) << count;
        EXPECT_EQ(ParseProblem::None, strings.stringChoices(count).Parsed().problem) << count;
    }
    for (size_t count : {kFewestChoices - 1, kMostChoices + 1, size_t{20000}}) {
        EditTableBytes dwords(ZK_EDIT_DWORD_CHOICE), strings(ZK_EDIT_STRING_CHOICE);
        ExpectRefused(dwords.dwordChoices(count), ParseProblem::ChoiceCount, static_cast<uint32_t>(count));
        ExpectRefused(strings.stringChoices(count), ParseProblem::ChoiceCount, static_cast<uint32_t>(count));
    }
}

TEST(KeyPatternTest, RefusesNamesTooShortForPrefixAndSuffix) {
    // Matching subkeys in the middle of a path are walked by the catalogue tests; here the edges.
    std::string name = "untouched", path;
    auto pattern = KeyPattern::Parse("Port*", "System\\Ports\\COM*\\Settings");
    ASSERT_TRUE(pattern);
    EXPECT_FALSE(pattern->Expand("CO", name, path));
    EXPECT_EQ("untouched", name);

    // Under the root itself, with a suffix and nothing after the component.
    auto top = KeyPattern::Parse("* modem", "Modem*Set");
    ASSERT_TRUE(top);
    EXPECT_FALSE(top->Expand("ModemSe", name, path)) << "prefix and suffix may not overlap";

    EXPECT_FALSE(KeyPattern::Parse("Ports", "System\\Ports\\COM1"));
    EXPECT_FALSE(KeyPattern::Parse("Port*", "System\\Ports\\COM1")) << "a wildcard needs both halves";
}
