// Writes every system file that any test library declares, each once: whole files copied as
// they are, INI files section by section.
#include "log/SystemFileDump.h"

#include <windows.h>

#include <new>

#include "framework/Handles.h"
#include "log/LogFile.h"
#include "log/SystemFileMap.h"
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

void logFile(const CSystemFileMap::File& file) {
    ZKLogSection(file.name.c_str());
    if (file.whole) {
        fw::UniqueFile handle(ZKOpenSystemFile(file.name.c_str(), nullptr));
        ZKLogAscii(handle.get());
        return;
    }
    fw::UniqueGlobal text(ZKLoadIniFile(file.name.c_str()));
    if (!text) {
        LogMissingFile();
        return;
    }
    for (const auto& section : file.sections) ZKLogIniSection(text.get(), section.c_str());
}

}  // namespace

void LogSystemFiles() {
    try {
        CSystemFileMap files;
        CTestLibrary* library = nullptr;
        for (size_t index = 0; GetTestLibrary(index, library); ++index)
            if (library->HasSystemFiles()) ForEachSystemFile(*library, declareFile, &files, 0);
        files.forEach(logFile);
    } catch (const std::bad_alloc&) {
        // The log stays as far as it got.
    }
}
