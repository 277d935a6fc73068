#include "testlib/TestLibrary.h"

#include "framework/DialogTemplate.h"

namespace {

const char kLibraryType[] = "ZKRC_LIBRARY";
const char kSectionListType[] = "ZKRC_INI";
const char kEditTableType[] = "ZKRC_REGEDIT";

std::vector<std::unique_ptr<CTestLibrary>> TestLibraryList;

// A page needs its dialog template and its procedure exported by the same ordinal; a test that
// lacks either would leave the user on a blank page that cannot be left.
bool PageIsComplete(HMODULE module, WORD testId) {
    if (!GetProcAddress(module, MAKEINTRESOURCEA(testId))) return false;
    CResourceBlock page(module, testId, MAKEINTRESOURCEA(5));  // RT_DIALOG
    return page.valid() && fw::IsDialogTemplate(page.data(), page.size());
}

// Finds, locks and parses one resource of the library; false when missing or malformed.
template <class Parsed, class Parse>
bool LoadParsed(HMODULE module, WORD id, const char* type, Parse parse, std::map<WORD, Parsed>& loaded) {
    if (loaded.count(id)) return true;
    Parsed resource{CResourceBlock(module, id, type), {}};
    if (!resource.block.valid() || !parse(resource.block.data(), resource.block.size(), resource.parsed, nullptr))
        return false;
    loaded.emplace(id, std::move(resource));
    return true;
}

// Looks at the file mapped as data, so that no code of a DLL that is not a test library runs
// in the program: only a module that describes itself soundly is loaded for execution.
bool DescribesItselfAsTestLibrary(const std::string& path) {
    fw::UniqueModule image(LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
    if (!image) return false;
    CResourceBlock resource(image.get(), ZK_LIBRARY_ID, kLibraryType);
    LibraryDescription description;
    return resource.valid() && ParseLibraryResource(resource.data(), resource.size(), description);
}

}  // namespace

CTestLibrary::CTestLibrary(fw::UniqueModule module, const std::string& fileName)
    : m_module(std::move(module)), m_fileName(fileName) {}

CTestLibrary::~CTestLibrary() = default;

std::unique_ptr<CTestLibrary> CTestLibrary::Load(const std::string& path, const std::string& fileName) {
    if (!DescribesItselfAsTestLibrary(path)) return nullptr;
    fw::UniqueModule module(LoadLibraryA(path.c_str()));
    if (!module) return nullptr;
    std::unique_ptr<CTestLibrary> library(new CTestLibrary(std::move(module), fileName));
    if (!library->ReadDescription()) return nullptr;
    return library;
}

// Reads the description and every table that it refers to, so that a library either works
// whole or is not used at all.
bool CTestLibrary::ReadDescription() {
    HMODULE module = m_module.get();
    m_resource = CResourceBlock(module, ZK_LIBRARY_ID, kLibraryType);
    if (!m_resource.valid() || !ParseLibraryResource(m_resource.data(), m_resource.size(), m_description))
        return false;
    for (auto& test : m_description.tests) {
        if ((test.flags & ZK_TEST_HAS_PAGE) && !PageIsComplete(module, test.testId))
            test.flags = static_cast<uint16_t>(test.flags & ~ZK_TEST_HAS_PAGE);
    }
    for (const auto& file : m_description.systemFiles) {
        if (file.iniId && !LoadParsed(module, file.iniId, kSectionListType, ParseSectionList, m_sectionLists))
            return false;
    }
    for (const auto& key : m_description.loggedKeys) {
        if (key.editTableId && !LoadParsed(module, key.editTableId, kEditTableType, ParseEditTable, m_editTables))
            return false;
    }
    return true;
}

HICON CTestLibrary::icon() const {
    if (!m_iconLoaded) {
        m_iconLoaded = true;
        m_icon.reset(static_cast<HICON>(LoadImageA(m_module.get(), MAKEINTRESOURCEA(m_description.iconId), IMAGE_ICON,
                                                   16, 16, LR_DEFAULTCOLOR)));
    }
    return m_icon.get();
}

const std::vector<const char*>& CTestLibrary::sectionList(WORD iniId) const {
    return m_sectionLists.at(iniId).parsed;
}

const std::vector<EditDescription>& CTestLibrary::editTable(WORD editTableId) const {
    return m_editTables.at(editTableId).parsed;
}

bool FindTestLibrariesIn(const std::string& directory) {
    WIN32_FIND_DATAA found;
    fw::UniqueFind search(FindFirstFileA((directory + "*.ZKL").c_str(), &found));
    if (search) {
        do {
            if (auto library = CTestLibrary::Load(directory + found.cFileName, found.cFileName))
                TestLibraryList.push_back(std::move(library));
        } while (FindNextFileA(search.get(), &found));
    }
    return !TestLibraryList.empty();
}

bool FindTestLibraries() {
    char path[MAX_PATH] = {};
    DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    if (length == 0 || length == MAX_PATH) return false;
    std::string directory(path, length);
    directory.erase(directory.find_last_of('\\') + 1);
    return FindTestLibrariesIn(directory);
}

void FreeTestLibraries() {
    for (auto& library : TestLibraryList) library.reset();
    TestLibraryList.clear();
}

bool GetTestLibrary(size_t index, CTestLibrary*& library) {
    if (index >= TestLibraryList.size()) return false;
    library = TestLibraryList[index].get();
    return true;
}

HMODULE ModuleAt(const void* address) {
    HMODULE module = nullptr;
    // Left null when no module holds the address.
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       static_cast<LPCSTR>(address), &module);
    return module;
}

CTestLibrary* TestLibraryOf(HMODULE module) {
    if (!module) return nullptr;
    for (const auto& library : TestLibraryList)
        if (library && library->module() == module) return library.get();
    return nullptr;
}
