// Host helpers for files: numbered backups and finding system files.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>

#include "ScratchDirectory.h"
#include "zelkor.h"

namespace {

TEST(HostBackupFile, TakesTheFirstFreeNumberAfterTheLastDotOfTheName) {
    ScratchDirectory scratch;
    const std::string ini = scratch / "WIN.INI";
    ASSERT_TRUE(WriteTextFile(ini, "[windows]\r\n"));
    char backup[MAX_PATH];

    ASSERT_TRUE(ZKBackupFile(ini.c_str(), backup));
    EXPECT_EQ(scratch / "WIN.000", backup);
    EXPECT_EQ("[windows]\r\n", ReadTextFile(backup));
    ASSERT_TRUE(WriteTextFile(scratch / "WIN.001", "older"));
    ASSERT_TRUE(WriteTextFile(scratch / "WIN.002", "older"));
    ASSERT_TRUE(ZKBackupFile(ini.c_str(), backup));
    EXPECT_EQ(scratch / "WIN.003", backup);
    EXPECT_EQ("older", ReadTextFile(scratch / "WIN.001"));  // never overwritten
    // No dot anywhere: one is added.
    ASSERT_TRUE(WriteTextFile(scratch / "NOTES", "n"));
    ASSERT_TRUE(ZKBackupFile((scratch / "NOTES").c_str(), backup));
    EXPECT_EQ(scratch / "NOTES.000", backup);

    // A dot in a folder's name is no dot of the file's: the copy lies beside the file.
    ASSERT_TRUE(CreateDirectoryA((scratch / "rel.d").c_str(), nullptr));
    const std::string system = scratch / "rel.d\\SYSTEM";
    ASSERT_TRUE(WriteTextFile(system, "s"));
    ASSERT_TRUE(ZKBackupFile(system.c_str(), backup));
    EXPECT_EQ(system + ".000", backup);
    EXPECT_EQ("s", ReadTextFile(system + ".000"));
    EXPECT_FALSE(FileExists(scratch / "rel.000"));

    // Any failure but an existing target ends the attempt.
    EXPECT_FALSE(ZKBackupFile((scratch / "MISSING.INI").c_str(), backup));
}

// The search looks in the current directory: the scratch directory for the test.
TEST(HostOpenSystemFile, OpensWhatTheSearchFindsExclusivelyElseTheNameInTheRootOfDriveC) {
    ScratchDirectory scratch;
    char previousDirectory[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, previousDirectory);
    SetCurrentDirectoryA(scratch.path().c_str());
    const std::string untouched(MAX_PATH + 8, '#');
    char found[MAX_PATH + 8];
    auto clearFound = [&] { std::memcpy(found, untouched.data(), sizeof found); };

    const std::string name = "zkunit" + std::to_string(GetCurrentProcessId()) + ".ini";
    ASSERT_TRUE(WriteTextFile(scratch / name, "[boot]\r\n"));
    clearFound();
    HANDLE file = ZKOpenSystemFile(name.c_str(), found);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    EXPECT_EQ(0, lstrcmpiA((scratch / name).c_str(), found)) << found;
    EXPECT_EQ('#', found[MAX_PATH + 1]);  // the copy stays inside MAX_PATH
    // While it is open, it is in use elsewhere for a second caller; the buffer is left alone.
    clearFound();
    EXPECT_EQ(INVALID_HANDLE_VALUE, ZKOpenSystemFile(name.c_str(), found));
    EXPECT_EQ(untouched, std::string(found, sizeof found));
    CloseHandle(file);

    // Not found by the search: the root of drive C:, and nothing when it is not there either.
    const std::string rootName = "zkroot" + std::to_string(GetCurrentProcessId()) + ".ini";
    const std::string inRoot = "C:\\" + rootName;
    ASSERT_TRUE(WriteTextFile(inRoot, "root"));
    file = ZKOpenSystemFile(rootName.c_str(), found);
    EXPECT_NE(INVALID_HANDLE_VALUE, file);
    EXPECT_STREQ(inRoot.c_str(), found);
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    DeleteFileA(inRoot.c_str());
    clearFound();
    EXPECT_EQ(INVALID_HANDLE_VALUE, ZKOpenSystemFile(rootName.c_str(), found));
    EXPECT_EQ(untouched, std::string(found, sizeof found));
    SetCurrentDirectoryA(previousDirectory);
}

}  // namespace
