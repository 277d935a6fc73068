// The test-library resource parsers and the wildcard keys: plain data, no registry.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ResourceBytes.h"
#include "testlib/KeyPattern.h"
#include "testlib/LibraryFormat.h"

namespace {

std::vector<uint8_t> FullLibrary() {
    Bytes bytes;
    bytes.text("Modem").word(101);
    bytes.text("Modem settings").dword(0x80000002).text("Software\\Halvard\\Keelson").end();
    bytes.text("Ports").word(102).word(200).word(ZK_TEST_HAS_PAGE | ZK_TEST_TYPICAL);
    bytes.text("Dialing").word(103).word(201).word(0).end();
    bytes.text("Port*").text("Serial ports").dword(0x80000001).text("Ports\\COM*").word(3).word(300).end();
    bytes.text("win.ini").word(0);
    bytes.text("system.ini").word(ZK_FILE_SECTIONS).word(400);
    bytes.text("modem.ini").word(ZK_FILE_SECTIONS).word(0).end();
    return bytes.data();
}

std::vector<uint8_t> EveryKindOfEditValue() {
    Bytes table;
    table.text("Retries").text("Retries").text("Redials").word(ZK_EDIT_DWORD_RANGE).dword(1).dword(0x10000);
    table.text("Speaker").text("Speaker").text("Volume").word(ZK_EDIT_DWORD_CHOICE | ZK_EDIT_DELETABLE);
    table.text("Off").dword(0).text("High").dword(0x20001).end();
    table.text("Build").text("Build").text("Number").word(ZK_EDIT_DWORD_READONLY);
    table.text("Station").text("StationId").text("Id").word(ZK_EDIT_STRING);
    table.text("Paper").text("Paper").text("Size").word(ZK_EDIT_STRING_CHOICE);
    table.text("Letter").text("letter").text("A4").text("a4").end();
    table.text("Odd").text("Odd").text("No kind").word(0);
    return table.end().data();
}

}  // namespace

TEST(LibraryFormat, ReadsEveryListOfADescription) {
    const auto data = FullLibrary();
    LibraryDescription library;
    ASSERT_TRUE(ParseLibraryResource(data.data(), data.size(), library));
    EXPECT_STREQ("Modem", library.name);

    ASSERT_EQ(1u, library.editorKeys.size());
    EXPECT_STREQ("Software\\Halvard\\Keelson", library.editorKeys[0].subkey);
    ASSERT_EQ(2u, library.tests.size());
    EXPECT_EQ(200, library.tests[0].testId);
    EXPECT_STREQ("Dialing", library.tests[1].name);
    ASSERT_EQ(1u, library.loggedKeys.size());
    EXPECT_EQ(0x80000001u, library.loggedKeys[0].root);
    EXPECT_EQ(300, library.loggedKeys[0].editTableId);
    ASSERT_EQ(3u, library.systemFiles.size());
    EXPECT_EQ(0, library.systemFiles[0].iniId) << "no id follows without the sections flag";
    EXPECT_EQ(400, library.systemFiles[1].iniId);
    EXPECT_STREQ("modem.ini", library.systemFiles[2].fileName);

    // A name and four empty lists is the smallest description; trailing padding is ignored.
    const auto bare = Bytes().text("Bare").word(1).end().end().end().end().word(0).data();
    EXPECT_TRUE(ParseLibraryResource(bare.data(), bare.size(), library));
    EXPECT_TRUE(library.tests.empty() && library.systemFiles.empty());
    EXPECT_FALSE(ParseLibraryResource(nullptr, 0, library));
}

