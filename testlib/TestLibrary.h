// Test libraries: the *.ZKL files beside the program, loaded once at start-up and kept until
// exit, their descriptions, and the walks over their tests, keys and files that every page uses.
#pragma once
#include <windows.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "framework/Handles.h"
#include "registry/ResourceBlock.h"
#include "testlib/LibraryFormat.h"
#include "testlib/RegEditItem.h"

// Editor keys and logged keys share this record; an editor key has description, flags and
// editTableId zero. The strings live in the library's resource, or for an expanded wildcard
// key in the walk, so an entry is valid only during the visitor's call.
struct LoggedKeyEntry {
    const char* name;
    const char* description;
    HKEY root;
    const char* subkey;
    WORD flags;  // ZK_KEY_*
    WORD editTableId;
};
using EditorKeyEntry = LoggedKeyEntry;

class CTestLibrary {
public:
    // Reads path's description with the file mapped as data, then loads it for execution; nothing
    // when the library cannot be used: it does not load, or a resource is missing or malformed.
    static std::unique_ptr<CTestLibrary> Load(const std::string& path, const std::string& fileName);
    ~CTestLibrary();
    CTestLibrary(const CTestLibrary&) = delete;
    CTestLibrary& operator=(const CTestLibrary&) = delete;

    HMODULE module() const { return m_module.get(); }
    const char* name() const { return m_description.name; }
    // 16 x 16; null when the library has none. Loaded when first asked for: only the trees of a
    // Custom session show it, and loading it costs a quarter of the library's start-up.
    HICON icon() const;
    const std::string& fileName() const { return m_fileName; }
    const LibraryDescription& description() const { return m_description; }

    bool HasTests() const { return !m_description.tests.empty(); }
    bool HasSystemFiles() const { return !m_description.systemFiles.empty(); }
    // At least one key, after wildcard expansion, exists on this machine.
    bool HasLoggedKeys();
    bool HasEditorKeys();

    // The parsed ZKRC_INI list or ZKRC_REGEDIT table of that id; checked when loading.
    const std::vector<const char*>& sectionList(WORD iniId) const;
    const std::vector<EditDescription>& editTable(WORD editTableId) const;

private:
    template <class Parsed>
    struct ParsedResource {
        CResourceBlock block;
        Parsed parsed;
    };

    CTestLibrary(fw::UniqueModule module, const std::string& fileName);
    bool ReadDescription();

    // Released in reverse: the resources before the module they live in.
    fw::UniqueModule m_module;
    std::string m_fileName;
    CResourceBlock m_resource;
    LibraryDescription m_description;
    std::map<WORD, ParsedResource<std::vector<const char*>>> m_sectionLists;
    std::map<WORD, ParsedResource<std::vector<EditDescription>>> m_editTables;
    mutable fw::UniqueIcon m_icon;
    mutable bool m_iconLoaded = false;
};

// Visitors return false to stop; the walks return true when they reached the end.
using TestVisitor = bool (*)(CTestLibrary& library, const TestEntry& entry, void* context, DWORD extra);
using KeyVisitor = bool (*)(CTestLibrary& library, const LoggedKeyEntry& entry, void* context, DWORD extra);
using SystemFileVisitor = bool (*)(CTestLibrary& library, const SystemFileEntry& entry, void* context, DWORD extra);
using SectionVisitor = bool (*)(CTestLibrary& library, const char* section, void* context, DWORD extra);
// The visitor owns the item it is handed.
using RegEditItemVisitor = bool (*)(CTestLibrary& library, std::unique_ptr<RegEditItem> item, void* context,
                                    DWORD extra);

bool ForEachTest(CTestLibrary& library, TestVisitor visitor, void* context, DWORD extra);
// Only the keys that open; others are skipped silently.
bool ForEachEditorKey(CTestLibrary& library, KeyVisitor visitor, void* context, DWORD extra);
// Keys that exist, each wildcard entry expanded once per matching subkey, in enumeration order.
bool ForEachLoggedKey(CTestLibrary& library, KeyVisitor visitor, void* context, DWORD extra);
bool ForEachSystemFile(CTestLibrary& library, SystemFileVisitor visitor, void* context, DWORD extra);
// The listed sections, or for iniId 0 every section that the file holds.
bool ForEachIniSection(CTestLibrary& library, const SystemFileEntry& file, SectionVisitor visitor, void* context,
                       DWORD extra);
// The described values of a logged key that exist under it, read from the registry.
bool ForEachRegEditItem(CTestLibrary& library, const LoggedKeyEntry& key, RegEditItemVisitor visitor, void* context,
                        DWORD extra);

// TestLibraryList: the libraries beside the program, in the order the directory search gave.
// True when at least one library was found.
bool FindTestLibraries();
// The same search in any directory (ending in "\"), adding to the list.
bool FindTestLibrariesIn(const std::string& directory);
void FreeTestLibraries();
// The library at a zero-based index; false past the end.
bool GetTestLibrary(size_t index, CTestLibrary*& library);
