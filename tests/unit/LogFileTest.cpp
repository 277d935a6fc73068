// The session log file and its primitive writers, against the real log of the test prefix.
#include <gtest/gtest.h>

#include <string>

#include "LogCapture.h"
#include "ScratchDirectory.h"
#include "log/LogFile.h"
#include "zelkor.h"

namespace {

const std::string kMissingLine = "This file is currently missing or unavailable\r\n\r\n";

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

TEST(LogFile, WritesReachTheLogOnlyWhileItIsOpen) {
    CommitLogFile();
    DeleteFileA(LogFileName());

    // Closed: writes are no-ops and create nothing.
    EXPECT_EQ(0u, ZKLogWrite("abc"));
    ZKLogSection("Modem");
    EXPECT_FALSE(FileExists(LogFileName()));

    ASSERT_TRUE(CreateLogFile());
    EXPECT_EQ(3u, ZKLogWrite("abc"));
    EXPECT_TRUE(CommitLogFile());
    EXPECT_EQ(0u, ZKLogWrite("lost"));
    EXPECT_TRUE(CommitLogFile()) << "a second commit changes nothing";
    EXPECT_EQ("abc", ReadTextFile(LogFileName()));
}

// Whole sessions show a log replaced by the next and one left when the program is killed; here a
// log given up before it is complete (started again, or the program ends) leaves no file behind,
// and a locked log is not replaced.
TEST(LogFile, AnAbandonedOrLockedLogLeavesTheOldOneAlone) {
    ScratchDirectory directory;
    const std::string path = directory / "generated.log";
    WriteTextFile(path, "old");
    {
        CLogFile log(path);
        ASSERT_TRUE(log.Create());
        log.Write("partial", 7);
        ASSERT_TRUE(log.Create());
        log.Write("lost", 4);
    }
    EXPECT_EQ("old", ReadTextFile(path));
    EXPECT_EQ(1, filesNamedLike(path));

    CLogFile log(path);
    HANDLE locked = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_TRUE(log.Create());
    log.Write("new", 3);
    EXPECT_FALSE(log.Commit());
    EXPECT_EQ(static_cast<DWORD>(ERROR_ACCESS_DENIED), log.error());
    CloseHandle(locked);
    EXPECT_EQ("old", ReadTextFile(path));
    EXPECT_EQ(1, filesNamedLike(path));
}

// Drive Y: is a 64 KiB file system that the test scripts mount. A log that fills it fails, and
// so does one whose findings find no room to move its tail; the old log stays either way.
TEST(LogFile, AFullDiskFailsTheLogAndLeavesTheOldOne) {
    if (!FileExists("Y:\\")) GTEST_SKIP() << "no small drive Y:";
    const std::string path = "Y:\\Zelkor.log";
    WriteTextFile(path, "old");
    {
        CLogFile log(path);
        ASSERT_TRUE(log.Create());
        const std::string block(4096, 'x');
        DWORD written = 0;
        for (int i = 0; i < 64 && log.error() == 0; ++i) written += log.Write(block.data(), 4096);
        EXPECT_EQ(static_cast<DWORD>(ERROR_DISK_FULL), log.error());
        EXPECT_LT(written, 64u * 4096u);
        EXPECT_FALSE(log.Commit());
        EXPECT_EQ(static_cast<DWORD>(ERROR_DISK_FULL), log.error());
    }
    EXPECT_EQ("old", ReadTextFile(path));
    EXPECT_EQ(1, filesNamedLike(path));

    CLogFile log(path);
    ASSERT_TRUE(log.Create());
    const std::string body(36 * 1024, 'x');
    log.Write(body.data(), static_cast<DWORD>(body.size()));
    ASSERT_EQ(0u, log.error());
    log.InsertAtFront(std::string(40 * 1024, 'f'));
    EXPECT_EQ(static_cast<DWORD>(ERROR_DISK_FULL), log.error());
    EXPECT_FALSE(log.Commit());
    EXPECT_EQ("old", ReadTextFile(path));
    DeleteFileA(path.c_str());
}

TEST(LogFile, FormatCutsLongOutputAtTheBuffer) {
    LogCapture log;
    EXPECT_EQ(16u, ZKLogFormat("%hs-%hc-%lu-%08lX", "ab", 'c', 42ul, 255ul));
    const std::string longText(2000, 'z');
    EXPECT_EQ(1023u, ZKLogFormat("<%s>", longText.c_str()));
    EXPECT_EQ("ab-c-42-000000FF<" + std::string(1022, 'z'), log.text());

    // A heading, composed without formatting, is cut where its formatted text would be.
    const std::string title(1000, 't');
    LogCapture headings;
    ZKLogSubsection(title.c_str());
    ZKLogFormat("%s\r\n%s\r\n\r\n", title.c_str(), std::string(50, '=').c_str());
    const std::string both = headings.text();
    ASSERT_EQ(2046u, both.size());
    EXPECT_EQ(both.substr(0, 1023), both.substr(1023));
}

// The files are read 16 KB at a time: the secret's value in the configuration straddles the first
// boundary.
TEST(LogFile, TextFileCopies) {
    ScratchDirectory directory;
    const std::string withNul = directory / "binary.txt", empty = directory / "empty.txt", plain = directory / "plain.txt";
    const std::string config = directory / "app.cfg", lead(16384 - 14, 'x');
    WriteTextFile(withNul, std::string("ab\0cd", 5));
    WriteTextFile(empty, "");
    WriteTextFile(plain, "line 1\r\nline 2\r\n");
    WriteTextFile(config, lead + "\r\nPassword=topsecret\r\nafter=1\r\n");

    LogCapture log;
    ZKLogAscii((directory / "no_such_file.txt").c_str());
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
    ZKLogAscii(config.c_str());
    EXPECT_EQ(kMissingLine + "\r\n\r\n" + "abcd\r\n(1 byte of binary data left out)\r\n\r\n" + kMissingLine +
                  "line 2\r\n\r\n\r\n" + lead + "\r\nPassword=******** (hidden)\r\nafter=1\r\n\r\n\r\n",
              log.text());
}