TEST(LibraryFormat, EditTablesAndSectionListsReadTheirExtraData) {
    const auto data = EveryKindOfEditValue();
    std::vector<EditDescription> values;
    ASSERT_TRUE(ParseEditTable(data.data(), data.size(), values));
    ASSERT_EQ(6u, values.size());
    EXPECT_EQ(1u, values[0].minimum);
    EXPECT_EQ(0x10000u, values[0].maximum);
    EXPECT_EQ(ZK_EDIT_DWORD_CHOICE | ZK_EDIT_DELETABLE, values[1].type);
    EXPECT_STREQ("High", values[1].choiceLabels[1]);
    EXPECT_EQ((std::vector<uint32_t>{0, 0x20001}), values[1].dwordChoices);
    ASSERT_EQ(2u, values[4].stringChoices.size());
    EXPECT_STREQ("A4", values[4].choiceLabels[1]);
    EXPECT_STREQ("a4", values[4].stringChoices[1]);
    EXPECT_EQ(0, values[5].type);

    EXPECT_EQ(EditValueKind::Plain, EditKindOf(ZK_EDIT_DELETABLE));
    EXPECT_EQ(EditValueKind::Dword, EditKindOf(0x105)) << "the DWORD bits are tested first";

    std::vector<const char*> sections;
    const auto list = Bytes().text("Modem").text("Fax").end().data();
    ASSERT_TRUE(ParseSectionList(list.data(), list.size(), sections));
    ASSERT_EQ(2u, sections.size());
    EXPECT_STREQ("Fax", sections[1]);
    const auto empty = Bytes().end().data();
    EXPECT_TRUE(ParseSectionList(empty.data(), empty.size(), sections));
    EXPECT_TRUE(sections.empty());
}

TEST(LibraryFormat, EveryTruncatedResourceIsRefusedWithoutReadingPastTheEnd) {
    ExpectEveryTruncationRefused(FullLibrary(), [](const uint8_t* data, size_t size) {
        LibraryDescription library;
        return ParseLibraryResource(data, size, library);
    });
    ExpectEveryTruncationRefused(EveryKindOfEditValue(), [](const uint8_t* data, size_t size) {
        std::vector<EditDescription> values;
        return ParseEditTable(data, size, values);
    });
    ExpectEveryTruncationRefused(Bytes().text("Modem").text("Fax").end().data(), [](const uint8_t* data, size_t size) {
        std::vector<const char*> sections;
        return ParseSectionList(data, size, sections);
    });
}

TEST(KeyPatternTest, ExpandsTheMiddleOfMatchingSubkeysWhereverTheWildcardStands) {
    auto pattern = KeyPattern::Parse("Port*", "System\\Ports\\COM*\\Settings");
    ASSERT_TRUE(pattern);
    EXPECT_EQ("System\\Ports", pattern->parentPath());
    std::string name, path;
    // The subkey's own spelling is kept only in the middle, which may be empty.
    for (const char* subkey : {"COM1", "com1", "COM"}) {
        ASSERT_TRUE(pattern->Expand(subkey, name, path)) << subkey;
        EXPECT_EQ("System\\Ports\\COM" + std::string(subkey + 3) + "\\Settings", path);
        EXPECT_EQ("Port" + std::string(subkey + 3), name);
    }
    name = "untouched";
    EXPECT_FALSE(pattern->Expand("LPT1", name, path));
    EXPECT_FALSE(pattern->Expand("CO", name, path));
    EXPECT_EQ("untouched", name);

    // Under the root itself, with a suffix and nothing after the component.
    auto top = KeyPattern::Parse("* modem", "Modem*Set");
    ASSERT_TRUE(top);
    ASSERT_TRUE(top->Expand("modemXset", name, path));
    EXPECT_EQ("X modem", name);
    EXPECT_EQ("ModemXSet", path);
    EXPECT_FALSE(top->Expand("ModemSe", name, path)) << "prefix and suffix may not overlap";

    auto deep = KeyPattern::Parse("Fax *", "Software\\Halvard\\Ravelin\\*\\Devices\\Line");
    ASSERT_TRUE(deep);
    ASSERT_TRUE(deep->Expand("4.0", name, path));
    EXPECT_EQ("Software\\Halvard\\Ravelin\\4.0\\Devices\\Line", path);

    EXPECT_FALSE(KeyPattern::Parse("Ports", "System\\Ports\\COM1"));
    EXPECT_FALSE(KeyPattern::Parse("Port*", "System\\Ports\\COM1")) << "a wildcard needs both halves";
}
