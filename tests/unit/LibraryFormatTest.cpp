// The test-library resource parsers and the wildcard keys: plain data, no registry.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "testlib/KeyPattern.h"
#include "testlib/LibraryFormat.h"

namespace {

// Builds resource data the way a resource compiler lays it out.
class Bytes {
public:
    Bytes& text(const std::string& value) {
        m_data.insert(m_data.end(), value.begin(), value.end());
        m_data.push_back(0);
        return *this;
    }
    Bytes& word(uint16_t value) {
        m_data.push_back(static_cast<uint8_t>(value));
        m_data.push_back(static_cast<uint8_t>(value >> 8));
        return *this;
    }
    Bytes& dword(uint32_t value) { return word(static_cast<uint16_t>(value)).word(static_cast<uint16_t>(value >> 16)); }
    Bytes& end() { return word(0); }
    const std::vector<uint8_t>& data() const { return m_data; }

private:
    std::vector<uint8_t> m_data;
};

Bytes FullLibrary() {
    Bytes bytes;
    bytes.text("Modem").word(101);
    bytes.text("Modem settings").dword(0x80000002).text("Software\\Halvard\\Keelson").end();
    bytes.text("Ports").word(102).word(200).word(ZK_TEST_HAS_PAGE | ZK_TEST_TYPICAL);
    bytes.text("Dialing").word(103).word(201).word(0).end();
    bytes.text("Port*").text("Serial ports").dword(0x80000001).text("Ports\\COM*").word(3).word(300).end();
    bytes.text("win.ini").word(0);
    bytes.text("system.ini").word(ZK_FILE_SECTIONS).word(400);
    bytes.text("modem.ini").word(ZK_FILE_SECTIONS).word(0).end();
    return bytes;
}

// Every shorter piece of a well-formed resource is malformed: no read may run past the end.
template <class Parse>
void ExpectEveryTruncationRefused(const std::vector<uint8_t>& whole, Parse parse) {
    for (size_t size = 0; size < whole.size(); ++size) {
        std::vector<uint8_t> piece(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(size));
        EXPECT_FALSE(parse(piece.empty() ? nullptr : piece.data(), piece.size())) << "accepted " << size << " bytes";
    }
}

}  // namespace

TEST(LibraryFormat, ReadsEveryListOfADescription) {
    const auto data = FullLibrary().data();
    LibraryDescription library;
    ASSERT_TRUE(ParseLibraryResource(data.data(), data.size(), library));

    EXPECT_STREQ("Modem", library.name);
    EXPECT_EQ(101, library.iconId);

    ASSERT_EQ(1u, library.editorKeys.size());
    EXPECT_STREQ("Modem settings", library.editorKeys[0].name);
    EXPECT_EQ(0x80000002u, library.editorKeys[0].root);
    EXPECT_STREQ("Software\\Halvard\\Keelson", library.editorKeys[0].subkey);
    EXPECT_EQ(nullptr, library.editorKeys[0].description);
    EXPECT_EQ(0, library.editorKeys[0].flags);
    EXPECT_EQ(0, library.editorKeys[0].editTableId);

    ASSERT_EQ(2u, library.tests.size());
    EXPECT_STREQ("Ports", library.tests[0].name);
    EXPECT_EQ(102, library.tests[0].iconId);
    EXPECT_EQ(200, library.tests[0].testId);
    EXPECT_EQ(3, library.tests[0].flags);
    EXPECT_STREQ("Dialing", library.tests[1].name);
    EXPECT_EQ(0, library.tests[1].flags);

    ASSERT_EQ(1u, library.loggedKeys.size());
    EXPECT_STREQ("Serial ports", library.loggedKeys[0].description);
    EXPECT_EQ(0x80000001u, library.loggedKeys[0].root);
    EXPECT_EQ(3, library.loggedKeys[0].flags);
    EXPECT_EQ(300, library.loggedKeys[0].editTableId);

    ASSERT_EQ(3u, library.systemFiles.size());
    EXPECT_STREQ("win.ini", library.systemFiles[0].fileName);
    EXPECT_EQ(0, library.systemFiles[0].iniId) << "no id follows without the sections flag";
    EXPECT_EQ(400, library.systemFiles[1].iniId);
    EXPECT_STREQ("modem.ini", library.systemFiles[2].fileName);
    EXPECT_EQ(0, library.systemFiles[2].iniId);
}

