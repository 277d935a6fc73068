// Discovery of test libraries and the walks over them, with the fixture libraries built beside
// zelkor_unit.exe (tests/fixtures/libraries) and a scratch registry key they describe.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "FixtureLibraries.h"
#include "ScratchDirectory.h"
#include "testlib/TestLibrary.h"

namespace {

const std::string kScratchKey = "Software\\Halvard\\ZelkorFixture";

// Every visit as one line, so that a walk compares as a whole.
std::string Describe(const TestEntry& test) {
    return std::string(test.name) + "/" + std::to_string(test.testId) + "/" + std::to_string(test.flags);
}
std::string Describe(const LoggedKeyEntry& key) {
    return std::string(key.name) + "|" + std::string(key.subkey).substr(kScratchKey.size()) + "|" +
           (key.description ? key.description : "") + "|" + std::to_string(key.flags) + "|" +
           std::to_string(key.editTableId);
}
std::string Describe(const char* section) { return section; }

template <class Entry>
bool Record(CTestLibrary&, Entry entry, void* context, DWORD) {
    static_cast<std::vector<std::string>*>(context)->push_back(Describe(entry));
    return true;
}

// Counts visits in context and goes on while fewer than `extra` were made.
template <class Entry>
bool CountUpTo(CTestLibrary&, Entry, void* context, DWORD extra) {
    return ++*static_cast<DWORD*>(context) < extra;
}

std::string ItemSummary(const RegEditItem& item) {
    std::string summary = std::string(item.label()) + (item.deletable() ? " deletable" : "") + " ";
    if (auto* value = dynamic_cast<const DwordRegEditItem*>(&item)) {
        summary += std::to_string(value->stored());
        if (value->kind() == ZK_EDIT_DWORD_RANGE)
            summary += " in " + std::to_string(value->minimum()) + ".." + std::to_string(value->maximum());
        for (size_t i = 0; i < value->choiceLabels().size(); ++i)
            summary += std::string(" ") + value->choiceLabels()[i] + "=" + std::to_string(value->choiceValues()[i]);
    } else if (auto* text = dynamic_cast<const StringRegEditItem*>(&item)) {
        summary += text->stored();
        for (size_t i = 0; i < text->choiceLabels().size(); ++i)
            summary += std::string(" ") + text->choiceLabels()[i] + "=" + text->choiceValues()[i];
    }
    return summary;
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
    static void SetValue(const char* name, DWORD type, const void* data, DWORD size) {
        ASSERT_EQ(ERROR_SUCCESS,
                  RegSetKeyValueA(HKEY_CURRENT_USER, (kScratchKey + "\\Values").c_str(), name, type, data, size));
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
    // those with a truncated description, a truncated value table or an unterminated section
    // list (the parser tests cut every resource at every byte).
    EXPECT_EQ((std::vector<std::string>{"Bare.ZKL", "Complete.ZKL"}), listed);

    EXPECT_NE(nullptr, Library("Bare.ZKL").icon());

    FreeTestLibraries();
    EXPECT_FALSE(GetTestLibrary(0, library));
    EXPECT_FALSE(FindTestLibrariesIn(FixtureDirectory() + "no such directory\\"));
}

TEST_F(TestLibraryTest, TestsAreWalkedInOrderAndOnlyThoseWithTemplateAndProcedureKeepTheirPage) {
    CTestLibrary& library = Library("Complete.ZKL");
    std::vector<std::string> walked;
    EXPECT_TRUE(ForEachTest(library, Record<const TestEntry&>, &walked, 0));
    // 201 has both; 202 and 203 name neither a template nor an exported procedure, so they are
    // listed like tests without a page instead of leaving the user on a blank one.
    EXPECT_EQ((std::vector<std::string>{"Listed only/200/0", "Full and custom/201/1", "Every session/202/2",
                                        "Custom only/203/6"}),
              walked);
    DWORD visits = 0;
    EXPECT_FALSE(ForEachTest(library, CountUpTo<const TestEntry&>, &visits, 2)) << "the visitor stopped it";
    EXPECT_EQ(2u, visits);
}

TEST_F(TestLibraryTest, KeysExistOrExpandAgainstTheRegistry) {
    CTestLibrary& library = Library("Complete.ZKL");
    EXPECT_FALSE(library.HasLoggedKeys() || library.HasEditorKeys()) << "none of its keys exists yet";

    // Made in enumeration order, which Windows keeps by creation and Wine by name.
    for (const char* port : {"COM", "COM1", "com2", "LPT1"}) CreateKey(std::string("\\System\\Ports\\") + port);
    CreateKey("\\Values");
    EXPECT_TRUE(library.HasLoggedKeys());
    std::vector<std::string> loggedKeys;
    EXPECT_TRUE(ForEachLoggedKey(library, Record<const LoggedKeyEntry&>, &loggedKeys, 0));
    EXPECT_EQ((std::vector<std::string>{"Port|\\System\\Ports\\COM\\Settings|Serial port settings|1|0",
                                        "Port1|\\System\\Ports\\COM1\\Settings|Serial port settings|1|0",
                                        "Port2|\\System\\Ports\\COM2\\Settings|Serial port settings|1|0",
                                        "Values|\\Values|Editable values|2|300"}),
              loggedKeys);
    DWORD count = 0;
    EXPECT_FALSE(ForEachLoggedKey(library, CountUpTo<const LoggedKeyEntry&>, &count, 2));
    EXPECT_EQ(2u, count) << "a visitor stops the walk inside an expansion";

    // Of the editor keys only the one that opens.
    std::vector<std::string> editorKeys;
    EXPECT_TRUE(ForEachEditorKey(library, Record<const LoggedKeyEntry&>, &editorKeys, 0));
    EXPECT_EQ((std::vector<std::string>{"Fixture settings|||0|0"}), editorKeys);
}

TEST_F(TestLibraryTest, IniSectionsComeFromTheFileOrFromTheLibrarysList) {
    char windows[MAX_PATH] = {};
    GetWindowsDirectoryA(windows, MAX_PATH);
    const std::string iniPath = std::string(windows) + "\\zelkor_fixture.ini";
    WriteTextFile(iniPath, "[General]\r\nRetries=3\r\n[Modem]\r\nPort=COM1\r\n[Fax]\r\n");
    CTestLibrary& library = Library("Complete.ZKL");
    const std::vector<SystemFileEntry>& files = library.description().systemFiles;
    ASSERT_EQ(4u, files.size());

    std::vector<std::vector<std::string>> walked(files.size());
    for (size_t i = 0; i < files.size(); ++i)
        EXPECT_TRUE(ForEachIniSection(library, files[i], Record<const char*>, &walked[i], 0));
    const std::vector<std::string> everySection{"General", "Modem", "Fax"};
    EXPECT_EQ(everySection, walked[0]) << "no sections flag";
    EXPECT_EQ(everySection, walked[1]) << "sections flag with id 0";
    EXPECT_EQ((std::vector<std::string>{"Modem", "Fax"}), walked[2]) << "the ZKRC_INI list";
    EXPECT_TRUE(walked[3].empty()) << "a file that does not exist";

    DWORD count = 0;
    EXPECT_FALSE(ForEachIniSection(library, files[0], CountUpTo<const char*>, &count, 1));
    EXPECT_EQ(1u, count);
    DeleteFileA(iniPath.c_str());
}

TEST_F(TestLibraryTest, RegEditItemsAreBuiltForTheValuesThatExist) {
    CreateKey("\\Values");
    CreateKey("\\System\\Ports\\COM1");  // a logged key without a table
    for (const auto& [name, value] : std::vector<std::pair<const char*, DWORD>>{
             {"Retries", 3}, {"Speaker", 2}, {"Build", 1234}, {"Plain", 1}})
        SetValue(name, REG_DWORD, &value, sizeof value);
    for (const auto& [name, text] : std::vector<std::pair<const char*, std::string>>{
             {"StationId", "+1 555 0100"}, {"Paper", "a4"}, {"InstallPath", "C:\\Ravelin"}})
        SetValue(name, REG_SZ, text.c_str(), static_cast<DWORD>(text.size() + 1));

    CTestLibrary& library = Library("Complete.ZKL");
    std::vector<std::string> items;
    // As the Registry page does: the values of every logged key that exists.
    ASSERT_TRUE(ForEachLoggedKey(library, [](CTestLibrary& owner, const LoggedKeyEntry& key, void* context, DWORD) {
        return ForEachRegEditItem(owner, key, [](CTestLibrary&, std::unique_ptr<RegEditItem> item, void* list, DWORD) {
            EXPECT_TRUE(item->exists() && !item->modified());
            static_cast<std::vector<std::string>*>(list)->push_back(ItemSummary(*item));
            return true;
        }, context, 0);
    }, &items, 0));
    // The value of no kind and the value that does not exist are not offered.
    EXPECT_EQ((std::vector<std::string>{"Retries 3 in 1..10", "Speaker deletable 2 Off=0 Low=1 High=2", "Build 1234", "Station +1 555 0100", "Paper a4 Letter=letter A4=a4",
                                        "Folder deletable C:\\Ravelin"}),
              items);
}
