// Discovery of test libraries and the walks over them, with the fixture libraries built beside
// zelkor_unit.exe (tests/fixtures/libraries) and a scratch registry key they describe.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "testlib/TestLibrary.h"

namespace {

const char kScratchKey[] = "Software\\Halvard\\ZelkorFixture";

std::string FixtureDirectory() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string directory(path);
    return directory.erase(directory.find_last_of('\\') + 1) + "libraries\\";
}

std::string WindowsFile(const char* name) {
    char directory[MAX_PATH] = {};
    GetWindowsDirectoryA(directory, MAX_PATH);
    return std::string(directory) + "\\" + name;
}

// The scratch key under HKCU, made from raw registry calls so that setting up does not rely on
// the code under test.
class ScratchRegistry {
public:
    ScratchRegistry() { Remove(); }
    ~ScratchRegistry() { Remove(); }
    void Remove() { RegDeleteTreeA(HKEY_CURRENT_USER, kScratchKey); }

    void CreateKey(const std::string& path) {
        HKEY key = nullptr;
        ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CURRENT_USER, (std::string(kScratchKey) + path).c_str(), 0,
                                                 nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr));
        RegCloseKey(key);
    }
    void SetDword(const char* name, DWORD value) {
        ASSERT_EQ(ERROR_SUCCESS, RegSetKeyValueA(HKEY_CURRENT_USER, ValuesKey().c_str(), name, REG_DWORD, &value,
                                                 sizeof value));
    }
    void SetString(const char* name, const std::string& value) {
        ASSERT_EQ(ERROR_SUCCESS, RegSetKeyValueA(HKEY_CURRENT_USER, ValuesKey().c_str(), name, REG_SZ, value.c_str(),
                                                 static_cast<DWORD>(value.size() + 1)));
    }

private:
    static std::string ValuesKey() { return std::string(kScratchKey) + "\\Values"; }
};

struct Visit {
    std::string name;
    std::string subkey;
    std::string description;
    WORD flags;
    WORD editTableId;
};

bool RecordKey(CTestLibrary&, const LoggedKeyEntry& entry, void* context, DWORD) {
    static_cast<std::vector<Visit>*>(context)->push_back(
        {entry.name, entry.subkey, entry.description ? entry.description : "", entry.flags, entry.editTableId});
    return true;
}

bool RecordSection(CTestLibrary&, const char* section, void* context, DWORD) {
    static_cast<std::vector<std::string>*>(context)->push_back(section);
    return true;
}

bool KeepItem(CTestLibrary&, std::unique_ptr<RegEditItem> item, void* context, DWORD) {
    static_cast<std::vector<std::unique_ptr<RegEditItem>>*>(context)->push_back(std::move(item));
    return true;
}

// Counts visits in context and goes on while fewer than `extra` were made.
template <class Entry>
bool CountUpTo(CTestLibrary&, Entry, void* context, DWORD extra) {
    return ++*static_cast<DWORD*>(context) < extra;
}

class TestLibraryTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(FindTestLibrariesIn(FixtureDirectory())); }
    void TearDown() override { FreeTestLibraries(); }

    static CTestLibrary& Library(const std::string& fileName) {
        CTestLibrary* library = nullptr;
        for (size_t index = 0; GetTestLibrary(index, library); ++index) {
            if (library->fileName() == fileName) return *library;
        }
        throw std::runtime_error(fileName + " was not loaded");
    }

    static std::vector<Visit> LoggedKeys(CTestLibrary& library) {
        std::vector<Visit> visits;
        EXPECT_TRUE(ForEachLoggedKey(library, RecordKey, &visits, 0));
        return visits;
    }
};

}  // namespace