TEST(LibraryFormat, RefusesTruncatedAndUnterminatedDescriptions) {
    ExpectEveryTruncationRefused(FullLibrary().data(), [](const uint8_t* data, size_t size) {
        LibraryDescription library;
        return ParseLibraryResource(data, size, library);
    });

    LibraryDescription library;
    // A name and four empty lists is the smallest description; trailing padding is ignored.
    auto bare = Bytes().text("Bare").word(1).end().end().end().end().word(0).data();
    EXPECT_TRUE(ParseLibraryResource(bare.data(), bare.size(), library));
    EXPECT_TRUE(library.tests.empty() && library.editorKeys.empty());
    // The last string runs to the end of the data without its zero byte.
    auto unterminated = Bytes().text("Name").word(1).end().end().end().data();
    for (char c : std::string("win.ini")) unterminated.push_back(static_cast<uint8_t>(c));
    EXPECT_FALSE(ParseLibraryResource(unterminated.data(), unterminated.size(), library));
    // One byte where a list's 16-bit terminator should be.
    auto oddEnd = Bytes().text("Name").word(1).end().end().end().data();
    oddEnd.push_back(0);
    EXPECT_FALSE(ParseLibraryResource(oddEnd.data(), oddEnd.size(), library));
    EXPECT_FALSE(ParseLibraryResource(nullptr, 0, library));
}

TEST(LibraryFormat, SectionLists) {
    std::vector<const char*> sections;
    auto list = Bytes().text("Modem").text("Fax").end().data();
    ASSERT_TRUE(ParseSectionList(list.data(), list.size(), sections));
    ASSERT_EQ(2u, sections.size());
    EXPECT_STREQ("Modem", sections[0]);
    EXPECT_STREQ("Fax", sections[1]);

    auto empty = Bytes().end().data();
    EXPECT_TRUE(ParseSectionList(empty.data(), empty.size(), sections));
    EXPECT_TRUE(sections.empty());

    ExpectEveryTruncationRefused(list, [](const uint8_t* data, size_t size) {
        std::vector<const char*> parsed;
        return ParseSectionList(data, size, parsed);
    });
}

TEST(LibraryFormat, EditTablesReadTheExtraDataOfEachKind) {
    Bytes table;
    table.text("Retries").text("Retries").text("Redials").word(ZK_EDIT_DWORD_RANGE).dword(1).dword(0x10000);
    table.text("Speaker").text("Speaker").text("Volume").word(ZK_EDIT_DWORD_CHOICE | ZK_EDIT_DELETABLE);
    table.text("Off").dword(0).text("High").dword(0x20001).end();
    table.text("Build").text("Build").text("Number").word(ZK_EDIT_DWORD_READONLY);
    table.text("Station").text("StationId").text("Id").word(ZK_EDIT_STRING);
    table.text("Paper").text("Paper").text("Size").word(ZK_EDIT_STRING_CHOICE);
    table.text("Letter").text("letter").text("A4").text("a4").end();
    table.text("Folder").text("Path").text("Where").word(ZK_EDIT_STRING_READONLY);
    table.text("Odd").text("Odd").text("No kind").word(0).end();
    const auto data = table.data();

    std::vector<EditDescription> values;
    ASSERT_TRUE(ParseEditTable(data.data(), data.size(), values));
    ASSERT_EQ(7u, values.size());
    EXPECT_STREQ("Retries", values[0].label);
    EXPECT_EQ(1u, values[0].minimum);
    EXPECT_EQ(0x10000u, values[0].maximum);

    EXPECT_EQ(ZK_EDIT_DWORD_CHOICE | ZK_EDIT_DELETABLE, values[1].type);
    ASSERT_EQ(2u, values[1].choiceLabels.size());
    EXPECT_STREQ("High", values[1].choiceLabels[1]);
    EXPECT_EQ((std::vector<uint32_t>{0, 0x20001}), values[1].dwordChoices);
    EXPECT_TRUE(values[1].stringChoices.empty());

    EXPECT_STREQ("Number", values[2].description);
    EXPECT_STREQ("StationId", values[3].valueName);

    ASSERT_EQ(2u, values[4].stringChoices.size());
    EXPECT_STREQ("A4", values[4].choiceLabels[1]);
    EXPECT_STREQ("a4", values[4].stringChoices[1]);
    EXPECT_TRUE(values[4].dwordChoices.empty());

    EXPECT_STREQ("Folder", values[5].label);
    EXPECT_EQ(0, values[6].type);

    ExpectEveryTruncationRefused(data, [](const uint8_t* bytes, size_t size) {
        std::vector<EditDescription> parsed;
        return ParseEditTable(bytes, size, parsed);
    });
}

