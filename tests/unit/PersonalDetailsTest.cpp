// Personal details hidden in a saved log: what is found, the placeholders kept from one session
// to the next, and the log and its map written whole or not at all.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "ScratchDirectory.h"
#include "log/DetailHider.h"
#include "log/HiddenLog.h"
#include "log/LogCopy.h"
#include "log/PersonalDetails.h"

namespace {

const MachineNames kNames{"jsmith", "DESKTOP-7Q"};

std::string hidden(const std::string& text, CPlaceholderMap& map) { return HidePersonalDetails(text, 0, kNames, map); }

}  // namespace

TEST(PersonalDetails, EachKindFoundAndTheSameOriginalGetsTheSamePlaceholder) {
    CPlaceholderMap map;
    const std::string text =
        "Name:               jsmith@corp.example\r\n\r\n"
        "Profile C:\\Users\\JSmith\\AppData and C:\\Users\\mary.k\\Desktop, C:\\Users\\Public\\x\r\n"
        "Host desktop-7q (DESKTOP-7Q.corp.example) jsmithers\r\n"
        "Mail j.smith+x@Corp.Example. and J.Smith+X@corp.example, not @alone or a@b\r\n"
        "DNS 10.0.0.1, 10.0.0.1:53 and 256.1.1.1, version 6.1.7601.0 1.2.3.4.5 v1.2.3.4\r\n"
        "IPv6 fe80::1c2:3 2001:0db8:0000:0000:0000:ff00:0042:8329 [::1]\r\n"
        "Not: 12:30:45 00:11:22:33:44:55 std::string C:\\Users\\ a::b:: fe80:::1\r\n";
    const std::string header = "Name:               jsmith@corp.example\r\n\r\n";
    EXPECT_EQ(header.size(), LogHeaderLength(text));
    EXPECT_EQ(header +
                  "Profile C:\\Users\\user1\\AppData and C:\\Users\\user2\\Desktop, C:\\Users\\Public\\x\r\n"
                  "Host computer1 (computer1.corp.example) jsmithers\r\n"
                  "Mail name1@example.invalid. and name1@example.invalid, not @alone or a@b\r\n"
                  "DNS 192.0.2.1, 192.0.2.1:53 and 256.1.1.1, version 6.1.7601.0 1.2.3.4.5 v1.2.3.4\r\n"
                  "IPv6 2001:db8::1 2001:db8::2 [2001:db8::3]\r\n"
                  "Not: 12:30:45 00:11:22:33:44:55 std::string C:\\Users\\ a::b:: fe80:::1\r\n",
              HidePersonalDetails(text, LogHeaderLength(text), kNames, map));
}

TEST(PersonalDetails, AnAddressFoundLateStillWinsOverTheNamesInsideIt) {
    // The names inside the address are found long before its '@' is.
    CPlaceholderMap map;
    std::string dotted = "jsmith";
    for (int i = 0; i < 60; ++i) dotted += ".jsmith";
    EXPECT_EQ("user1; name1@example.invalid; user1.", hidden("jsmith; " + dotted + "@corp.example; " + dotted.substr(0, 6) + ".", map));
    EXPECT_EQ(2u, map.size());
}

TEST(PersonalDetails, PlaceholdersLastAcrossSessionsAndAChangedMapIsNotTrusted) {
    CPlaceholderMap first;
    EXPECT_EQ("user1 computer1 192.0.2.1", hidden("jsmith DESKTOP-7Q 172.16.4.2", first));

    // The next session reads the map back: old names keep their placeholders, new ones follow.
    CPlaceholderMap second;
    ASSERT_TRUE(second.Load(first.Text()));
    EXPECT_EQ("192.0.2.2 192.0.2.1 user1", hidden("172.16.4.3 172.16.4.2 JSMITH", second));
    EXPECT_EQ(4u, second.size());

    // A map changed by hand, cut short or of another format is not used.
    std::string text = second.Text();
    for (const std::string& bad : {std::string(text).replace(text.find("192.0.2.2"), 9, "192.0.2.9"),
                                   text.substr(0, text.size() - 1), text + "ipv4\t192.0.2.3\t172.16.4.2\r\n",
                                   text + "disk\tdisk1\tC:\r\n", std::string("Zelkor placeholders 2\r\n")}) {
        CPlaceholderMap map;
        EXPECT_FALSE(map.Load(bad)) << bad;
        EXPECT_EQ(0u, map.size());
    }
}

