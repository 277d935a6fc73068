// Discovery of test libraries and the walk over their registry keys, with the fixture libraries
// built beside zelkor_unit.exe (tests/fixtures/libraries) and a scratch registry key they describe.
// A file's sections are read as ProfileSectionNamesTest shows, and walked in the golden sessions.
#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

#include "FixtureLibraries.h"
#include "testlib/LibraryWalks.h"

namespace {

const std::string kScratchKey = "Software\\Halvard\\ZelkorFixture";

// Every key visited as one line, so that a walk compares as a whole.
std::string KeyLine(const LoggedKeyEntry& key) {
    return std::string(key.name) + "|" + std::string(key.subkey).substr(kScratchKey.size()) + "|" +
           (key.description ? key.description : "") + "|" + std::to_string(key.flags) + "|" +
           std::to_string(key.editTableId);
}

// The fixtures' keys live under a scratch key, removed before and after each test.
class TestLibraryTest : public ::testing::Test {
protected:
    void SetUp() override {
        RegDeleteTreeA(HKEY_CURRENT_USER, kScratchKey.c_str());
        ASSERT_TRUE(FindTestLibrariesIn(FixtureDirectory()));
    }
    void TearDown() override {
        FreeTestLibraries();
        RegDeleteTreeA(HKEY_CURRENT_USER, kScratchKey.c_str());
    }

    // With raw registry calls, so that setting up does not rely on the code under test.
    static void CreateKey(const std::string& path) {
        HKEY key = nullptr;
        ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CURRENT_USER, (kScratchKey + path).c_str(), 0, nullptr, 0,
                                                 KEY_ALL_ACCESS, nullptr, &key, nullptr));
        RegCloseKey(key);
    }

    static CTestLibrary& Library(const std::string& fileName) {
        CTestLibrary* library = nullptr;
        for (size_t index = 0; GetTestLibrary(index, library); ++index)
            if (library->fileName() == fileName) return *library;
        throw std::runtime_error(fileName + " was not loaded");
    }
};

}  // namespace

TEST_F(TestLibraryTest, OnlyWellFormedLibrariesThatLoadAreListed) {
    std::vector<std::string> listed;
    CTestLibrary* library = nullptr;
    for (size_t count = 0; GetTestLibrary(count, library); ++count) listed.push_back(library->fileName());
    std::sort(listed.begin(), listed.end());
    // Skipped: a text file, a library without a description, one that refuses to load, and
    // those with a truncated description or string, a truncated value table, value tables that
    // no page could use or an unterminated section list (the parser tests cut every resource at
    // every byte). Incomplete pages only cost the tests their pages.
    EXPECT_EQ((std::vector<std::string>{"Bare.ZKL", "Complete.ZKL", "IncompletePages.ZKL"}), listed);

    EXPECT_NE(nullptr, Library("Bare.ZKL").icon());

    // A DLL that does not describe itself never runs: its start-up would leave this mark.
    FreeTestLibraries();
    const std::string ran = FixtureDirectory() + "NoDescription.ZKL.ran";
    DeleteFileA(ran.c_str());
    ASSERT_TRUE(FindTestLibrariesIn(FixtureDirectory()));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(ran.c_str()));

    FreeTestLibraries();
    EXPECT_FALSE(FindTestLibrariesIn(FixtureDirectory() + "no such directory\\"));
}

TEST_F(TestLibraryTest, KeysExistOrExpandAgainstTheRegistry) {
    CTestLibrary& library = Library("Complete.ZKL");
    EXPECT_FALSE(library.HasLoggedKeys() || library.HasEditorKeys()) << "none of its keys exists yet";

    // Made in enumeration order, which Windows keeps by creation and Wine by name.
    for (const char* port : {"COM", "COM1", "com2", "LPT1"}) CreateKey(std::string("\\System\\Ports\\") + port);
    CreateKey("\\Values");
    EXPECT_TRUE(library.HasLoggedKeys());
    std::vector<std::string> loggedKeys;
    EXPECT_TRUE(ForEachLoggedKey(library, [&](const LoggedKeyEntry& key) {
        loggedKeys.push_back(KeyLine(key));
        return true;
    }));
    EXPECT_EQ((std::vector<std::string>{"Port|\\System\\Ports\\COM\\Settings|Serial port settings|1|0",
                                        "Port1|\\System\\Ports\\COM1\\Settings|Serial port settings|1|0",
                                        "Port2|\\System\\Ports\\COM2\\Settings|Serial port settings|1|0",
                                        "Values|\\Values|Editable values|2|300"}),
              loggedKeys);
}
