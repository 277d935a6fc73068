// Writes every system file that any test library declares, each once: whole files copied as
// text, INI files section by section.
#include "log/SystemFileDump.h"

#include <windows.h>

#include <string>
#include <string_view>
#include <new>

#include "framework/ByteScan.h"
#include "framework/Handles.h"
#include "framework/StringTable.h"
#include "log/IniDump.h"
#include "log/LogFile.h"
#include "log/LogWriter.h"
#include "log/SystemFilePath.h"
#include "log/FileBytes.h"
#include "log/TextFileDump.h"
#include "resources/resource.h"
#include "testlib/LibraryWalks.h"
#include "testlib/TestLibrary.h"
#include "zelkor_rc.h"

namespace {

void DeclareFiles(const CTestLibrary& library, CSystemFileMap& files) {
    ForEachSystemFile(library, [&](const SystemFileEntry& entry) {
        if (CSystemFileMap::File* file = files.declare(entry.fileName, (entry.flags & ZK_FILE_SECTIONS) != 0)) {
            ForEachIniSection(library, entry, [file](const char* section) {
                file->addSection(section);
                return true;
            });
        }
        return true;
    });
}

// A whole file copied as text, or an INI file's sections.
void logContent(const CSystemFileMap::File& file) {
    if (file.whole) {
        fw::UniqueFile handle(OpenSystemFileToRead(file.name.c_str()));
        LogOpenTextFile(handle.get());
        return;
    }
    SystemFileOpening opening;
    const fw::UniqueFile handle(OpenSystemFileToRead(file.name.c_str(), opening));
    const CFileBytes loaded(handle.get(), opening.exclusive && opening.onFixedDrive);
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

}  // namespace

void LogSystemFile(const CSystemFileMap::File& file) {
    LogSection(file.name);
    try {
        logContent(file);
    } catch (const std::bad_alloc&) {
        // The log stays as far as it got, and says so.
        MarkLogPartCut([&] { return file.name; });
    }
}

void LogSystemFiles() {
    try {
        CSystemFileMap files;
        CTestLibrary* library = nullptr;
        for (size_t index = 0; GetTestLibrary(index, library); ++index)
            if (library->HasSystemFiles()) DeclareFiles(*library, files);
        files.forEach(LogSystemFile);
    } catch (const std::bad_alloc&) {
        MarkLogPartCut([] { return fw::LoadedString(IDS_LOG_SYSTEM_FILES); });
    }
}
