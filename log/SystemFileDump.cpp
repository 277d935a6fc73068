// Writes every system file that any test library declares, each once: whole files copied as
// text, INI files section by section.
#include "log/SystemFileDump.h"

#include <windows.h>

#include <string_view>
#include <new>

#include "framework/ByteScan.h"
#include "framework/Handles.h"
#include "log/IniDump.h"
#include "log/LogFile.h"
#include "log/LogWriter.h"
#include "log/SystemFilePath.h"
#include "log/SystemFileBytes.h"
#include "log/TextFileDump.h"
#include "testlib/TestLibrary.h"
#include "zelkor_rc.h"

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
    LogSection(file.name);
    if (file.whole) {
        fw::UniqueFile handle(OpenSystemFileToRead(file.name.c_str()));
        LogOpenTextFile(handle.get());
        return;
    }
    const CSystemFileBytes loaded(file.name.c_str());
    if (!loaded.loaded()) {
        LogMissingFile();
        return;
    }
    // The sections are looked for in the text before the file's first NUL, if it has one.
    const std::string_view bytes = loaded.bytes();
    const std::string_view text(bytes.data(), fw::FindByte(bytes.data(), bytes.data() + bytes.size(), '\0') - bytes.data());
    LogIniSections(text, file.sections);
    if (text.size() < bytes.size()) LogBytesLeftOut(bytes.size() - text.size());
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
