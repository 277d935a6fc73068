// Test libraries: their resource descriptions, the catalogue of those found at start-up, and
// the walks over their tests, keys and files.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "framework/Handles.h"
#include "registry/ResourceBlock.h"

struct TestEntry {
    const char* name;
    WORD iconId;
    WORD testId;  // dialog template id and ordinal of the exported dialog procedure
    WORD flags;   // ZK_TEST_*
};

// Editor keys and logged keys share this record; an editor key has description, flags and
// editTableId zero. Expanded wildcard entries point their name and subkey at owned copies.
struct LoggedKeyEntry {
    const char* name;
    const char* description;
    HKEY root;
    const char* subkey;
    WORD flags;  // ZK_KEY_*
    WORD editTableId;
};
using EditorKeyEntry = LoggedKeyEntry;

struct SystemFileEntry {
    const char* fileName;
    WORD flags;  // ZK_FILE_*
    WORD iniId;  // 0: every section
};

class CTestLibrary {
public:
    // Loads the library for execution and parses its ZKRC_LIBRARY resource; valid() tells.
    explicit CTestLibrary(const std::string& fileName);
    ~CTestLibrary();
    CTestLibrary(const CTestLibrary&) = delete;
    CTestLibrary& operator=(const CTestLibrary&) = delete;

    bool valid() const;
    HMODULE module() const;
    const char* name() const;
    HICON icon() const;  // 16 x 16
    const std::string& fileName() const;

    bool HasTests() const;
    bool HasSystemFiles() const;
    bool HasLoggedKeys() const;
    bool HasEditorKeys() const;

    // (implementation details: parsed list positions, the resource block, the module)
};

// Visitors return false to stop; the walks return true when they reached the end.
using TestVisitor = bool (*)(CTestLibrary& library, const TestEntry& entry, void* context, DWORD extra);
using KeyVisitor = bool (*)(CTestLibrary& library, const LoggedKeyEntry& entry, void* context, DWORD extra);
using SystemFileVisitor = bool (*)(CTestLibrary& library, const SystemFileEntry& entry, void* context, DWORD extra);
using SectionVisitor = bool (*)(CTestLibrary& library, const char* section, void* context, DWORD extra);

bool ForEachTest(CTestLibrary& library, TestVisitor visitor, void* context, DWORD extra);
bool ForEachEditorKey(CTestLibrary& library, KeyVisitor visitor, void* context, DWORD extra);
bool ForEachLoggedKey(CTestLibrary& library, KeyVisitor visitor, void* context, DWORD extra);
bool ForEachSystemFile(CTestLibrary& library, SystemFileVisitor visitor, void* context, DWORD extra);
bool ForEachIniSection(CTestLibrary& library, const SystemFileEntry& file, SectionVisitor visitor, void* context,
                       DWORD extra);

bool FindTestLibraries();
void FreeTestLibraries();
// The library at a zero-based index of the catalogue; false past the end.
bool GetTestLibrary(size_t index, CTestLibrary*& library);
