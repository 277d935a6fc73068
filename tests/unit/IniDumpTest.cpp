// INI sections written to the log and loaded system files. Whole sessions (the end-to-end tests)
// take declared files from libraries to the log, merged and in the map's order, and show
// ordinary entries, comments and blank lines.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "FailingAllocations.h"
#include "LogCapture.h"
#include "ResourceBytes.h"
#include "ScratchDirectory.h"
#include "framework/ErrorText.h"
#include "framework/Handles.h"
#include "log/SystemFileDump.h"
#include "log/SystemFileMap.h"
#include "zelkor.h"

namespace {

const std::string kStars(60, '*');

std::string heading(const std::string& name) { return name + "\r\n" + std::string(50, '=') + "\r\n\r\n"; }
std::string banner(const std::string& name) { return kStars + "\r\n* " + name + "\r\n" + kStars + "\r\n\r\n"; }

std::string sectionOf(const std::string& text, const char* section) {
    fw::UniqueGlobal block(GlobalAlloc(GMEM_FIXED | GMEM_ZEROINIT, text.size() + 1));
    memcpy(block.get(), text.data(), text.size());
    LogCapture log;
    ZKLogIniSection(block.get(), section);
    EXPECT_EQ(text, static_cast<const char*>(block.get())) << "the text is left as it was";
    return log.text();
}

// One declared file through the system-file dump: whole when no section is given; starved, with
// every allocation failing.
std::string systemFile(const std::string& name, const std::vector<std::string>& sections, bool starved = false) {
    CSystemFileMap::File file;
    file.name = name;
    file.whole = sections.empty();
    for (const std::string& section : sections) file.addSection(section.c_str());
    LogCapture log;
    if (starved) {
        const FailingAllocations failing;
        LogSystemFile(file);
    } else {
        LogSystemFile(file);
    }
    return log.text();
}

}  // namespace

TEST(IniDump, SectionBodyEntryByEntry) {
    const std::string longValue = "0123456789012345678901234567890123456789X";
    const std::string text = "[boot.description]\r\n"
                             "shell=wrong\r\n"
                             "  [Boot]  \r\n"
                             "   ; a comment\r\n"
                             "  shell = command.com  \r\n"
                             "a line without equals pwd\r\n"
                             "path=C:\\a=b\r\n"
                             "lf=a\n[Forged]\r\n"
                             "long=" + longValue + "\r\n" +
                             "TwentyOneCharacterKey=" + longValue + "\r\n"
                             "  SmtpPassword = hunter2  \r\n"
                             "PIN=1234\r\n"
                             "Spinner=5\r\n"
                             "Token=\r\n"
                             "[ Windows ]\r\n"
                             "load=after the end\r\n"
                             "[Last]";
    // Secrets are hidden by their names alone; the entries around them stay.
    EXPECT_EQ(heading("boot") +
                  "shell                =  command.com\r\n"
                  "                     = a line without equals pwd\r\n"
                  "path                 = C:\\a=b\r\n"
                  "lf                   = a\\n[Forged]\r\n"
                  "long                 = 0123456789012345678901234567890123456789\r\n"
                  "                       X\r\n"
                  "TwentyOneCharacterKey = 012345678901234567890123456789012345678\r\n"
                  "                       9X\r\n"
                  "SmtpPassword         = ******** (hidden)\r\n"
                  "PIN                  = ******** (hidden)\r\n"
                  "Spinner              = 5\r\n"
                  "Token                = ******** (hidden)\r\n"
                  "\r\n",
              sectionOf(text, "boot"));
    // A header is matched as written, inner spaces and all; the last line may be a header.
    EXPECT_EQ("", sectionOf(text, "Windows"));
    EXPECT_EQ(heading("last") + "\r\n", sectionOf(text, "last"));

    LogCapture log;
    ZKLogIniSection(nullptr, "boot");
    EXPECT_EQ("", log.text());

    // Line ends: a bare LF makes one long line, so no header is found; whatever follows a CR is
    // skipped unseen, LF or not.
    EXPECT_EQ("", sectionOf("[boot]\nfiles=30\n", "boot"));
    const std::string files = heading("boot") + "files                = 30\r\n\r\n";
    EXPECT_EQ(files, sectionOf("[boot]\rxfiles=30\r\n", "boot"));
    // A text ending in a lone CR right before a guard page: nothing is read past its NUL. Leading
    // blanks (trimmed away) align the text's start as the memory functions want it.
    std::string cr = "[boot]\r\nfiles=30\r";
    cr.insert(0, 15 - cr.size() % 16, ' ');
    const PageEndCopy copy(cr.c_str(), cr.size() + 1);
    LogCapture guarded;
    ZKLogIniSection(static_cast<HGLOBAL>(copy.data()), "boot");
    EXPECT_EQ(files, guarded.text());
}