TEST_F(TestLibraryTest, OnlyWellFormedLibrariesThatLoadAreListed) {
    std::vector<std::string> listed;
    CTestLibrary* library = nullptr;
    size_t count = 0;
    for (; GetTestLibrary(count, library); ++count) listed.push_back(library->fileName());
    std::sort(listed.begin(), listed.end());
    // Skipped: a text file, a library without a description, one that refuses to load, and
    // those with a truncated description, an unterminated string, a truncated value table or an
    // unterminated section list.
    EXPECT_EQ((std::vector<std::string>{"Bare.ZKL", "Complete.ZKL"}), listed);
    EXPECT_FALSE(GetTestLibrary(count + 5, library));

    FreeTestLibraries();
    EXPECT_FALSE(GetTestLibrary(0, library));
    EXPECT_FALSE(FindTestLibrariesIn(FixtureDirectory() + "no such directory\\"));
}

TEST_F(TestLibraryTest, ABareLibraryIsValidAndHasNothing) {
    ScratchRegistry registry;
    CTestLibrary& bare = Library("Bare.ZKL");
    EXPECT_STREQ("Bare fixture", bare.name());
    EXPECT_NE(nullptr, bare.icon());
    EXPECT_FALSE(bare.HasTests());
    EXPECT_FALSE(bare.HasSystemFiles());
    EXPECT_FALSE(bare.HasLoggedKeys());
    EXPECT_FALSE(bare.HasEditorKeys());

    DWORD visits = 0;
    EXPECT_TRUE(ForEachTest(bare, CountUpTo<const TestEntry&>, &visits, 100));
    EXPECT_TRUE(ForEachEditorKey(bare, CountUpTo<const LoggedKeyEntry&>, &visits, 100));
    EXPECT_TRUE(ForEachLoggedKey(bare, CountUpTo<const LoggedKeyEntry&>, &visits, 100));
    EXPECT_TRUE(ForEachSystemFile(bare, CountUpTo<const SystemFileEntry&>, &visits, 100));
    EXPECT_EQ(0u, visits);
}

TEST_F(TestLibraryTest, TestsAreWalkedInResourceOrderWithTheirPages) {
    CTestLibrary& library = Library("Complete.ZKL");
    EXPECT_TRUE(library.HasTests());
    std::vector<std::string> walked;
    EXPECT_TRUE(ForEachTest(library, [](CTestLibrary&, const TestEntry& test, void* context, DWORD) {
        static_cast<std::vector<std::string>*>(context)->push_back(
            std::string(test.name) + "/" + std::to_string(test.testId) + "/" + std::to_string(test.flags));
        return true;
    }, &walked, 0));
    EXPECT_EQ((std::vector<std::string>{"Listed only/200/0", "Full and custom/201/1", "Every session/202/3",
                                        "Custom only/203/7"}),
              walked);

    // The page of test 201: its template and its procedure exported by the same ordinal, from a
    // library loaded for execution.
    EXPECT_NE(nullptr, FindResourceA(library.module(), MAKEINTRESOURCEA(201), MAKEINTRESOURCEA(5)));
    EXPECT_NE(nullptr, GetProcAddress(library.module(), MAKEINTRESOURCEA(201)));

    DWORD visits = 0;
    EXPECT_FALSE(ForEachTest(library, CountUpTo<const TestEntry&>, &visits, 2)) << "the visitor stopped it";
    EXPECT_EQ(2u, visits);
}

