// The walks over a library's lists. Keys are checked against the registry as they are walked,
// so a page always sees the machine as it is now.
#include <string>

#include "registry/RegistryKey.h"
#include "testlib/KeyPattern.h"
#include "testlib/ProfileSectionNames.h"
#include "testlib/TestLibrary.h"

namespace {

HKEY RootOf(const KeyRecord& record) {
    // Predefined roots are sign-extended 32-bit values, as the platform's own constants are.
    return reinterpret_cast<HKEY>(static_cast<LONG_PTR>(static_cast<LONG>(record.root)));
}

LoggedKeyEntry EntryOf(const KeyRecord& record) {
    return {record.name, record.description, RootOf(record), record.subkey, record.flags, record.editTableId};
}

bool KeyOpens(HKEY root, const char* subkey) { return CRegistryKey(root, subkey, false).handle() != nullptr; }

// Visits one copy of entry for every subkey of the pattern's parent that matches it.
bool VisitExpansions(CTestLibrary& library, const LoggedKeyEntry& entry, const KeyPattern& pattern,
                     KeyVisitor visitor, void* context, DWORD extra) {
    CRegistryKey parent(entry.root, pattern.parentPath().c_str(), false);
    if (!parent.handle()) return true;
    RegistryKeyInfo subkey;
    std::string name, path;
    for (DWORD index = 0; parent.enumSubkey(index, subkey); ++index) {
        if (!pattern.Expand(subkey.name, name, path)) continue;
        LoggedKeyEntry expanded = entry;
        expanded.name = name.c_str();
        expanded.subkey = path.c_str();
        if (!visitor(library, expanded, context, extra)) return false;
    }
    return true;
}

bool StopAtFirst(CTestLibrary&, const LoggedKeyEntry&, void*, DWORD) { return false; }

}  // namespace

bool CTestLibrary::HasLoggedKeys() {
    return !m_description.loggedKeys.empty() && !ForEachLoggedKey(*this, StopAtFirst, nullptr, 0);
}

bool CTestLibrary::HasEditorKeys() {
    return !m_description.editorKeys.empty() && !ForEachEditorKey(*this, StopAtFirst, nullptr, 0);
}

bool ForEachTest(CTestLibrary& library, TestVisitor visitor, void* context, DWORD extra) {
    for (const auto& test : library.description().tests) {
        if (!visitor(library, test, context, extra)) return false;
    }
    return true;
}

bool ForEachEditorKey(CTestLibrary& library, KeyVisitor visitor, void* context, DWORD extra) {
    for (const auto& record : library.description().editorKeys) {
        const LoggedKeyEntry entry = EntryOf(record);
        if (!KeyOpens(entry.root, entry.subkey)) continue;
        if (!visitor(library, entry, context, extra)) return false;
    }
    return true;
}

bool ForEachLoggedKey(CTestLibrary& library, KeyVisitor visitor, void* context, DWORD extra) {
    for (const auto& record : library.description().loggedKeys) {
        const LoggedKeyEntry entry = EntryOf(record);
        if (auto pattern = KeyPattern::Parse(entry.name, entry.subkey)) {
            if (!VisitExpansions(library, entry, *pattern, visitor, context, extra)) return false;
        } else if (KeyOpens(entry.root, entry.subkey)) {
            if (!visitor(library, entry, context, extra)) return false;
        }
    }
    return true;
}

bool ForEachSystemFile(CTestLibrary& library, SystemFileVisitor visitor, void* context, DWORD extra) {
    for (const auto& file : library.description().systemFiles) {
        if (!visitor(library, file, context, extra)) return false;
    }
    return true;
}

bool ForEachIniSection(CTestLibrary& library, const SystemFileEntry& file, SectionVisitor visitor, void* context,
                       DWORD extra) {
    if (file.iniId) {
        for (const char* section : library.sectionList(file.iniId)) {
            if (!visitor(library, section, context, extra)) return false;
        }
        return true;
    }
    for (const std::string& section : ProfileSectionNames(file.fileName)) {
        if (!visitor(library, section.c_str(), context, extra)) return false;
    }
    return true;
}

bool ForEachRegEditItem(CTestLibrary& library, const LoggedKeyEntry& key, RegEditItemVisitor visitor, void* context,
                        DWORD extra) {
    if (!key.editTableId) return true;
    const CRegistryKey registryKey(key.root, key.subkey, false);
    if (!registryKey.handle()) return true;
    for (const auto& description : library.editTable(key.editTableId)) {
        // A description of kind 0 has nothing to show or edit: it is never offered.
        if (!(description.type & ZK_EDIT_KIND_MASK)) continue;
        auto item = RegEditItem::Create(description);
        if (!item->Read(registryKey)) continue;
        if (!visitor(library, std::move(item), context, extra)) return false;
    }
    return true;
}