TEST(PersonalDetails, TheVectorSearchFindsWhatTheByteTableFinds) {
    // Pieces that begin details, near misses and the bytes that pass for them with the case bit
    // set, put together at random so that they fall on every place of a block of sixteen.
    const char* const pieces[] = {"jsmith", "JSMITH", "jsmithers", "xjsmith", "j", "DESKTOP-7Q", "desktop-7q",
                                  "d", "@", ".", ":", "::", "\\", "|", "`", "\\Users\\", "\\users\\Public\\",
                                  "C:\\Users\\jsmith\\", "a", "_", "-", "1", "10.0.0.1", "256", "x@y.z",
                                  "fe80::1", "0db8", "\r\n", " ", "/", "192.168.1.", "mail.example"};
    std::mt19937 random(7);
    for (int round = 0; round < 3000; ++round) {
        std::string text;
        for (int piece = static_cast<int>(random() % 80); piece > 0; --piece)
            text += pieces[random() % (sizeof pieces / sizeof *pieces)];
        std::string byVector, byTable;
        CPlaceholderMap vectorMap, tableMap;
        const auto intoVector = [&byVector](std::string_view part) { byVector.append(part); };
        const auto intoTable = [&byTable](std::string_view part) { byTable.append(part); };
        detail_hiding::hideDetails(text, 0, kNames, vectorMap, intoVector, true);
        detail_hiding::hideDetails(text, 0, kNames, tableMap, intoTable, false);
        ASSERT_EQ(byTable, byVector) << text;
    }
}

TEST(PersonalDetails, TheLogIsRewrittenWholeOrLeftAsItWas) {
    ScratchDirectory directory;
    const std::string log = directory / "Zelkor.log", mapPath = PlaceholderMapFileName(log),
                      kept = OriginalLogFileName(log);
    const MachineNames machine = CurrentMachineNames();
    ASSERT_FALSE(machine.computer.empty());
    const std::string text = "Name: me\r\n\r\nComputer " + machine.computer + " at 10.1.2.3\r\n";
    ASSERT_TRUE(WriteTextFile(log, text));
    ASSERT_TRUE(WriteTextFile(mapPath, "not a map\r\n"));

    ASSERT_EQ(0u, HideDetailsInLog(log));
    EXPECT_EQ(text, ReadTextFile(kept));
    EXPECT_EQ("Name: me\r\n\r\nComputer computer1 at 192.0.2.1\r\n", ReadTextFile(log));

    // A restore that fails keeps the original for another try.
    SetFileAttributesA(log.c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(static_cast<DWORD>(ERROR_ACCESS_DENIED), RestoreHiddenDetails(log));
    SetFileAttributesA(log.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(text, ReadTextFile(kept));

    // Unticking puts the original back, and nothing is left beside it.
    ASSERT_EQ(0u, RestoreHiddenDetails(log));
    EXPECT_EQ(text, ReadTextFile(log));
    EXPECT_FALSE(FileExists(kept));

    // A log that cannot be replaced stays as it was, nothing is kept, and the reason is the system's.
    SetFileAttributesA(log.c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(static_cast<DWORD>(ERROR_ACCESS_DENIED), HideDetailsInLog(log));
    SetFileAttributesA(log.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(text, ReadTextFile(log));
    EXPECT_FALSE(FileExists(log + ".tmp"));
    EXPECT_FALSE(FileExists(kept));

    // A log of many pieces is written whole.
    std::string large = "Name: me\r\n\r\n";
    for (int line = 0; large.size() < 700000; ++line)
        large += "Line " + std::to_string(line) + " from 10.0." + std::to_string(line % 256) + ".1 and back\r\n";
    ASSERT_TRUE(WriteTextFile(log, large));
    CPlaceholderMap expected;
    ASSERT_TRUE(expected.Load(ReadTextFile(mapPath)));
    ASSERT_EQ(0u, HideDetailsInLog(log));
    EXPECT_EQ(HidePersonalDetails(large, LogHeaderLength(large), machine, expected), ReadTextFile(log));
    EXPECT_EQ(large, ReadTextFile(kept));
}

TEST(LogCopy, AFullDiskLeavesThePreviousCopyWhole) {
    if (!FileExists("Y:\\")) GTEST_SKIP() << "no small drive Y:";
    ScratchDirectory directory;
    const std::string log = directory / "Zelkor.log", copy = "Y:\\Zelkor-copy.log";
    ASSERT_TRUE(WriteTextFile(copy, "previous copy"));
    ASSERT_TRUE(WriteTextFile(log, std::string(200000, 'x')));
    EXPECT_EQ(static_cast<DWORD>(ERROR_DISK_FULL), CopyWholeLog(log, copy));
    EXPECT_EQ("previous copy", ReadTextFile(copy));
    EXPECT_FALSE(FileExists(copy + ".tmp"));
    ASSERT_TRUE(WriteTextFile(log, "small log"));
    EXPECT_EQ(0u, CopyWholeLog(log, copy));
    EXPECT_EQ("small log", ReadTextFile(copy));
    DeleteFileA(copy.c_str());
}