TEST_F(TestLibraryTest, LoggedKeysExistOrExpandAgainstTheRegistry) {
    ScratchRegistry registry;
    CTestLibrary& library = Library("Complete.ZKL");
    EXPECT_FALSE(library.HasLoggedKeys()) << "none of its keys exists yet";
    EXPECT_TRUE(LoggedKeys(library).empty());

    // Made in enumeration order, which Windows keeps by creation and Wine by name.
    for (const char* port : {"COM", "COM1", "com2", "LPT1"}) registry.CreateKey(std::string("\\System\\Ports\\") + port);
    registry.CreateKey("\\System\\Ports\\COM1\\Settings");
    EXPECT_TRUE(library.HasLoggedKeys());
    const std::string ports = std::string(kScratchKey) + "\\System\\Ports\\";
    auto visits = LoggedKeys(library);
    ASSERT_EQ(3u, visits.size());
    EXPECT_EQ("Port", visits[0].name);
    EXPECT_EQ(ports + "COM\\Settings", visits[0].subkey);
    EXPECT_EQ("Port1", visits[1].name);
    EXPECT_EQ(ports + "COM1\\Settings", visits[1].subkey);
    EXPECT_EQ("Port2", visits[2].name);
    EXPECT_EQ(ports + "COM2\\Settings", visits[2].subkey);
    for (const auto& visit : visits) {
        EXPECT_EQ("Serial port settings", visit.description);
        EXPECT_EQ(ZK_KEY_TYPICAL, visit.flags);
        EXPECT_EQ(0, visit.editTableId);
    }

    registry.CreateKey("\\Values");
    visits = LoggedKeys(library);
    ASSERT_EQ(4u, visits.size());
    EXPECT_EQ("Values", visits[3].name);
    EXPECT_EQ(std::string(kScratchKey) + "\\Values", visits[3].subkey);
    EXPECT_EQ(ZK_KEY_DELETABLE, visits[3].flags);
    EXPECT_EQ(300, visits[3].editTableId);

    DWORD count = 0;
    EXPECT_FALSE(ForEachLoggedKey(library, CountUpTo<const LoggedKeyEntry&>, &count, 2));
    EXPECT_EQ(2u, count) << "a visitor stops the walk inside an expansion";
}

TEST_F(TestLibraryTest, EditorKeysThatDoNotOpenAreSkipped) {
    ScratchRegistry registry;
    CTestLibrary& library = Library("Complete.ZKL");
    EXPECT_FALSE(library.HasEditorKeys());
    registry.CreateKey("");
    EXPECT_TRUE(library.HasEditorKeys());
    std::vector<Visit> visits;
    EXPECT_TRUE(ForEachEditorKey(library, RecordKey, &visits, 0));
    ASSERT_EQ(1u, visits.size());
    EXPECT_EQ("Fixture settings", visits[0].name);
    EXPECT_EQ(kScratchKey, visits[0].subkey);
    EXPECT_EQ("", visits[0].description);
}

