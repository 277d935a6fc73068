// The settings store: the program's keys under HKEY_CURRENT_USER, described by its ZKRC_REGTREE
// resource (the tree of keys) and ZKRC_REGKEY resources (one table of values per key, with the
// key's id as resource id). Settings keys are CRegistryKey objects opened by setting id.
#pragma once
#include <windows.h>

#include <cstdint>

#include "registry/RegistryKey.h"
#include "registry/ResourceBlock.h"
#include "registry/SettingsIds.h"

inline constexpr char ZKRC_REGTREE[] = "ZKRC_REGTREE";
inline constexpr char ZKRC_REGKEY[] = "ZKRC_REGKEY";

// Writes the default of every entry of the table whose value the key lacks; existing values are
// never changed. True when the whole table was walked and every write succeeded.
bool WriteMissingDefaults(CRegistryKey& key, const CResourceBlock& table);

// Creates every key of the tree, the settings root included, and writes the missing defaults of
// the keys that have a table. Run once at start-up. False when the tree is missing or damaged.
bool InstallSettingsTree(UINT treeId, HMODULE module);

// The predefined root handle that a tree's 32-bit root field stands for.
HKEY SettingsRootKey(uint32_t root);
