// Section names read without the profile functions must be exactly theirs: files of awkward
// lines, each read both ways.
#include <gtest/gtest.h>

#include <windows.h>

#include <random>
#include <string>
#include <vector>

#include "ScratchDirectory.h"
#include "testlib/ProfileSectionNames.h"

namespace {

std::vector<std::string> AskedOfThePlatform(const std::string& fileName) {
    std::vector<char> names(4 << 20);
    const DWORD length = GetPrivateProfileSectionNamesA(names.data(), static_cast<DWORD>(names.size()), fileName.c_str());
    std::vector<std::string> list;
    for (const char* name = names.data(); length && *name; name += strlen(name) + 1) list.emplace_back(name);
    return list;
}

// The platform keeps read files by name, so every text goes into a file of its own.
void ExpectSameNames(const std::string& path, const std::string& text) {
    ASSERT_TRUE(WriteTextFile(path, text));
    EXPECT_EQ(AskedOfThePlatform(path), ProfileSectionNames(path.c_str())) << "in " << path;
}

}  // namespace

TEST(ProfileSectionNames, AgreeWithTheProfileFunctions) {
    const char* const lines[] = {"[a]",     "[A]",     " [b] ",      "\t[c]\t",  "[c]x]",  "[d] ; note", "[",
                                 "]",       "[]",      "[ ]",        "[ e ]",    "\x1a[f]", "k=v",       ";[g]",
                                 "[h",      "x[i]",    "[j]]",       "[[l]]",    "[m]\x1a", "\v[n]\f",   "",
                                 "  ",      "[o]=1",   "[p] [q]",    "k=[r]"};
    const char* const ends[] = {"\r\n", "\n", "\r", "\r\r\n", "\n\r", " \r\n"};
    ScratchDirectory directory;
    std::mt19937 random(7);
    for (int file = 0; file < 60; ++file) {
        std::string text;
        for (int line = random() % 30; line > 0; --line) {
            text += lines[random() % std::size(lines)];
            if (line > 1 || random() % 2) text += ends[random() % std::size(ends)];
        }
        ExpectSameNames(directory / ("mixed" + std::to_string(file) + ".ini"), text);
    }
    // A header across the blocks in which the file is read, and a last line without its end.
    ExpectSameNames(directory / "blocks.ini", std::string(65530, ';') + "\r\n [long" + std::string(70000, 'x') +
                                                  "] \r\n[last]");
    // Text that is not plain ASCII: Unicode, a UTF-8 mark, code-page letters, a NUL.
    ExpectSameNames(directory / "utf16.ini", std::string("\xFF\xFE[\0w\0]\0\r\0\n\0", 12));
    ExpectSameNames(directory / "utf8.ini", "\xEF\xBB\xBF[boot]\r\n[\xC3\xA9t\xC3\xA9]\r\n");
    ExpectSameNames(directory / "ansi.ini", "[\xE9t\xE9]\r\n[\xA0nbsp\xA0]\r\n");
    ExpectSameNames(directory / "nul.ini", std::string("[a]\r\n[b\0c]\r\n[d]", 15));
    EXPECT_EQ(AskedOfThePlatform(directory / "missing.ini"), ProfileSectionNames((directory / "missing.ini").c_str()));

    // A bare name is looked for in the Windows directory.
    char windows[MAX_PATH];
    ASSERT_LT(0u, GetWindowsDirectoryA(windows, MAX_PATH));
    const std::string bare = "zkunit" + std::to_string(GetCurrentProcessId()) + ".ini";
    const std::string inWindows = std::string(windows) + "\\" + bare;
    ASSERT_TRUE(WriteTextFile(inWindows, "[here]\r\n"));
    EXPECT_EQ(std::vector<std::string>{"here"}, ProfileSectionNames(bare.c_str()));
    EXPECT_EQ(AskedOfThePlatform(bare), ProfileSectionNames(bare.c_str()));
    DeleteFileA(inWindows.c_str());
}
