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

TEST(KeyPatternTest, ExpandsAtTheRootAndRefusesNamesTooShortForPrefixAndSuffix) {
    // Matching subkeys in the middle of a path are walked by the catalogue tests; here the edges.
    std::string name = "untouched", path;
    auto pattern = KeyPattern::Parse("Port*", "System\\Ports\\COM*\\Settings");
    ASSERT_TRUE(pattern);
    EXPECT_FALSE(pattern->Expand("CO", name, path));
    EXPECT_EQ("untouched", name);

    // Under the root itself, with a suffix and nothing after the component.
    auto top = KeyPattern::Parse("* modem", "Modem*Set");
    ASSERT_TRUE(top);
    ASSERT_TRUE(top->Expand("modemXset", name, path));
    EXPECT_EQ("X modem", name);
    EXPECT_EQ("ModemXSet", path);
    EXPECT_FALSE(top->Expand("ModemSe", name, path)) << "prefix and suffix may not overlap";

    EXPECT_FALSE(KeyPattern::Parse("Ports", "System\\Ports\\COM1"));
    EXPECT_FALSE(KeyPattern::Parse("Port*", "System\\Ports\\COM1")) << "a wildcard needs both halves";
}
