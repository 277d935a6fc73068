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
    EXPECT_FALSE(logExists());

    ASSERT_TRUE(CreateLogFile());
    EXPECT_NE(INVALID_HANDLE_VALUE, LogFileHandle());
    EXPECT_EQ(0u, ZKLogWrite(""));
    EXPECT_EQ(3u, ZKLogWrite("abc"));
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
    CloseLogFile();
    EXPECT_EQ("x", ReadWholeFile(LogFileName()));
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
    WriteLogHeader("Ann Lee", "", "555-0100", "555-0199");
    EXPECT_EQ(banner +                                         //
                  kStars + "\r\n* \r\n" + kStars + "\r\n\r\n" +  //
                  kStars + "\r\n* DWORD\r\n" + kStars + "\r\n\r\n" +
                  "Abcd\r\n" + kEquals + "\r\n\r\n" +  //
                  "GENERIC\r\n" + kEquals + "\r\n\r\n" +
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