TEST(LibraryFormat, EditKindsTestTheDwordBitsFirst) {
    EXPECT_EQ(EditValueKind::Plain, EditKindOf(0));
    EXPECT_EQ(EditValueKind::Plain, EditKindOf(ZK_EDIT_DELETABLE));
    for (uint16_t type : {1, 2, 3, 5, 0x103}) EXPECT_EQ(EditValueKind::Dword, EditKindOf(type)) << type;
    for (uint16_t type : {4, 8, 12, 0x10C}) EXPECT_EQ(EditValueKind::String, EditKindOf(type)) << type;
}

TEST(KeyPatternTest, ExpandsTheMiddleOfMatchingSubkeysOnly) {
    auto pattern = KeyPattern::Parse("Port*", "System\\Ports\\COM*\\Settings");
    ASSERT_TRUE(pattern);
    EXPECT_EQ("System\\Ports", pattern->parentPath());

    std::string name, path;
    ASSERT_TRUE(pattern->Expand("COM1", name, path));
    EXPECT_EQ("Port1", name);
    EXPECT_EQ("System\\Ports\\COM1\\Settings", path);
    // The subkey's own spelling is kept only in the middle.
    ASSERT_TRUE(pattern->Expand("com2", name, path));
    EXPECT_EQ("Port2", name);
    EXPECT_EQ("System\\Ports\\COM2\\Settings", path);
    ASSERT_TRUE(pattern->Expand("COM", name, path));
    EXPECT_EQ("Port", name);
    EXPECT_EQ("System\\Ports\\COM\\Settings", path);
    name = "untouched";
    EXPECT_FALSE(pattern->Expand("LPT1", name, path));
    EXPECT_FALSE(pattern->Expand("CO", name, path));
    EXPECT_EQ("untouched", name);
}

TEST(KeyPatternTest, SplitsAroundTheWildcardWhereverItStands) {
    std::string name, path;
    // Under the root itself, with a suffix and nothing after the component.
    auto top = KeyPattern::Parse("* modem", "Modem*Set");
    ASSERT_TRUE(top);
    EXPECT_EQ("", top->parentPath());
    ASSERT_TRUE(top->Expand("modemXset", name, path));
    EXPECT_EQ("X modem", name);
    EXPECT_EQ("ModemXSet", path);
    EXPECT_FALSE(top->Expand("ModemSe", name, path)) << "prefix and suffix may not overlap";
    ASSERT_TRUE(top->Expand("ModemSet", name, path));
    EXPECT_EQ(" modem", name);

    auto deep = KeyPattern::Parse("Fax *", "Software\\Halvard\\Ravelin\\*\\Devices\\Line");
    ASSERT_TRUE(deep);
    EXPECT_EQ("Software\\Halvard\\Ravelin", deep->parentPath());
    ASSERT_TRUE(deep->Expand("4.0", name, path));
    EXPECT_EQ("Fax 4.0", name);
    EXPECT_EQ("Software\\Halvard\\Ravelin\\4.0\\Devices\\Line", path);

    EXPECT_FALSE(KeyPattern::Parse("Ports", "System\\Ports\\COM1"));
    EXPECT_FALSE(KeyPattern::Parse("Port*", "System\\Ports\\COM1")) << "a wildcard needs both halves";
}
