// The settings formats, read from this program's resources, and the defaults a settings key writes.
// Whole sessions install the program's settings and store the user's details.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ResourceBytes.h"
#include "ScratchKey.h"
#include "fixture_ids.h"
#include "registry/SettingsFormat.h"
#include "registry/SettingsStore.h"

namespace {

// Takes each default an entry writes, copying its data as the registry would.
struct RecordingWriter : SettingValueWriter {
    long setDword(const char* name, uint32_t value) override { return add(name, std::to_string(value)); }
    long setString(const char* name, const char* text) override { return add(name, text); }
    long setBinary(const char* name, const void* data, uint32_t size) override {
        return add(name, std::string(static_cast<const char*>(data), size));
    }
    long add(const char* name, const std::string& value) {
        lines.push_back(std::string(name) + " = " + value);
        return 0;
    }
    std::vector<std::string> lines;
};

bool WriteDefault(const CSettingEntry& entry, void* writer) {
    entry.writeDefault(*static_cast<RecordingWriter*>(writer));
    return true;
}

bool WalkTable(const uint8_t* data, size_t size) {
    RecordingWriter writer;
    return WalkSettingsTable(data, size, WriteDefault, &writer);
}

std::vector<uint8_t> EveryKindOfEntry() { return ResourceBytes(nullptr, IDR_DEFAULTS_TABLE, ZKRC_REGKEY); }
std::vector<uint8_t> NestedTree() { return ResourceBytes(nullptr, IDR_NESTED_TREE, ZKRC_REGTREE); }

}  // namespace

// The program's own tree is one level deep (the sessions use it); this one nests.
TEST(SettingsFormat, KeyPathsJoinTheNodesOfTheirBranch) {
    const std::vector<uint8_t> tree = NestedTree();
    uint32_t root = 0;
    std::string path;
    ASSERT_TRUE(FindSettingsKeyPath(tree.data(), tree.size(), 13, root, path));
    EXPECT_EQ("Base\\A\\D", path);
    ASSERT_TRUE(FindSettingsKeyPath(tree.data(), tree.size(), 1, root, path));
    EXPECT_EQ("Base", path);
    EXPECT_FALSE(FindSettingsKeyPath(tree.data(), tree.size(), 99, root, path));
}

TEST(SettingsFormat, TruncatedTablesAndTreesAreRefusedWithoutReadingPastTheEnd) {
    const std::vector<uint8_t> table = EveryKindOfEntry();
    EXPECT_STREQ("Number", FindSettingName(table.data(), table.size(), 1));  // the first of two
    ExpectEveryTruncationRefused(table, [](const uint8_t* data, size_t size) {
        FindSettingName(data, size, 99);
        return WalkTable(data, size);
    });
    // A binary default longer than what is left: id 1, "B", type 2, size 0xFFFFFFF0, the end.
    const uint8_t overlong[] = {1, 0, 'B', 0, 2, 0, 0xF0, 0xFF, 0xFF, 0xFF, 0, 0};
    EXPECT_FALSE(WalkTable(overlong, sizeof overlong));

    ExpectEveryTruncationRefused(NestedTree(), [](const uint8_t* data, size_t size) {
        uint32_t root = 0;
        std::string path;
        EXPECT_FALSE(FindSettingsKeyPath(data, size, 99, root, path));
        SettingsTreeNode node;
        return WalkSettingsTree(data, size, node, [](const SettingsTreeNode&, void*) { return true; }, nullptr);
    });
}

using SettingsDefaults = ScratchKeyTest;

TEST_F(SettingsDefaults, OpeningWithATableWritesOnlyTheMissingDefaults) {
    createKey("Defaults");
    EXPECT_EQ(ERROR_SUCCESS, CRegistryKey(scratch(), "Defaults", false).setString("Text", "mine"));
    const CSettingsKey opened(scratch(), "Defaults", false, IDR_DEFAULTS_TABLE, GetModuleHandleA(nullptr));
    const CRegistryKey key(scratch(), "Defaults", false);
    EXPECT_EQ(0x01020304u, key.getDword("Number"));
    std::string text;
    key.getString("Text", text);
    EXPECT_EQ("mine", text);
    RegistryValueInfo info;
    ASSERT_EQ(ERROR_SUCCESS, key.queryValueInfo("Nothing", info));
    EXPECT_EQ(0u, info.size);
    char blob[4] = {};
    DWORD size = sizeof blob;
    ASSERT_EQ(ERROR_SUCCESS, key.getBinary("Blob", blob, size));
    EXPECT_EQ("xyz", std::string(blob, size));
    for (const char* name : {"NoDword", "NoDefault", "NoBlob", "Untyped"}) EXPECT_FALSE(key.valueExists(name)) << name;
}