TEST(SystemFileDump, SectionsOfAFileAgreeWithOneByOneSearches) {
    // Names that are prefixes of each other, a header inside a value, a header given twice (the
    // first counts), a missing section and a last line without its end.
    ScratchDirectory directory;
    const std::string path = directory / "prefixes.ini";
    const std::string text = "[a]\r\nx=1\r\n[ab]\r\ny=[abc]\r\n [ABC] \r\nz=3\r\n[A]\r\nx=2\r\n[last]\r\nw=no end";
    ASSERT_TRUE(WriteTextFile(path, text));
    const std::vector<std::string> sections = {"ab", "last", "abc", "missing", "a", "A"};
    std::string oneByOne;
    for (const std::string& section : sections) oneByOne += sectionOf(text, section.c_str());
    EXPECT_EQ(banner(path) + oneByOne, systemFile(path, sections));
    EXPECT_EQ(heading("ab") + "y                    = [abc]\r\n\r\n", sectionOf(text, "ab"));
    EXPECT_EQ(heading("A") + "x                    = 1\r\n\r\n", sectionOf(text, "A"));
    EXPECT_EQ(heading("last") + "w                    = no end\r\n\r\n", sectionOf(text, "last"));

    // A file of whole pages ending in a lone CR: it is read in place, and nothing past its end.
    std::string pages = "[boot]\r\nfiles=30\r";
    pages.insert(0, 8192 - pages.size(), ' ');
    ASSERT_TRUE(WriteTextFile(path, pages));
    EXPECT_EQ(banner(path) + heading("boot") + "files                = 30\r\n\r\n", systemFile(path, {"boot"}));

    // Thousands of sections, every one written, however many.
    std::string many, expected;
    std::vector<std::string> names;
    char line[64];
    for (int n = 0; n < 5000; ++n) {
        names.push_back("s" + std::to_string(n));
        snprintf(line, sizeof line, "[s%d]\r\nk=%d\r\n", n, n);
        many += line;
        snprintf(line, sizeof line, "k                    = %d\r\n\r\n", n);
        expected += heading(names.back()) + line;
    }
    ASSERT_TRUE(WriteTextFile(path, many));
    EXPECT_EQ(banner(path) + expected, systemFile(path, names));
}

TEST(SystemFileDump, HeldOpenBinaryAndCutShortFiles) {
    // Each file whole and by its sections. A file that cannot be had exclusively (held open, or
    // read-only, which Wine run as root does not refuse) is read shared; bytes that are not text
    // are left out and counted; a file cut short for want of memory marks the log.
    ScratchDirectory directory;
    const std::string text = "[boot]\r\nfiles=30\r\n";
    const std::string held = directory / "held.ini", binary = directory / "binary.ini";
    const std::string cut = directory / "cut.ini";
    ASSERT_TRUE(WriteTextFile(held, text) && WriteTextFile(cut, text) &&
                WriteTextFile(binary, text + std::string("\0[more]\x01\r\nx=1\r\n", 15)));
    // Another program writes to it and shares it for reading only.
    fw::UniqueFile holder(
        CreateFileA(held.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(holder);

    const std::string boot = heading("boot") + "files                = 30\r\n\r\n";
    EXPECT_EQ(banner(held) + text + "\r\n\r\n", systemFile(held, {}));
    EXPECT_EQ(banner(held) + boot, systemFile(held, {"boot"}));
    fw::UniqueGlobal loaded(ZKLoadIniFile(held.c_str()));
    EXPECT_EQ(text, loaded ? static_cast<const char*>(loaded.get()) : "<null>");
    EXPECT_EQ(banner(binary) + text + "[more]\r\nx=1\r\n\r\n(2 bytes of binary data left out)\r\n\r\n",
              systemFile(binary, {}));
    // Sections are looked for in the text before the first NUL.
    EXPECT_EQ(banner(binary) + boot + "(15 bytes of binary data left out)\r\n\r\n", systemFile(binary, {"boot", "more"}));
    EXPECT_EQ(nullptr, ZKLoadIniFile("zelkor_unit_missing.ini"));

    const std::string reason = cut + " could not be logged whole: " + ErrorText(ERROR_NOT_ENOUGH_MEMORY);
    EXPECT_EQ(banner(cut) + "\r\nThis log is incomplete: " + reason + "\r\n\r\n",
              systemFile(cut, {"boot"}, true));
}

// Files that several libraries declare: sections are merged in first-seen order, names compare
// exactly, and the map walks its buckets in order, the newest first within one.
TEST(SystemFileMap, MergesDeclarationsAndKeepsItsOrder) {
    EXPECT_EQ(0xFFFFFFE9u, CSystemFileMap::Hash("\xE9"));  // bytes count as signed

    CSystemFileMap files;
    CSystemFileMap::File* win = files.declare("WIN.INI", true);
    ASSERT_NE(nullptr, win);
    win->addSection("windows");
    win->addSection("fonts");
    EXPECT_EQ(nullptr, files.declare("CONFIG.SYS", false));
    ASSERT_EQ(win, files.declare("WIN.INI", true));
    for (const char* section : {"fonts", "Fonts", "windows", "ports"}) win->addSection(section);
    EXPECT_EQ(nullptr, files.declare("CONFIG.SYS", true));
    EXPECT_EQ(win, files.declare("WIN.INI", false));
    EXPECT_EQ(nullptr, files.declare("win.ini", false));  // another file
    EXPECT_FALSE(win->whole);
    EXPECT_EQ((std::vector<std::string>{"windows", "fonts", "Fonts", "ports"}), win->sections);

    // "a" and "r" share bucket 12 (hashes 97 and 114), "q" is in bucket 11.
    CSystemFileMap order;
    const std::pair<const char*, bool> declarations[] = {{"a", false}, {"q", false}, {"r", true}, {"a", true}};
    for (const auto& [name, bySections] : declarations) order.declare(name, bySections);
    std::vector<std::string> names;
    order.forEach([&](const CSystemFileMap::File& file) { names.push_back(file.name); });
    EXPECT_EQ((std::vector<std::string>{"q", "r", "a"}), names);
}
