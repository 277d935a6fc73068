// INI sections written to the log, loaded system files, and the merged map of declared files.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "FixtureLibraries.h"
#include "LogCapture.h"
#include "framework/Handles.h"
#include "log/SystemFileDump.h"
#include "log/SystemFileMap.h"
#include "testlib/TestLibrary.h"
#include "zelkor.h"

namespace {

const std::string kEquals(50, '=');

std::string heading(const std::string& name) { return name + "\r\n" + kEquals + "\r\n\r\n"; }

fw::UniqueGlobal loadedText(const std::string& text) {
    fw::UniqueGlobal block(GlobalAlloc(GMEM_FIXED | GMEM_ZEROINIT, text.size() + 1));
    memcpy(block.get(), text.data(), text.size());
    return block;
}

std::string sectionOf(const std::string& text, const char* section) {
    fw::UniqueGlobal block = loadedText(text);
    LogCapture log;
    ZKLogIniSection(block.get(), section);
    EXPECT_EQ(text, static_cast<const char*>(block.get())) << "the text is left as it was";
    return log.text();
}

std::vector<std::string> namesInOrder(const CSystemFileMap& files) {
    std::vector<std::string> names;
    files.forEach([&](const CSystemFileMap::File& file) { names.push_back(file.name); });
    return names;
}

}  // namespace

TEST(IniDump, SectionBodyEntryByEntry) {
    const std::string longValue = "0123456789012345678901234567890123456789X";
    const std::string longKey(62, 'K');
    const std::string text = "; about this file\r\n"
                             "[boot.description]\r\n"
                             "shell=wrong\r\n"
                             "  [Boot]  \r\n"
                             "device=himem.sys\r\n"
                             "\r\n"
                             "   ; a comment\r\n"
                             "  shell = command.com  \r\n"
                             "a line without equals\r\n"
                             "path=C:\\a=b\r\n"
                             "long=" + longValue + "\r\n" +
                             longKey + "=" + longValue + "\r\n" +
                             "TwentyOneCharacterKey=" + longValue + "\r\n"
                             "[ Windows ]\r\n"
                             "load=after the end\r\n"
                             "[Last]";
    EXPECT_EQ(heading("boot") +
                  "device               = himem.sys\r\n"
                  "shell                =  command.com\r\n"
                  "                     = a line without equals\r\n"
                  "path                 = C:\\a=b\r\n"
                  "long                 = 0123456789012345678901234567890123456789\r\n"
                  "                       X\r\n" +
                  longKey + " = " + longValue + "\r\n" +  //
                  "TwentyOneCharacterKey = 012345678901234567890123456789012345678\r\n"
                  "                       9X\r\n"
                  "\r\n",
              sectionOf(text, "boot"));
    // A header is matched as written, inner spaces and all; the last line may be a header.
    EXPECT_EQ("", sectionOf(text, "Windows"));
    EXPECT_EQ(heading("last") + "\r\n", sectionOf(text, "last"));
    EXPECT_EQ("", sectionOf(text, "Missing"));
    EXPECT_EQ("", sectionOf("", "boot"));

    LogCapture log;
    ZKLogIniSection(nullptr, "boot");
    EXPECT_EQ("", log.text());
}

TEST(IniDump, LineEnds) {
    // Bare LF: one long line, so no header is found.
    EXPECT_EQ("", sectionOf("[boot]\nfiles=30\n", "boot"));
    // Whatever follows a CR is skipped unseen, LF or not.
    EXPECT_EQ(heading("boot") + "files                = 30\r\n\r\n", sectionOf("[boot]\rxfiles=30\r\n", "boot"));

    // A text ending in a lone CR right before a guard page: nothing is read past its NUL.
    SYSTEM_INFO system;
    GetSystemInfo(&system);
    char* pages = static_cast<char*>(VirtualAlloc(nullptr, 2 * system.dwPageSize, MEM_COMMIT, PAGE_READWRITE));
    ASSERT_NE(nullptr, pages);
    DWORD old = 0;
    ASSERT_TRUE(VirtualProtect(pages + system.dwPageSize, system.dwPageSize, PAGE_NOACCESS, &old));
    std::string text = "[boot]\r\nfiles=30\r";
    // Leading blanks (trimmed away) align the text's start as the memory functions want it.
    text.insert(0, 15 - text.size() % 16, ' ');
    char* start = pages + system.dwPageSize - text.size() - 1;
    memcpy(start, text.c_str(), text.size() + 1);
    {
        LogCapture log;
        ZKLogIniSection(static_cast<HGLOBAL>(start), "boot");
        EXPECT_EQ(heading("boot") + "files                = 30\r\n\r\n", log.text());
    }
    VirtualFree(pages, 0, MEM_RELEASE);
}

