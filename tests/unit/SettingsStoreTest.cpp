// The settings formats, read from this program's resources, and the settings store in the registry.
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

// Describes each entry, and each default it writes, as one line of text.
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

bool DescribeEntry(const CSettingEntry& entry, void* context) {
    auto& writer = *static_cast<RecordingWriter*>(context);
    writer.lines.push_back(std::to_string(entry.id()) + " " + entry.name());
    entry.writeDefault(writer);
    return true;
}

bool WalkTable(const uint8_t* data, size_t size, std::vector<std::string>* lines = nullptr) {
    RecordingWriter writer;
    const bool complete = WalkSettingsTable(data, size, DescribeEntry, &writer);
    if (lines) *lines = writer.lines;
    return complete;
}

bool DescribeNode(const SettingsTreeNode& node, void* context) {
    static_cast<std::vector<std::string>*>(context)->push_back(std::to_string(node.id) + " " + node.relativePath);
    return true;
}

std::vector<uint8_t> EveryKindOfEntry() { return ResourceBytes(nullptr, IDR_DEFAULTS_TABLE, ZKRC_REGKEY); }
std::vector<uint8_t> NestedTree() { return ResourceBytes(nullptr, IDR_NESTED_TREE, ZKRC_REGTREE); }

}  // namespace

TEST(SettingsFormat, TableWalkReadsEveryKindOfEntryWithoutPadding) {
    const std::vector<uint8_t> table = EveryKindOfEntry();
    std::vector<std::string> lines;
    EXPECT_TRUE(WalkTable(table.data(), table.size(), &lines));
    const std::vector<std::string> expected = {
        "1 Number", "Number = 16909060", "2 Text",      "Text = hello", "3 Nothing", "Nothing = ", "4 Blob",
        "Blob = xyz", "5 NoDword",       "6 NoDefault", "7 NoBlob",     "8 Untyped", "1 Again"};
    EXPECT_EQ(expected, lines);

    EXPECT_STREQ("Number", FindSettingName(table.data(), table.size(), 1));  // the first of two
    EXPECT_STREQ("NoBlob", FindSettingName(table.data(), table.size(), 7));
    EXPECT_EQ(nullptr, FindSettingName(table.data(), table.size(), 99));

    const uint8_t empty[] = {0, 0};
    EXPECT_TRUE(WalkTable(empty, sizeof empty, &lines));
    EXPECT_TRUE(lines.empty());
}

TEST(SettingsFormat, TreeWalkVisitsParentsBeforeChildrenWithTheirPaths) {
    const std::vector<uint8_t> tree = NestedTree();
    std::vector<std::string> lines;
    SettingsTreeNode node;
    EXPECT_TRUE(WalkSettingsTree(tree.data(), tree.size(), node, DescribeNode, &lines));
    const std::vector<std::string> expected = {"1 ", "10 \\A", "11 \\A\\B", "12 \\A\\B\\C", "13 \\A\\D", "14 \\E"};
    EXPECT_EQ(expected, lines);

    uint32_t root = 0;
    std::string path;
    ASSERT_TRUE(FindSettingsKeyPath(tree.data(), tree.size(), 13, root, path));
    EXPECT_EQ(HKEY_CURRENT_USER, SettingsRootKey(root));
    EXPECT_EQ("Base\\A\\D", path);
    ASSERT_TRUE(FindSettingsKeyPath(tree.data(), tree.size(), 1, root, path));
    EXPECT_EQ("Base", path);
    EXPECT_FALSE(FindSettingsKeyPath(tree.data(), tree.size(), 99, root, path));
}

TEST(SettingsFormat, TruncatedTablesAndTreesAreRefusedWithoutReadingPastTheEnd) {
    ExpectEveryTruncationRefused(EveryKindOfEntry(), [](const uint8_t* data, size_t size) {
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
        std::vector<std::string> lines;
        SettingsTreeNode node;
        return WalkSettingsTree(data, size, node, DescribeNode, &lines);
    });
}

namespace {

constexpr char kSettingsPath[] = "Software\\Halvard\\Zelkor";

RegistryKeyInfo KeyInfo(const std::string& path) {
    const CRegistryKey key(HKEY_CURRENT_USER, path.c_str(), false);
    RegistryKeyInfo info;
    EXPECT_EQ(ERROR_SUCCESS, key.queryInfo(info)) << path;
    return info;
}

}  // namespace

TEST(SettingsStore, InstallCreatesTheKeysAndSettingsKeysReadAndWriteById) {
    const std::string base = kSettingsPath;
    RegDeleteTreeA(HKEY_CURRENT_USER, kSettingsPath);
    EXPECT_TRUE(InstallSettingsTree(SETTINGS_TREE, nullptr));
    EXPECT_EQ(3u, KeyInfo(base).subkeys);
    // No entry of the program's tables has a default: nothing is written.
    for (const char* name : {"", "\\General", "\\Text Editor", "\\Registry Editor"})
        EXPECT_EQ(0u, KeyInfo(base + name).values) << name;
    {
        CSettingsKey general(SETTINGS_GENERAL);
        EXPECT_FALSE(general.valueExists(GENERAL_USER_NAME));
        EXPECT_EQ(ERROR_SUCCESS, general.setString(GENERAL_USER_NAME, "Ann Example"));
        std::string name;
        CRegistryKey(HKEY_CURRENT_USER, (base + "\\General").c_str(), false).getString("User Name", name);
        EXPECT_EQ("Ann Example", name);
        // An id that the table lacks touches nothing.
        EXPECT_EQ(ERROR_FILE_NOT_FOUND, general.setString(999, "x"));
        EXPECT_FALSE(general.valueExists(999));

        CSettingsKey editor(SETTINGS_REGISTRY_EDITOR);
        EXPECT_EQ(ERROR_SUCCESS, editor.setDword(REGISTRY_EDITOR_DWORD_BASE, 16));
        const CRegistryKey editorKey(HKEY_CURRENT_USER, (base + "\\Registry Editor").c_str(), false);
        EXPECT_EQ(16u, editorKey.getDword("Dword Base"));
    }
    // Installing again changes no value.
    EXPECT_TRUE(InstallSettingsTree(SETTINGS_TREE, nullptr));
    EXPECT_EQ(1u, KeyInfo(base + "\\General").values);
    RegDeleteTreeA(HKEY_CURRENT_USER, kSettingsPath);
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
