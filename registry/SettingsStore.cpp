#include "registry/SettingsStore.h"

#include <string>

#include "registry/SettingsFormat.h"

namespace {

// Lets the table's entries write their defaults into a key.
class KeyDefaultsWriter : public SettingValueWriter {
public:
    explicit KeyDefaultsWriter(CRegistryKey& key) : m_key(key) {}
    long setDword(const char* name, uint32_t value) override { return m_key.setDword(name, value); }
    long setString(const char* name, const char* text) override { return m_key.setString(name, text); }
    long setBinary(const char* name, const void* data, uint32_t size) override {
        return m_key.setBinary(name, data, size);
    }

private:
    CRegistryKey& m_key;
};

struct MissingDefaults {
    CRegistryKey& key;
    KeyDefaultsWriter writer;
    bool allWritten;
};

bool WriteDefaultIfMissing(const CSettingEntry& entry, void* context) {
    auto& defaults = *static_cast<MissingDefaults*>(context);
    if (!defaults.key.valueExists(entry.name()) && entry.writeDefault(defaults.writer) != ERROR_SUCCESS)
        defaults.allWritten = false;
    return true;
}

struct TreeInstall {
    HKEY root;
    const char* basePath;
    HMODULE module;
};

bool InstallKey(const SettingsTreeNode& node, void* context) {
    const auto& install = *static_cast<const TreeInstall*>(context);
    const std::string path = install.basePath + node.relativePath;
    // The key's table, when the module has one, writes its missing defaults on opening.
    CRegistryKey key(install.root, path.c_str(), true, node.id, install.module);
    return true;
}

}  // namespace

bool WriteMissingDefaults(CRegistryKey& key, const CResourceBlock& table) {
    MissingDefaults defaults{key, KeyDefaultsWriter(key), true};
    return WalkSettingsTable(table.data(), table.size(), WriteDefaultIfMissing, &defaults) && defaults.allWritten;
}

bool InstallSettingsTree(UINT treeId, HMODULE module) {
    CResourceBlock tree(module, treeId, ZKRC_REGTREE);
    SettingsTreeHeader header;
    if (!ReadSettingsTreeHeader(tree.data(), tree.size(), header)) return false;
    TreeInstall install{SettingsRootKey(header.root), header.basePath, tree.module()};
    SettingsTreeNode node;
    return WalkSettingsTree(tree.data(), tree.size(), node, InstallKey, &install);
}

HKEY SettingsRootKey(uint32_t root) {
    // Predefined handles are sign-extended on 64-bit Windows: 0x80000001 is HKEY_CURRENT_USER there too.
    return reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(static_cast<LONG_PTR>(static_cast<LONG>(root))));
}
