#include "registry/SettingsStore.h"

#include <string>

#include "registry/SettingsFormat.h"

namespace {

// Lets the table's entries write their defaults into a key.
class KeyDefaultsWriter : public SettingValueWriter {
public:
    explicit KeyDefaultsWriter(CRegistryKey& key) : m_key(key) {}
    const CRegistryKey& key() const { return m_key; }
    long setDword(const char* name, uint32_t value) override { return m_key.setDword(name, value); }
    long setString(const char* name, const char* text) override { return m_key.setString(name, text); }
    long setBinary(const char* name, const void* data, uint32_t size) override {
        return m_key.setBinary(name, data, size);
    }

private:
    CRegistryKey& m_key;
};

bool WriteDefaultIfMissing(const CSettingEntry& entry, void* context) {
    auto& writer = *static_cast<KeyDefaultsWriter*>(context);
    if (!writer.key().valueExists(entry.name())) entry.writeDefault(writer);
    return true;
}

// Writes the default of every entry of the table whose value the key lacks; existing values are
// never changed. A key that cannot be written keeps its users on their own fallbacks.
void WriteMissingDefaults(CRegistryKey& key, const CResourceBlock& table) {
    KeyDefaultsWriter writer(key);
    WalkSettingsTable(table.data(), table.size(), WriteDefaultIfMissing, &writer);
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
    CSettingsKey key(install.root, path.c_str(), true, node.id, install.module);
    return true;
}

}  // namespace

CSettingsKey::CSettingsKey(UINT settingId, UINT treeId, HMODULE module) {
    const CResourceBlock tree(module, treeId, ZKRC_REGTREE);
    uint32_t root = 0;
    std::string path;
    if (FindSettingsKeyPath(tree.data(), tree.size(), settingId, root, path))
        m_key = std::make_unique<CRegistryKey>(SettingsRootKey(root), path.c_str(), true);
    else
        m_key = std::make_unique<CRegistryKey>(static_cast<HKEY>(nullptr), false);
    attachTable(settingId, module);
}

CSettingsKey::CSettingsKey(HKEY parent, const char* subkey, bool create, UINT tableId, HMODULE module)
    : m_key(std::make_unique<CRegistryKey>(parent, subkey, create)) {
    attachTable(tableId, module);
}

void CSettingsKey::attachTable(UINT tableId, HMODULE module) {
    m_table = CResourceBlock(module, tableId, ZKRC_REGKEY);
    if (m_table.valid()) WriteMissingDefaults(*m_key, m_table);
}

const char* CSettingsKey::nameOf(UINT id) const {
    return m_table.valid() ? FindSettingName(m_table.data(), m_table.size(), id) : nullptr;
}

bool CSettingsKey::valueExists(UINT id) const {
    const char* name = nameOf(id);
    return name && m_key->valueExists(name);
}

LONG CSettingsKey::getString(UINT id, char* buffer, DWORD& size) const {
    const char* name = nameOf(id);
    if (name) return m_key->getString(name, buffer, size);
    buffer[0] = '\0';
    return ERROR_FILE_NOT_FOUND;
}

void CSettingsKey::getString(UINT id, std::string& value) const {
    value.clear();
    if (const char* name = nameOf(id)) m_key->getString(name, value);
}

LONG CSettingsKey::setString(UINT id, const char* text) {
    const char* name = nameOf(id);
    return name ? m_key->setString(name, text) : ERROR_FILE_NOT_FOUND;
}

DWORD CSettingsKey::getDword(UINT id) const {
    const char* name = nameOf(id);
    return name ? m_key->getDword(name) : 0;
}

LONG CSettingsKey::setDword(UINT id, DWORD value) {
    const char* name = nameOf(id);
    return name ? m_key->setDword(name, value) : ERROR_FILE_NOT_FOUND;
}

LONG CSettingsKey::getBinary(UINT id, void* buffer, DWORD& size) const {
    const char* name = nameOf(id);
    return name ? m_key->getBinary(name, buffer, size) : ERROR_FILE_NOT_FOUND;
}

LONG CSettingsKey::setBinary(UINT id, const void* data, DWORD size) {
    const char* name = nameOf(id);
    return name ? m_key->setBinary(name, data, size) : ERROR_FILE_NOT_FOUND;
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
