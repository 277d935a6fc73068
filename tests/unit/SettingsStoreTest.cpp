#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "ScratchKey.h"
#include "fixture_ids.h"
#include "registry/SettingsFormat.h"
#include "registry/SettingsStore.h"

namespace {

// Builds resource data the way the resource compiler lays it out: packed, little-endian.
class Bytes {
public:
    Bytes& word(uint16_t value) { return raw(&value, 2); }
    Bytes& dword(uint32_t value) { return raw(&value, 4); }
    Bytes& text(const char* text) { return raw(text, std::strlen(text) + 1); }
    Bytes& raw(const void* data, size_t size) {
        const auto* bytes = static_cast<const uint8_t*>(data);
        m_data.insert(m_data.end(), bytes, bytes + size);
        return *this;
    }
    const std::vector<uint8_t>& data() const { return m_data; }

private:
    std::vector<uint8_t> m_data;
};

// A copy of the first size bytes that ends exactly where an inaccessible page begins: a read
// past the end crashes the test instead of passing unnoticed.
class PageEndCopy {
public:
    PageEndCopy(const std::vector<uint8_t>& data, size_t size) {
        SYSTEM_INFO system;
        GetSystemInfo(&system);
        m_pageSize = system.dwPageSize;
        m_base = static_cast<uint8_t*>(VirtualAlloc(nullptr, 2 * m_pageSize, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
        DWORD previous = 0;
        VirtualProtect(m_base + m_pageSize, m_pageSize, PAGE_NOACCESS, &previous);
        m_data = m_base + m_pageSize - size;
        std::memcpy(m_data, data.data(), size);
    }
    ~PageEndCopy() { VirtualFree(m_base, 0, MEM_RELEASE); }
    PageEndCopy(const PageEndCopy&) = delete;
    PageEndCopy& operator=(const PageEndCopy&) = delete;

    const uint8_t* data() const { return m_data; }

private:
    size_t m_pageSize = 0;
    uint8_t* m_base = nullptr;
    uint8_t* m_data = nullptr;
};

// Writes each default as one line of text instead of into the registry.
class RecordingWriter : public SettingValueWriter {
public:
    long setDword(const char* name, uint32_t value) override {
        lines.push_back(std::string(name) + " = dword " + std::to_string(value));
        return 0;
    }
    long setString(const char* name, const char* text) override {
        lines.push_back(std::string(name) + " = text " + text);
        return 0;
    }
    long setBinary(const char* name, const void* data, uint32_t size) override {
        lines.push_back(std::string(name) + " = bytes " + std::string(static_cast<const char*>(data), size));
        return 0;
    }
    std::vector<std::string> lines;
};

bool DescribeEntry(const CSettingEntry& entry, void* context) {
    auto& writer = *static_cast<RecordingWriter*>(context);
    writer.lines.push_back(std::to_string(entry.id()) + " " + entry.name() + " code " +
                           std::to_string(entry.typeCode()) + (entry.noDefault() ? " no default" : "") + " type " +
                           std::to_string(entry.registryType()));
    entry.writeDefault(writer);
    return true;
}

std::vector<std::string> DescribeTable(const void* data, size_t size, bool* complete = nullptr) {
    RecordingWriter writer;
    const bool reachedEnd = WalkSettingsTable(data, size, DescribeEntry, &writer);
    if (complete) *complete = reachedEnd;
    return writer.lines;
}

struct TreeVisits {
    std::vector<std::string> lines;
    uint32_t stopAt = 0;
};

bool DescribeNode(const SettingsTreeNode& node, void* context) {
    auto& visits = *static_cast<TreeVisits*>(context);
    visits.lines.push_back(std::to_string(node.id) + " " + (node.name ? node.name : "(root)") + " " +
                           node.relativePath);
    return node.id != visits.stopAt;
}

Bytes EveryKindOfEntry() {
    Bytes table;
    table.word(1).text("Ab").word(0).dword(0x01020304);  // the name leaves the code at an odd offset
    table.word(2).text("Text").word(1).text("hi");
    table.word(3).text("Empty").word(2).dword(0);
    table.word(4).text("Blob").word(2).dword(3).raw("xyz", 3);
    table.word(5).text("NoDword").word(3);
    table.word(6).text("NoText").word(4);
    table.word(7).text("NoBlob").word(5);
    table.word(8).text("Other").word(9);
    table.word(1).text("Again").word(4);
    return table.word(0);
}

// Base path "Base"; A with children B (with child C) and D; then E.
Bytes NestedTree() {
    Bytes tree;
    tree.dword(0x80000001).text("Base");
    tree.word(10).text("A");
    tree.word(11).text("B").word(12).text("C").word(0).word(0);
    tree.word(13).text("D").word(0);
    tree.word(0);
    tree.word(14).text("E").word(0);
    return tree.word(0);
}

}  // namespace

TEST(SettingsFormat, TableWalkReadsEveryKindOfEntryWithoutPadding) {
    const std::vector<uint8_t> table = EveryKindOfEntry().data();
    bool complete = false;
    const std::vector<std::string> expected = {
        "1 Ab code 0 type 4", "Ab = dword 16909060",
        "2 Text code 1 type 1", "Text = text hi",
        "3 Empty code 2 type 3", "Empty = bytes ",
        "4 Blob code 2 type 3", "Blob = bytes xyz",
        "5 NoDword code 3 no default type 4",
        "6 NoText code 4 no default type 1",
        "7 NoBlob code 5 no default type 3",
        "8 Other code 9 type 0",
        "1 Again code 4 no default type 1",
    };
    EXPECT_EQ(expected, DescribeTable(table.data(), table.size(), &complete));
    EXPECT_TRUE(complete);

    EXPECT_STREQ("Ab", FindSettingName(table.data(), table.size(), 1));  // the first of two
    EXPECT_STREQ("NoBlob", FindSettingName(table.data(), table.size(), 7));
    EXPECT_EQ(nullptr, FindSettingName(table.data(), table.size(), 99));

    const uint8_t empty[] = {0, 0};
    EXPECT_TRUE(DescribeTable(empty, sizeof empty, &complete).empty());
    EXPECT_TRUE(complete);
}

TEST(SettingsFormat, TruncatedTablesAndTreesEndTheWalkWithoutReadingPastTheEnd) {
    const std::vector<uint8_t> table = EveryKindOfEntry().data();
    for (size_t size = 0; size < table.size(); ++size) {
        const PageEndCopy copy(table, size);
        bool complete = true;
        DescribeTable(copy.data(), size, &complete);
        EXPECT_FALSE(complete) << size << " bytes";
        FindSettingName(copy.data(), size, 99);
    }
    // A binary default longer than what is left.
    const std::vector<uint8_t> overlong = Bytes().word(1).text("Blob").word(2).dword(0xFFFFFFF0).word(0).data();
    EXPECT_TRUE(DescribeTable(overlong.data(), overlong.size()).empty());

    const std::vector<uint8_t> tree = NestedTree().data();
    for (size_t size = 0; size < tree.size(); ++size) {
        const PageEndCopy copy(tree, size);
        TreeVisits visits;
        SettingsTreeNode node;
        EXPECT_FALSE(WalkSettingsTree(copy.data(), size, node, DescribeNode, &visits)) << size << " bytes";
        uint32_t root = 0;
        std::string path;
        EXPECT_FALSE(FindSettingsKeyPath(copy.data(), size, 99, root, path));
    }
}

TEST(SettingsFormat, TreeWalkVisitsParentsBeforeChildrenWithNestedPaths) {
    const std::vector<uint8_t> tree = NestedTree().data();
    TreeVisits visits;
    SettingsTreeNode node;
    EXPECT_TRUE(WalkSettingsTree(tree.data(), tree.size(), node, DescribeNode, &visits));
    const std::vector<std::string> expected = {
        "1 (root) ", "10 A \\A", "11 B \\A\\B", "12 C \\A\\B\\C", "13 D \\A\\D", "14 E \\E",
    };
    EXPECT_EQ(expected, visits.lines);

    TreeVisits stopped;
    stopped.stopAt = 12;
    EXPECT_FALSE(WalkSettingsTree(tree.data(), tree.size(), node, DescribeNode, &stopped));
    EXPECT_EQ(4u, stopped.lines.size());
    EXPECT_EQ(12u, node.id);
    EXPECT_STREQ("C", node.name);
    EXPECT_EQ("\\A\\B\\C", node.relativePath);

    uint32_t root = 0;
    std::string path;
    ASSERT_TRUE(FindSettingsKeyPath(tree.data(), tree.size(), 13, root, path));
    EXPECT_EQ(0x80000001u, root);
    EXPECT_EQ("Base\\A\\D", path);
    ASSERT_TRUE(FindSettingsKeyPath(tree.data(), tree.size(), 1, root, path));
    EXPECT_EQ("Base", path);
    EXPECT_FALSE(FindSettingsKeyPath(tree.data(), tree.size(), 99, root, path));
}

// The compiled resources hold exactly the tree and tables that the program relies on.
TEST(SettingsStore, ProgramResourcesHoldTheSettingsTreeAndTables) {
    const CResourceBlock tree(nullptr, SETTINGS_TREE, ZKRC_REGTREE);
    ASSERT_TRUE(tree.valid());
    SettingsTreeHeader header;
    ASSERT_TRUE(ReadSettingsTreeHeader(tree.data(), tree.size(), header));
    EXPECT_EQ(HKEY_CURRENT_USER, SettingsRootKey(header.root));
    EXPECT_STREQ("Software\\Halvard\\Zelkor", header.basePath);
    TreeVisits visits;
    SettingsTreeNode node;
    EXPECT_TRUE(WalkSettingsTree(tree.data(), tree.size(), node, DescribeNode, &visits));
    const std::vector<std::string> nodes = {
        "1 (root) ", "1000 General \\General", "1001 Text Editor \\Text Editor",
        "1002 Registry Editor \\Registry Editor",
    };
    EXPECT_EQ(nodes, visits.lines);

    const auto describe = [](UINT id) {
        const CResourceBlock table(nullptr, id, ZKRC_REGKEY);
        bool complete = false;
        std::vector<std::string> lines = DescribeTable(table.data(), table.size(), &complete);
        EXPECT_TRUE(complete) << id;
        return lines;
    };
    const std::vector<std::string> general = {
        "1000 Tech Support Number code 4 no default type 1", "1001 User Name code 4 no default type 1",
        "1002 User Company code 4 no default type 1", "1003 User Phone code 4 no default type 1",
        "1004 User Fax code 4 no default type 1",
    };
    EXPECT_EQ(general, describe(SETTINGS_GENERAL));
    const std::vector<std::string> textEditor = {
        "1000 Font code 5 no default type 3", "1001 Window code 5 no default type 3",
        "1002 State code 3 no default type 4",
    };
    EXPECT_EQ(textEditor, describe(SETTINGS_TEXT_EDITOR));
    const std::vector<std::string> registryEditor = {
        "1000 Window code 5 no default type 3", "1001 State code 3 no default type 4",
        "1002 Split code 3 no default type 4", "1003 Entry Width code 3 no default type 4",
        "1004 Data Width code 3 no default type 4", "1005 Dword Base code 3 no default type 4",
    };
    EXPECT_EQ(registryEditor, describe(SETTINGS_REGISTRY_EDITOR));
    const std::vector<std::string> faxProgram = {
        "2000 Exepath code 4 no default type 1", "2001 Version code 4 no default type 1",
    };
    EXPECT_EQ(faxProgram, describe(SETTINGS_FAX_PROGRAM));
    const std::vector<std::string> faxWizard = {"2000 DoNotUseWizard code 0 type 4", "DoNotUseWizard = dword 0"};
    EXPECT_EQ(faxWizard, describe(SETTINGS_FAX_WIZARD));
}

namespace {

constexpr char kSettingsPath[] = "Software\\Halvard\\Zelkor";

DWORD ValueCount(const char* path) {
    const CRegistryKey key(HKEY_CURRENT_USER, path, false);
    RegistryKeyInfo info;
    EXPECT_EQ(ERROR_SUCCESS, key.queryInfo(info)) << path;
    return info.values;
}

}  // namespace

TEST(SettingsStore, InstallCreatesTheKeysAndSettingsKeysReadAndWriteById) {
    RegDeleteTreeA(HKEY_CURRENT_USER, kSettingsPath);
    EXPECT_TRUE(InstallSettingsTree(SETTINGS_TREE, nullptr));
    {
        const CRegistryKey base(HKEY_CURRENT_USER, kSettingsPath, false);
        RegistryKeyInfo info;
        ASSERT_EQ(ERROR_SUCCESS, base.queryInfo(info));
        EXPECT_EQ(3u, info.subkeys);
        EXPECT_EQ(0u, info.values);
    }
    for (const char* name : {"General", "Text Editor", "Registry Editor"})
        EXPECT_EQ(0u, ValueCount((std::string(kSettingsPath) + "\\" + name).c_str())) << name;

    {
        CRegistryKey general(SETTINGS_GENERAL, SETTINGS_TREE, nullptr);
        EXPECT_TRUE(general.isWritable());
        EXPECT_FALSE(general.valueExists(GENERAL_USER_NAME));
        EXPECT_EQ(ERROR_SUCCESS, general.setString(GENERAL_USER_NAME, "Ann Example"));
        EXPECT_TRUE(general.valueExists(GENERAL_USER_NAME));
        std::string name;
        general.getString(GENERAL_USER_NAME, name);
        EXPECT_EQ("Ann Example", name);
        char buffer[5];
        DWORD size = sizeof buffer - 1;
        EXPECT_EQ(ERROR_MORE_DATA, general.getString(GENERAL_USER_NAME, buffer, size));
        // An id that the table lacks touches nothing.
        EXPECT_EQ(ERROR_FILE_NOT_FOUND, general.setString(999, "x"));
        EXPECT_FALSE(general.valueExists(999));
    }
    {
        const CRegistryKey general(HKEY_CURRENT_USER, (std::string(kSettingsPath) + "\\General").c_str(), false);
        std::string name;
        general.getString("User Name", name);
        EXPECT_EQ("Ann Example", name);
        EXPECT_EQ(1u, ValueCount((std::string(kSettingsPath) + "\\General").c_str()));
    }
    {
        CRegistryKey editor(SETTINGS_REGISTRY_EDITOR, SETTINGS_TREE, nullptr);
        EXPECT_EQ(ERROR_SUCCESS, editor.setDword(REGISTRY_EDITOR_DWORD_BASE, 16));
        EXPECT_EQ(16u, editor.getDword(REGISTRY_EDITOR_DWORD_BASE));
        EXPECT_EQ(16u, editor.getDword("Dword Base"));

        CRegistryKey textEditor(SETTINGS_TEXT_EDITOR, SETTINGS_TREE, nullptr);
        const WINDOWPLACEMENT placement{sizeof placement, 0, SW_SHOWNORMAL, {1, 2}, {3, 4}, {5, 6, 700, 800}};
        EXPECT_EQ(ERROR_SUCCESS, textEditor.setBinary(TEXT_EDITOR_WINDOW, &placement, sizeof placement));
        WINDOWPLACEMENT readBack{};
        DWORD size = sizeof readBack;
        EXPECT_EQ(ERROR_SUCCESS, textEditor.getBinary(TEXT_EDITOR_WINDOW, &readBack, size));
        EXPECT_EQ(44u, size);
        EXPECT_EQ(800, readBack.rcNormalPosition.bottom);
    }
    // Installing again changes no value.
    EXPECT_TRUE(InstallSettingsTree(SETTINGS_TREE, nullptr));
    EXPECT_EQ(1u, ValueCount((std::string(kSettingsPath) + "\\General").c_str()));
    EXPECT_EQ(1u, ValueCount((std::string(kSettingsPath) + "\\Registry Editor").c_str()));
    RegDeleteTreeA(HKEY_CURRENT_USER, kSettingsPath);
}

using SettingsDefaults = ScratchKeyTest;

TEST_F(SettingsDefaults, OpeningWithATableWritesOnlyTheMissingDefaults) {
    {
        CRegistryKey wizard(scratch(), "Wizard", true, SETTINGS_FAX_WIZARD, nullptr);
        RegistryValueInfo info;
        ASSERT_EQ(ERROR_SUCCESS, wizard.queryValueInfo("DoNotUseWizard", info));
        EXPECT_EQ(static_cast<DWORD>(REG_DWORD), info.type);
        EXPECT_EQ(0u, wizard.getDword("DoNotUseWizard"));
        EXPECT_EQ(ERROR_SUCCESS, wizard.setDword(FAX_WIZARD_DO_NOT_USE_WIZARD, 1));
    }
    {
        const CRegistryKey wizard(scratch(), "Wizard", false, SETTINGS_FAX_WIZARD, nullptr);
        EXPECT_EQ(1u, wizard.getDword(FAX_WIZARD_DO_NOT_USE_WIZARD));
    }

    createKey("Defaults");
    {
        CRegistryKey key(scratch(), "Defaults", false);
        EXPECT_EQ(ERROR_SUCCESS, key.setString("Text", "mine"));
    }
    CRegistryKey key(scratch(), "Defaults", false, IDR_DEFAULTS_TABLE, GetModuleHandleA(nullptr));
    EXPECT_EQ(0x01020304u, key.getDword("Number"));
    std::string text;
    key.getString("Text", text);
    EXPECT_EQ("mine", text);
    char bytes[8] = {};
    DWORD size = sizeof bytes;
    EXPECT_EQ(ERROR_SUCCESS, key.getBinary("Blob", bytes, size));
    EXPECT_EQ("xyz", std::string(bytes, size));
    RegistryValueInfo info;
    ASSERT_EQ(ERROR_SUCCESS, key.queryValueInfo("Nothing", info));
    EXPECT_EQ(static_cast<DWORD>(REG_BINARY), info.type);
    EXPECT_EQ(0u, info.size);
    EXPECT_FALSE(key.valueExists("NoDefault"));
    EXPECT_FALSE(key.valueExists("Untyped"));
}