TEST_F(TestLibraryTest, IniSectionsComeFromTheFileOrFromTheLibrarysList) {
    const std::string iniPath = WindowsFile("zelkor_fixture.ini");
    {
        fw::UniqueFile file(CreateFileA(iniPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
        ASSERT_TRUE(file);
        const char text[] = "[General]\r\nRetries=3\r\n[Modem]\r\nPort=COM1\r\n[Fax]\r\n";
        DWORD written = 0;
        ASSERT_TRUE(WriteFile(file.get(), text, sizeof text - 1, &written, nullptr));
    }
    CTestLibrary& library = Library("Complete.ZKL");
    EXPECT_TRUE(library.HasSystemFiles());
    std::vector<SystemFileEntry> files;
    EXPECT_TRUE(ForEachSystemFile(library, [](CTestLibrary&, const SystemFileEntry& file, void* context, DWORD) {
        static_cast<std::vector<SystemFileEntry>*>(context)->push_back(file);
        return true;
    }, &files, 0));
    ASSERT_EQ(4u, files.size());

    const std::vector<std::string> everySection{"General", "Modem", "Fax"};
    std::vector<std::vector<std::string>> walked(files.size());
    for (size_t i = 0; i < files.size(); ++i)
        EXPECT_TRUE(ForEachIniSection(library, files[i], RecordSection, &walked[i], 0));
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
    ScratchRegistry registry;
    registry.CreateKey("\\Values");
    registry.SetDword("Retries", 3);
    registry.SetDword("Speaker", 2);
    registry.SetDword("Build", 1234);
    registry.SetString("StationId", "+1 555 0100");
    registry.SetString("Paper", "a4");
    registry.SetString("InstallPath", "C:\\Ravelin");
    registry.SetDword("Plain", 1);

    CTestLibrary& library = Library("Complete.ZKL");
    std::vector<std::unique_ptr<RegEditItem>> items;
    // As the Registry page does: the values of every logged key that exists.
    ASSERT_TRUE(ForEachLoggedKey(library, [](CTestLibrary& owner, const LoggedKeyEntry& key, void* context, DWORD) {
        return ForEachRegEditItem(owner, key, KeepItem, context, 0);
    }, &items, 0));

    // The value of no kind and the value that does not exist are not offered.
    ASSERT_EQ(6u, items.size());
    std::vector<std::string> labels;
    for (const auto& item : items) {
        labels.push_back(item->label());
        EXPECT_TRUE(item->exists());
        EXPECT_FALSE(item->modified());
    }
    EXPECT_EQ((std::vector<std::string>{"Retries", "Speaker", "Build", "Station", "Paper", "Folder"}), labels);

    auto* retries = dynamic_cast<DwordRegEditItem*>(items[0].get());
    ASSERT_NE(nullptr, retries);
    EXPECT_EQ(3u, retries->stored());
    EXPECT_EQ(3u, retries->edited());
    EXPECT_EQ(1u, retries->minimum());
    EXPECT_EQ(10u, retries->maximum());
    EXPECT_FALSE(retries->deletable());

    auto* speaker = dynamic_cast<DwordRegEditItem*>(items[1].get());
    ASSERT_NE(nullptr, speaker);
    EXPECT_EQ(2u, speaker->stored());
    EXPECT_TRUE(speaker->deletable());
    ASSERT_EQ(3u, speaker->choiceLabels().size());
    EXPECT_STREQ("High", speaker->choiceLabels()[2]);
    EXPECT_EQ((std::vector<uint32_t>{0, 1, 2}), speaker->choiceValues());

    auto* build = dynamic_cast<DwordRegEditItem*>(items[2].get());
    ASSERT_NE(nullptr, build);
    EXPECT_EQ(1234u, build->stored());
    EXPECT_EQ(ZK_EDIT_DWORD_READONLY, build->kind());

    auto* station = dynamic_cast<StringRegEditItem*>(items[3].get());
    ASSERT_NE(nullptr, station);
    EXPECT_EQ("+1 555 0100", station->stored());
    EXPECT_EQ("+1 555 0100", station->edited());
    EXPECT_STREQ("StationId", station->valueName());
    EXPECT_STREQ("Fax station id", station->description());

    auto* paper = dynamic_cast<StringRegEditItem*>(items[4].get());
    ASSERT_NE(nullptr, paper);
    EXPECT_EQ("a4", paper->stored());
    ASSERT_EQ(2u, paper->choiceValues().size());
    EXPECT_STREQ("letter", paper->choiceValues()[0]);
    EXPECT_STREQ("A4", paper->choiceLabels()[1]);

    auto* folder = dynamic_cast<StringRegEditItem*>(items[5].get());
    ASSERT_NE(nullptr, folder);
    EXPECT_EQ("C:\\Ravelin", folder->stored());
    EXPECT_TRUE(folder->deletable());
    EXPECT_EQ(ZK_EDIT_STRING_READONLY, folder->kind());

    // A key without a table, and a key that does not exist, have no items.
    items.clear();
    const LoggedKeyEntry values{"Values", "", HKEY_CURRENT_USER, "Software\\Halvard\\ZelkorFixture\\Values", 0, 300};
    const LoggedKeyEntry noTable{"Values", "", HKEY_CURRENT_USER, "Software\\Halvard\\ZelkorFixture\\Values", 0, 0};
    EXPECT_TRUE(ForEachRegEditItem(library, noTable, KeepItem, &items, 0));
    registry.Remove();
    EXPECT_TRUE(ForEachRegEditItem(library, values, KeepItem, &items, 0));
    EXPECT_TRUE(items.empty());
}
