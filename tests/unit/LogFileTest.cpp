// The session log file and its primitive writers, against the real log of the test prefix.
#include <gtest/gtest.h>

#include <string>

#include "LogCapture.h"
#include "log/LogFile.h"
#include "resources/resource.h"
#include "zelkor.h"

namespace {

const std::string kStars(60, '*');
const std::string kEquals(50, '=');
const std::string kMissingLine = "This file is currently missing or unavailable\r\n\r\n";

bool logExists() { return GetFileAttributesA(LogFileName()) != INVALID_FILE_ATTRIBUTES; }

std::string tempPath(const char* name) {
    char directory[MAX_PATH];
    GetTempPathA(MAX_PATH, directory);
    return std::string(directory) + name;
}

// How many files start with the log's name: a log left beside its temporary file shows as two.
int filesNamedLike(const std::string& path) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((path + "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return 0;
    int count = 0;
    do ++count;
    while (FindNextFileA(search, &found));
    FindClose(search);
    return count;
}

}  // namespace

TEST(LogFile, OpeningClosingAndTruncating) {
    EXPECT_STREQ("C:\\Zelkor.log", LogFileName());
    CloseLogFile();
    DeleteFileA(LogFileName());

    // Closed: writes are no-ops and create nothing; opening never creates.
    EXPECT_EQ(INVALID_HANDLE_VALUE, LogFileHandle());
    EXPECT_EQ(0u, ZKLogWrite("abc"));
    EXPECT_EQ(0u, ZKLogFormat("%d", 5));
    ZKLogSection("Modem");
    EXPECT_FALSE(OpenLogFile(true));
    EXPECT_FALSE(OpenLogFile(false));
    EXPECT_EQ(static_cast<DWORD>(ERROR_FILE_NOT_FOUND), LogFileError());
    EXPECT_FALSE(logExists());

    // A new log appears under the log's name only once it is closed.
    ASSERT_TRUE(CreateLogFile());
    EXPECT_EQ(0u, LogFileError());
    EXPECT_NE(INVALID_HANDLE_VALUE, LogFileHandle());
    EXPECT_EQ(0u, ZKLogWrite(""));
    EXPECT_EQ(3u, ZKLogWrite("abc"));
    EXPECT_FALSE(logExists());
    CloseLogFile();
    EXPECT_EQ(INVALID_HANDLE_VALUE, LogFileHandle());
    EXPECT_EQ(0u, ZKLogWrite("lost"));
    CloseLogFile();  // a second close changes nothing
    EXPECT_EQ("abc", ReadWholeFile(LogFileName()));

    // Appending adds at the end; without the flag the open file reads from its start.
    ASSERT_TRUE(OpenLogFile(true));
    EXPECT_EQ(2u, ZKLogWrite("de"));
    CloseLogFile();
    ASSERT_TRUE(OpenLogFile(false));
    char start[4] = {};
    DWORD read = 0;
    EXPECT_TRUE(ReadFile(LogFileHandle(), start, 3, &read, nullptr));
    EXPECT_STREQ("abc", start);
    CloseLogFile();
    EXPECT_EQ("abcde", ReadWholeFile(LogFileName()));

    // A new log replaces the old one entirely.
    ASSERT_TRUE(CreateLogFile());
    ZKLogWrite("x");
    EXPECT_TRUE(CommitLogFile());
    EXPECT_EQ("x", ReadWholeFile(LogFileName()));
    EXPECT_EQ(1, filesNamedLike(LogFileName()));
}

TEST(LogFile, ANewLogReplacesTheOldOneOnlyWhenComplete) {
    const std::string path = tempPath("zk_generated.log");
    WriteWholeFile(path, "old");
    {
        CLogFile log(path);
        ASSERT_TRUE(log.Create());
        EXPECT_EQ(3u, log.Write("new", 3));
        EXPECT_EQ("old", ReadWholeFile(path.c_str()));
        EXPECT_TRUE(log.Commit());
        EXPECT_EQ(0u, log.error());
        EXPECT_EQ("new", ReadWholeFile(path.c_str()));

        // Given up before it is complete (started again, or the program ends): the old log stays.
        ASSERT_TRUE(log.Create());
        log.Write("partial", 7);
        ASSERT_TRUE(log.Create());
        log.Write("lost", 4);
    }
    EXPECT_EQ("new", ReadWholeFile(path.c_str()));
    EXPECT_EQ(1, filesNamedLike(path));
    DeleteFileA(path.c_str());
}

TEST(LogFile, ALockedLogIsNotReplacedAndTheReasonIsKept) {
    const std::string path = tempPath("zk_failing.log");
    CLogFile log(path);
    WriteWholeFile(path, "old");
    HANDLE locked = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_TRUE(log.Create());
    log.Write("new", 3);
    EXPECT_FALSE(log.Commit());
    EXPECT_EQ(static_cast<DWORD>(ERROR_ACCESS_DENIED), log.error());
    CloseHandle(locked);
    EXPECT_EQ("old", ReadWholeFile(path.c_str()));
    EXPECT_EQ(1, filesNamedLike(path));
    DeleteFileA(path.c_str());
}

// Drive Y: is a 64 KiB file system that the test scripts mount.
TEST(LogFile, AFullDiskFailsTheLogAndLeavesTheOldOne) {
    if (GetFileAttributesA("Y:\\") == INVALID_FILE_ATTRIBUTES) GTEST_SKIP() << "no small drive Y:";
    const std::string path = "Y:\\Zelkor.log";
    WriteWholeFile(path, "old");
    CLogFile log(path);
    ASSERT_TRUE(log.Create());
    const std::string block(4096, 'x');
    DWORD written = 0;
    for (int i = 0; i < 64 && log.error() == 0; ++i) written += log.Write(block.data(), 4096);
    EXPECT_EQ(static_cast<DWORD>(ERROR_DISK_FULL), log.error());
    EXPECT_LT(written, 64u * 4096u);
    EXPECT_FALSE(log.Commit());
    EXPECT_EQ(static_cast<DWORD>(ERROR_DISK_FULL), log.error());
    EXPECT_EQ("old", ReadWholeFile(path.c_str()));
    EXPECT_EQ(1, filesNamedLike(path));
    DeleteFileA(path.c_str());
}

TEST(LogFile, BannersHeadingsAndHeader) {
    LogCapture log;
    ZKLogSection("Abcd");
    const std::string banner = kStars + "\r\n* Abcd\r\n" + kStars + "\r\n\r\n";
    EXPECT_EQ(134u, banner.size());
    ZKLogSection("");
    ZKLogSectionId(IDS_TYPE_DWORD, nullptr);
    ZKLogSubsection("Abcd");
    ZKLogSubsectionId(IDS_TYPE_GENERIC, nullptr);
    MarkLogIncomplete(ZKLoadString(IDS_TYPE_STRING, nullptr));
    WriteLogHeader("Ann Lee", "", "555-0100", "555-0199");
    EXPECT_EQ(banner +                                         //
                  kStars + "\r\n* \r\n" + kStars + "\r\n\r\n" +  //
                  kStars + "\r\n* DWORD\r\n" + kStars + "\r\n\r\n" +
                  "Abcd\r\n" + kEquals + "\r\n\r\n" +  //
                  "GENERIC\r\n" + kEquals + "\r\n\r\n" +  //
                  "\r\nThis log is incomplete: STRING\r\n\r\n"
                  "Name:               Ann Lee\r\n"
                  "Company:            \r\n"
                  "Phone Number:       555-0100\r\n"
                  "Fax Number:         555-0199\r\n\r\n",
              log.text());
    EXPECT_EQ(60u, ("Abcd\r\n" + kEquals + "\r\n\r\n").size());
}

TEST(LogFile, FormatCutsLongOutputAtTheBuffer) {
    LogCapture log;
    EXPECT_EQ(16u, ZKLogFormat("%hs-%hc-%lu-%08lX", "ab", 'c', 42ul, 255ul));
    const std::string longText(2000, 'z');
    EXPECT_EQ(1023u, ZKLogFormat("<%s>", longText.c_str()));
    EXPECT_EQ("ab-c-42-000000FF<" + std::string(1022, 'z'), log.text());
}

TEST(LogFile, TextFileCopies) {
    const std::string withNul = tempPath("zk_nul.txt");
    const std::string empty = tempPath("zk_empty.txt");
    const std::string plain = tempPath("zk_plain.txt");
    WriteWholeFile(withNul, std::string("ab\0cd", 5));
    WriteWholeFile(empty, "");
    WriteWholeFile(plain, "line 1\r\nline 2\r\n");

    LogCapture log;
    ZKLogAscii(tempPath("zk_no_such_file.txt").c_str());
    ZKLogAscii(empty.c_str());
    ZKLogAscii(withNul.c_str());
    ZKLogAscii(INVALID_HANDLE_VALUE);
    {
        // By handle: the rest of the file from its current position; the handle stays open.
        HANDLE file = CreateFileA(plain.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(INVALID_HANDLE_VALUE, file);
        SetFilePointer(file, 8, nullptr, FILE_BEGIN);
        ZKLogAscii(file);
        EXPECT_NE(0, CloseHandle(file));
    }
    ZKLogAscii(plain.c_str());
    EXPECT_EQ(kMissingLine + "\r\n\r\n" + "abcd\r\n(1 bytes of binary data left out)\r\n\r\n" + kMissingLine + "line 2\r\n\r\n\r\n" +
                  "line 1\r\nline 2\r\n\r\n\r\n",
              log.text());
    DeleteFileA(withNul.c_str());
    DeleteFileA(empty.c_str());
    DeleteFileA(plain.c_str());
}
