#include "tools/zkcheck/LibraryCheck.h"

#include <windows.h>

#include <set>

#include "framework/DialogTemplate.h"
#include "framework/ErrorText.h"
#include "framework/Handles.h"
#include "framework/ResourceBlock.h"
#include "registry/RegistryKey.h"
#include "testlib/LibraryFormat.h"
#include "tools/zkcheck/ImageHeader.h"
#include "tools/zkcheck/ImportTable.h"

namespace {

#ifdef _WIN64
constexpr uint16_t kOwnMachine = IMAGE_FILE_MACHINE_AMD64;
#else
constexpr uint16_t kOwnMachine = IMAGE_FILE_MACHINE_I386;
#endif
constexpr DWORD kHeaderBytes = 64 * 1024;  // the PE header sits within the first few hundred bytes

std::string Quoted(const char* text) { return std::string("\"") + text + "\""; }

// The first bytes of a file, or an explanation of why they cannot be read.
bool ReadHead(const std::string& path, std::vector<uint8_t>& head, std::string& why) {
    fw::UniqueFile file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    DWORD read = 0;
    head.resize(kHeaderBytes);
    if (!file || !ReadFile(file.get(), head.data(), kHeaderBytes, &read, nullptr)) {
        why = ErrorText(GetLastError());
        return false;
    }
    head.resize(read);
    return true;
}

std::string DirectoryOf(const std::string& path) { return path.substr(0, path.find_last_of('\\') + 1); }

// The processor the library must match, and what decided it.
uint16_t HostMachine(const std::string& directory, std::string& host) {
    std::vector<uint8_t> head;
    std::string ignored;
    ImageHeader header;
    if (ReadHead(directory + "Zelkor.exe", head, ignored) && ReadImageHeader(head.data(), head.size(), header)) {
        host = "Zelkor.exe beside it";
        return header.machine;
    }
    host = "this zkcheck (no Zelkor.exe beside it)";
    return kOwnMachine;
}

std::string Explained(const char* resource, const ParseFailure& failure) {
    const std::string at = " at byte " + std::to_string(failure.offset);
    const std::string part = std::string(resource) + ": the " + failure.part;
    const std::string value = failure.value ? std::string(resource) + ": the value " + Quoted(failure.value) + at : "";
    const std::string first = std::to_string(failure.figures[0]), second = std::to_string(failure.figures[1]);
    switch (failure.problem) {
    case ParseProblem::UnknownKind:
        return value + " has kind " + first + ", not one of 0, 1, 2, 3, 4, 8 and 12";
    case ParseProblem::ReversedRange:
        return value + " has the range " + first + " to " + second + ", whose minimum is above its maximum";
    case ParseProblem::ChoiceCount:
        return value + " offers " + first + " choices, not " + std::to_string(kFewestChoices) + " to " +
               std::to_string(kMostChoices);
    case ParseProblem::EmptyTable:
        return std::string(resource) + " describes no value";
    case ParseProblem::NoEndMarker:
        return part + " has no end marker (ZK_END): the data ends" + at;
    case ParseProblem::UnterminatedText:
        return part + " has a string without its terminating \\0" + at;
    case ParseProblem::ShortNumber:
        return part + " is cut short" + at + ", inside a number";
    default:
        return part + " is malformed";
    }
}

const char* TestModes(uint16_t flags) {
    if (!(flags & ZK_TEST_HAS_PAGE)) return "listed only, no page";
    if (flags & ZK_TEST_CUSTOM_ONLY) return "Custom only";
    if (flags & ZK_TEST_TYPICAL) return "Full, Typical and Custom";
    return "Full and Custom";
}

// Predefined roots are sign-extended 32-bit values, as the platform's own constants are.
const char* RootName(const KeyRecord& key) {
    return RootKeyName(reinterpret_cast<HKEY>(static_cast<LONG_PTR>(static_cast<LONG>(key.root))));
}

std::string KeyPath(const KeyRecord& key) { return std::string(RootName(key)) + key.subkey; }

class Checker {
public:
    Checker(HMODULE module, bool canResolveExports, LibraryCheck& check)
        : m_module(module), m_exports(canResolveExports), m_check(check) {}

    void run() {
        CResourceBlock resource(m_module, ZK_LIBRARY_ID, "ZKRC_LIBRARY");
        if (!resource.valid()) return problem("it has no ZKRC_LIBRARY resource with id 1: Zelkor does not list it");
        ParseFailure failure;
        if (!ParseLibraryResource(resource.data(), resource.size(), m_library, &failure))
            return problem(Explained("ZKRC_LIBRARY", failure) + "; Zelkor skips the library");
        checkIcon(m_library.iconId, "the library's icon");
        for (const auto& key : m_library.editorKeys) checkRoot(key, "editor key");
        for (const auto& test : m_library.tests) checkTest(test);
        for (const auto& key : m_library.loggedKeys) checkLoggedKey(key);
        for (const auto& file : m_library.systemFiles) checkSystemFile(file);
        if (m_check.sound()) summarise();
    }

private:
    void problem(const std::string& text) { m_check.problems.push_back(text); }

    bool hasResource(WORD id, LPCSTR type) const { return FindResourceA(m_module, MAKEINTRESOURCEA(id), type); }

    void checkIcon(WORD iconId, const std::string& owner) {
        if (!hasResource(iconId, RT_GROUP_ICON))
            problem(owner + ": icon id " + std::to_string(iconId) + " names no icon in the library");
    }

