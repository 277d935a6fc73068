// Writes every system file that any test library declares, each once: whole files copied as
// text, INI files section by section.
#include "log/SystemFileDump.h"

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <new>

#include "framework/Handles.h"
#include "log/IniDump.h"
#include "log/LogFile.h"
#include "log/TextFileDump.h"
#include "testlib/TestLibrary.h"
#include "zelkor.h"

namespace {

bool addSection(CTestLibrary&, const char* section, void* context, DWORD) {
    static_cast<CSystemFileMap::File*>(context)->addSection(section);
    return true;
}

bool declareFile(CTestLibrary& library, const SystemFileEntry& entry, void* context, DWORD) {
    auto& files = *static_cast<CSystemFileMap*>(context);
    if (CSystemFileMap::File* file = files.declare(entry.fileName, (entry.flags & ZK_FILE_SECTIONS) != 0))
        ForEachIniSection(library, entry, addSection, file, 0);
    return true;
}

}  // namespace

void LogSystemFile(const CSystemFileMap::File& file) {
    ZKLogSection(file.name.c_str());
    if (file.whole) {
        fw::UniqueFile handle(OpenSystemFileToRead(file.name.c_str()));
        ZKLogAscii(handle.get());
        return;
    }
    DWORD size = 0;
    fw::UniqueGlobal loaded(LoadIniFile(file.name.c_str(), size));
    if (!loaded) {
        LogMissingFile();
        return;
    }
    for (const auto& section : file.sections) ZKLogIniSection(loaded.get(), section.c_str());
    // The sections are looked for in the text before the file's first NUL, if it has one.
    const size_t textSize = strlen(static_cast<const char*>(loaded.get()));
    if (textSize < size) LogBytesLeftOut(size - textSize);
}

void LogSystemFiles() {
    try {
        CSystemFileMap files;
        CTestLibrary* library = nullptr;
        for (size_t index = 0; GetTestLibrary(index, library); ++index)
            if (library->HasSystemFiles()) ForEachSystemFile(*library, declareFile, &files, 0);
        files.forEach(LogSystemFile);
    } catch (const std::bad_alloc&) {
        // The log stays as far as it got.
    }
}

bool SystemFilePath(const char* fileName, char (&path)[MAX_PATH]) {
    const DWORD length = SearchPathA(nullptr, fileName, nullptr, MAX_PATH, path, nullptr);
    if (length > 0 && length < MAX_PATH) return true;
    // A name cut to fit would be another file's.
    return static_cast<unsigned>(snprintf(path, MAX_PATH, "C:\\%s", fileName)) < MAX_PATH;
}

HANDLE OpenSystemFileToRead(const char* fileName) {
    char path[MAX_PATH];
    if (!SystemFilePath(fileName, path)) return INVALID_HANDLE_VALUE;
    // Exclusive first, so that nothing changes the file while it is copied.
    HANDLE file = CreateFileA(path, GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, 0, nullptr);
    return file;
}
