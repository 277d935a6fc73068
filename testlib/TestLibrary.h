// Test libraries: the *.ZKL files beside the program, loaded once at start-up and kept until
// exit, and their descriptions. The walks over their lists are in testlib/LibraryWalks.h.
#pragma once
#include <windows.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "framework/Handles.h"
#include "framework/ResourceBlock.h"
#include "testlib/LibraryFormat.h"

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

// TestLibraryList: the libraries beside the program, in the order the directory search gave.
// True when at least one library was found.
bool FindTestLibraries();
// The same search in any directory (ending in "\"), adding to the list.
bool FindTestLibrariesIn(const std::string& directory);
void FreeTestLibraries();
// The library at a zero-based index; false past the end.
bool GetTestLibrary(size_t index, CTestLibrary*& library);
// The module whose code holds the address (a return address, a fault's); null when none does.
HMODULE ModuleAt(const void* address);
// The loaded library that is that module; null for any other module.
CTestLibrary* TestLibraryOf(HMODULE module);
