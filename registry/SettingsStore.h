// The settings store: the program's keys under HKEY_CURRENT_USER, described by its ZKRC_REGTREE
// resource (the tree of keys) and ZKRC_REGKEY resources (one table of values per key, with the
// key's id as resource id). A settings key is a registry key with its table: values are read
// and written by their ids in the table.
#pragma once
#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

#include "framework/ResourceBlock.h"
#include "registry/RegistryKey.h"
#include "registry/SettingsIds.h"

class CSettingsKey {
public:
    // The key of the settings tree with this id, created if missing; its table is the module's
    // ZKRC_REGKEY resource of the same id, when there is one.
    explicit CSettingsKey(UINT settingId, UINT treeId = SETTINGS_TREE, HMODULE module = nullptr);
    // A key outside the tree (opened or created as CRegistryKey does) described by a table.
    CSettingsKey(HKEY parent, const char* subkey, bool create, UINT tableId, HMODULE module = nullptr);

    // An id that the table lacks gives ERROR_FILE_NOT_FOUND (or "no", 0, an empty text)
    // without a registry call.
    bool valueExists(UINT id) const;
    LONG getString(UINT id, char* buffer, DWORD& size) const;
    void getString(UINT id, std::string& value) const;
    LONG setString(UINT id, const char* text);
    DWORD getDword(UINT id) const;
    LONG setDword(UINT id, DWORD value);
    LONG getBinary(UINT id, void* buffer, DWORD& size) const;
    LONG setBinary(UINT id, const void* data, DWORD size);

private:
    // Attaches the module's table tableId, if it has one, and writes its missing defaults.
    void attachTable(UINT tableId, HMODULE module);
    const char* nameOf(UINT id) const;  // null when the table has no such entry

    std::unique_ptr<CRegistryKey> m_key;
    CResourceBlock m_table;
};

// Creates every key of the tree, the settings root included, and writes the missing defaults of
// the keys that have a table. Run once at start-up. False when the tree is missing or damaged.
bool InstallSettingsTree(UINT treeId, HMODULE module);

// The predefined root handle that a tree's 32-bit root field stands for.
HKEY SettingsRootKey(uint32_t root);