TEST(IniDump, LoadedFilesAreTerminatedCopies) {
    const std::string content = "[boot]\r\nfiles=30\r\n";
    const char path[] = "C:\\zelkor_unit_load.ini";
    WriteWholeFile(path, content);
    {
        // Not on the search path, so found in the root of drive C:.
        fw::UniqueGlobal text(ZKLoadIniFile("zelkor_unit_load.ini"));
        ASSERT_TRUE(text);
        EXPECT_LE(content.size() + 1, GlobalSize(text.get()));
        EXPECT_EQ(content, static_cast<const char*>(text.get()));
    }
    EXPECT_EQ(nullptr, ZKLoadIniFile("zelkor_no_such_file.ini"));
    // Held open by someone else: it cannot be had exclusively.
    HANDLE held = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_EQ(nullptr, ZKLoadIniFile(path));
    CloseHandle(held);
    DeleteFileA(path);
}

TEST(SystemFileMap, MergesDeclarationsAndKeepsItsOrder) {
    EXPECT_EQ(0u, CSystemFileMap::Hash(""));
    EXPECT_EQ(97u * 33 + 98, CSystemFileMap::Hash("ab"));
    EXPECT_EQ(0xFFFFFFE9u, CSystemFileMap::Hash("\xE9"));  // bytes count as signed
    EXPECT_EQ(0xFFFFFFE9u * 33 + 'a', CSystemFileMap::Hash("\xE9" "a"));

    CSystemFileMap files;
    // Library 1: sections of WIN.INI, CONFIG.SYS whole.
    CSystemFileMap::File* win = files.declare("WIN.INI", true);
    ASSERT_NE(nullptr, win);
    win->addSection("windows");
    win->addSection("fonts");
    EXPECT_EQ(nullptr, files.declare("CONFIG.SYS", false));
    // Library 2: the same sections again and one more; CONFIG.SYS by sections; WIN.INI whole.
    ASSERT_EQ(win, files.declare("WIN.INI", true));
    win->addSection("fonts");
    win->addSection("Fonts");  // a different name: comparisons are exact
    win->addSection("windows");
    win->addSection("ports");
    EXPECT_EQ(nullptr, files.declare("CONFIG.SYS", true));
    EXPECT_EQ(win, files.declare("WIN.INI", false));
    EXPECT_EQ(nullptr, files.declare("win.ini", false));  // another file

    EXPECT_FALSE(win->whole);
    EXPECT_EQ((std::vector<std::string>{"windows", "fonts", "Fonts", "ports"}), win->sections);

    // "a" and "r" share bucket 12 (hashes 97 and 114), "q" is in bucket 11: buckets in order,
    // the newest first within one.
    CSystemFileMap order;
    order.declare("a", false);
    order.declare("q", false);
    order.declare("r", true);
    order.declare("a", true);
    EXPECT_EQ((std::vector<std::string>{"q", "r", "a"}), namesInOrder(order));
}

TEST(SystemFileDump, FixtureLibrariesThroughTheCatalogue) {
    // The complete fixture declares zelkor_fixture.ini whole, then by sections (so it stays
    // whole), then no_such_file.ini; their buckets (11 and 10) put the missing file first.
    char windows[MAX_PATH] = {};
    GetWindowsDirectoryA(windows, MAX_PATH);
    const std::string iniPath = std::string(windows) + "\\zelkor_fixture.ini";
    WriteWholeFile(iniPath, "[Modem]\r\nSpeed=9600\r\n");
    ASSERT_TRUE(FindTestLibrariesIn(FixtureDirectory()));
    std::string text;
    {
        LogCapture log;
        LogSystemFiles();
        text = log.text();
    }
    FreeTestLibraries();
    DeleteFileA(iniPath.c_str());
    const std::string stars(60, '*');
    EXPECT_EQ(stars + "\r\n* no_such_file.ini\r\n" + stars + "\r\n\r\n" +
                  "This file is currently missing or unavailable\r\n\r\n" +  //
                  stars + "\r\n* zelkor_fixture.ini\r\n" + stars + "\r\n\r\n" +
                  "[Modem]\r\nSpeed=9600\r\n\r\n\r\n",
              text);
}
