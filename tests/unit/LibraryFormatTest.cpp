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