    void checkRoot(const KeyRecord& key, const char* kind) {
        if (!*RootName(key))
            problem(std::string(kind) + " " + Quoted(key.name) + ": root " + std::to_string(key.root) +
                    " is no predefined registry root");
    }

    // The wizard lists a test whose page is incomplete without a page.
    void checkTest(const TestEntry& test) {
        const std::string owner = "test " + Quoted(test.name);
        checkIcon(test.iconId, owner);
        if (!(test.flags & ZK_TEST_HAS_PAGE)) return;
        const std::string id = std::to_string(test.testId);
        CResourceBlock page(m_module, test.testId, RT_DIALOG);
        if (!page.valid() || !fw::IsDialogTemplate(page.data(), page.size()))
            problem(owner + ": no dialog template with id " + id + ", so Zelkor shows no page for it");
        if (m_exports && !GetProcAddress(m_module, MAKEINTRESOURCEA(test.testId)))
            problem(owner + ": no page procedure exported by ordinal " + id + ", so Zelkor shows no page for it");
    }

    void checkLoggedKey(const KeyRecord& key) {
        checkRoot(key, "logged key");
        if (key.editTableId)
            checkTable(key.editTableId, "ZKRC_REGEDIT", "logged key " + Quoted(key.name), ParseEditTable);
    }

    void checkSystemFile(const SystemFileEntry& file) {
        if (file.iniId) checkTable(file.iniId, "ZKRC_INI", "system file " + Quoted(file.fileName), ParseSectionList);
    }

    // A missing or malformed table makes Zelkor refuse the whole library. Tables that several
    // entries share are checked once.
    template <class Parsed>
    void checkTable(WORD id, const char* type, const std::string& owner,
                    bool (*parse)(const uint8_t*, size_t, Parsed&, ParseFailure*)) {
        const std::string name = std::string(type) + " " + std::to_string(id);
        if (!m_checkedTables.insert(name).second) return;
        CResourceBlock table(m_module, id, type);
        if (!table.valid()) return problem(owner + ": no " + name + " resource; Zelkor skips the library");
        ParseFailure failure;
        Parsed parsed;
        if (!parse(table.data(), table.size(), parsed, &failure))
            problem(Explained(name.c_str(), failure) + "; Zelkor skips the library");
    }

    void summarise() {
        auto& out = m_check.summary;
        out.push_back("library  " + Quoted(m_library.name));
        if (m_exports)
            out.push_back(ImportsFunction(m_module, "Zelkor.exe", "ZKReportFinding")
                              ? "findings reported to the top of the log (it imports ZKReportFinding)"
                              : "findings none reported (it does not import ZKReportFinding)");
        for (const auto& test : m_library.tests)
            out.push_back("test     " + Quoted(test.name) + ", page " + std::to_string(test.testId) + ": " +
                          TestModes(test.flags));
        for (const auto& key : m_library.loggedKeys)
            out.push_back("logged   " + Quoted(key.name) + " " + KeyPath(key) +
                          ((key.flags & ZK_KEY_TYPICAL) ? " (Typical)" : "") +
                          (key.editTableId ? ", values of ZKRC_REGEDIT " + std::to_string(key.editTableId) : ""));
        for (const auto& key : m_library.editorKeys)
            out.push_back("editor   " + Quoted(key.name) + " " + KeyPath(key));
        for (const auto& file : m_library.systemFiles)
            out.push_back("file     " + std::string(file.fileName) +
                          (file.iniId ? ", sections of ZKRC_INI " + std::to_string(file.iniId) : ""));
    }

    HMODULE m_module;
    bool m_exports;
    LibraryCheck& m_check;
    LibraryDescription m_library;
    std::set<std::string> m_checkedTables;
};

}  // namespace

LibraryCheck CheckLibrary(const std::string& name) {
    LibraryCheck check;
    char full[MAX_PATH] = {};
    const DWORD length = GetFullPathNameA(name.c_str(), MAX_PATH, full, nullptr);
    const std::string path = length && length < MAX_PATH ? std::string(full, length) : name;

    std::vector<uint8_t> head;
    std::string why;
    if (!ReadHead(path, head, why)) return check.problems.push_back("it cannot be read: " + why), check;
    ImageHeader header;
    if (!ReadImageHeader(head.data(), head.size(), header))
        return check.problems.push_back("not a DLL: it has no Windows executable header"), check;
    if (!header.dll) return check.problems.push_back("not a DLL: it is a program"), check;

    std::string host;
    const uint16_t hostMachine = HostMachine(DirectoryOf(path), host);
    if (header.machine != hostMachine)
        check.problems.push_back("built for " + MachineName(header.machine) + " Windows, but " + host + " is " +
                                 MachineName(hostMachine) + ": Zelkor cannot load it");

    // Mapped without running its code or resolving its imports (which name Zelkor.exe); a
    // library for another processor can only be read as data, so its exports go unchecked.
    const bool native = header.machine == kOwnMachine;
    fw::UniqueModule module(
        LoadLibraryExA(path.c_str(), nullptr, native ? DONT_RESOLVE_DLL_REFERENCES : LOAD_LIBRARY_AS_DATAFILE));
    if (!module) return check.problems.push_back("Windows cannot load it: " + ErrorText(GetLastError())), check;
    Checker(module.get(), native, check).run();
    return check;
}
