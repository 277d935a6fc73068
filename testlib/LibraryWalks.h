// The walks over a library's lists. Each calls its visitor, a callable taking the entry, once
// per entry; the visitor returns false to stop, and the walk returns true when it reached the
// end. Keys are checked against the registry as they are walked, so a page always sees the
// machine as it is now.
#pragma once
#include <windows.h>

#include <memory>
#include <string>
#include <utility>

#include "registry/RegistryKey.h"
#include "testlib/KeyPattern.h"
#include "testlib/ProfileSectionNames.h"
#include "testlib/RegEditItem.h"
#include "testlib/TestLibrary.h"

// A record's entry, its root turned into the predefined handle.
LoggedKeyEntry KeyEntryOf(const KeyRecord& record);
bool KeyOpens(HKEY root, const char* subkey);

template <class Visit>
bool ForEachTest(const CTestLibrary& library, Visit&& visit) {
    for (const TestEntry& test : library.description().tests)
        if (!visit(test)) return false;
    return true;
}

// Only the keys that open; others are skipped silently.
template <class Visit>
bool ForEachEditorKey(const CTestLibrary& library, Visit&& visit) {
    for (const KeyRecord& record : library.description().editorKeys) {
        const LoggedKeyEntry entry = KeyEntryOf(record);
        if (KeyOpens(entry.root, entry.subkey) && !visit(entry)) return false;
    }
    return true;
}

// One copy of entry for every subkey of the pattern's parent that matches it.
template <class Visit>
bool ForEachExpansion(const LoggedKeyEntry& entry, const KeyPattern& pattern, Visit&& visit) {
    const CRegistryKey parent(entry.root, pattern.parentPath().c_str(), false);
    if (!parent.handle()) return true;
    RegistryKeyInfo subkey;
    std::string name, path;
    for (DWORD index = 0; parent.enumSubkey(index, subkey); ++index) {
        if (!pattern.Expand(subkey.name, name, path)) continue;
        LoggedKeyEntry expanded = entry;
        expanded.name = name.c_str();
        expanded.subkey = path.c_str();
        if (!visit(static_cast<const LoggedKeyEntry&>(expanded))) return false;
    }
    return true;
}

// Keys that exist, each wildcard entry expanded once per matching subkey, in enumeration order.
template <class Visit>
bool ForEachLoggedKey(const CTestLibrary& library, Visit&& visit) {
    for (const KeyRecord& record : library.description().loggedKeys) {
        const LoggedKeyEntry entry = KeyEntryOf(record);
        if (auto pattern = KeyPattern::Parse(entry.name, entry.subkey)) {
            if (!ForEachExpansion(entry, *pattern, visit)) return false;
        } else if (KeyOpens(entry.root, entry.subkey) && !visit(entry)) {
            return false;
        }
    }
    return true;
}

template <class Visit>
bool ForEachSystemFile(const CTestLibrary& library, Visit&& visit) {
    for (const SystemFileEntry& file : library.description().systemFiles)
        if (!visit(file)) return false;
    return true;
}

// The listed sections, or for iniId 0 every section that the file holds; each as a C string.
template <class Visit>
bool ForEachIniSection(const CTestLibrary& library, const SystemFileEntry& file, Visit&& visit) {
    if (file.iniId) {
        for (const char* section : library.sectionList(file.iniId))
            if (!visit(section)) return false;
        return true;
    }
    for (const std::string& section : ProfileSectionNames(file.fileName))
        if (!visit(section.c_str())) return false;
    return true;
}

// The described values of a logged key that exist under it, read from the registry; the
// visitor owns the item it is handed.
template <class Visit>
bool ForEachRegEditItem(const CTestLibrary& library, const LoggedKeyEntry& key, Visit&& visit) {
    if (!key.editTableId) return true;
    const CRegistryKey registryKey(key.root, key.subkey, false);
    if (!registryKey.handle()) return true;
    for (const EditDescription& description : library.editTable(key.editTableId)) {
        // A description of kind 0 has nothing to show or edit: it is never offered.
        if (!(description.type & ZK_EDIT_KIND_MASK)) continue;
        std::unique_ptr<RegEditItem> item = RegEditItem::Create(description);
        if (item->Read(registryKey) && !visit(std::move(item))) return false;
    }
    return true;
}
