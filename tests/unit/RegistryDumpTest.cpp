// The registry dump: the corners of its column arithmetic as plain text, then whole keys
// through the registry.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <map>
#include <string>
#include <thread>

#include "FailingAllocations.h"
#include "LogCapture.h"
#include "ScratchKey.h"
#include "framework/ErrorText.h"
#include "log/LogLayout.h"
#include "zelkor.h"

namespace {

std::string chars(size_t count, char first = 'a') {
    std::string text;
    for (size_t i = 0; i < count; ++i) text += static_cast<char>(first + i % 26);
    return text;
}

const std::string k32(32, ' '), k33(33, ' ');

std::string stringValue(const std::string& name, const std::string& data) {
    std::string out;
    AppendRegistryString(out, "STRING", name, data);
    return out;
}

}  // namespace

TEST(RegistryLayout, RoomLeftByTheName) {
    const std::string s40 = chars(40), s100 = chars(100);
    // 40 characters fit beside a name of up to 20; one more starts a line of its own.
    const std::string n20 = chars(20, 'A');
    EXPECT_EQ("STRING    " + n20 + " = " + s40 + "\r\n", stringValue(n20, s40));
    EXPECT_EQ("STRING    " + n20 + " = " + s40 + "\r\n" + k33 + "a\r\n", stringValue(n20, s40 + "a"));
    // Each character of the name beyond 20 takes one from the room (the sessions show 21): 59
    // leave room for one; from 60 on the whole data stays on the first line.
    const std::string n59 = chars(59, 'A'), n60 = chars(60, 'A');
    EXPECT_EQ("STRING    " + n59 + " = a\r\n" + k33 + "b\r\n" + k33 + "c\r\n", stringValue(n59, "abc"));
    EXPECT_EQ("STRING    " + n60 + " = " + s100 + "\r\n", stringValue(n60, s100));

    // Byte lines keep their columns whatever the name's length.
    std::string bytes;
    AppendRegistryBytes(bytes, "GENERIC", chars(25, 'A'), reinterpret_cast<const BYTE*>("\xFF\xFE\x0A\xA0\x7F\x80\x9C\xC9\x09"), 9);
    EXPECT_EQ("GENERIC   " + chars(25, 'A') + " = FF FE 0A A0 7F 80 9C C9\r\n" + k32 + " 09\r\n", bytes);
}

namespace {

class RegistryDump : public ScratchKeyTest {
protected:
    void set(const std::string& name, DWORD type, const std::string& data) {
        const auto* bytes = reinterpret_cast<const BYTE*>(data.data());
        ASSERT_EQ(ERROR_SUCCESS,
                  RegSetValueExA(scratch(), name.c_str(), 0, type, bytes, static_cast<DWORD>(data.size())));
    }
    void setString(const std::string& name, const std::string& text) { set(name, REG_SZ, text + '\0'); }

    // The dump of the scratch key that the lines of its values (by name) give, taking the order
    // from the registry.
    std::string expectedDump(const std::map<std::string, std::string>& lines) const {
        std::string expected = "HKEY_CURRENT_USER\\" + path() + "\r\n" + std::string(50, '=') + "\r\n\r\n";
        std::string name(0x8000, '\0');
        DWORD index = 0;
        for (DWORD length = 0x8000; RegEnumValueA(scratch(), index, &name[0], &length, nullptr, nullptr, nullptr,
                                                  nullptr) == ERROR_SUCCESS;
             ++index, length = 0x8000)
            expected += lines.at(name.substr(0, length));
        EXPECT_EQ(lines.size(), index);
        return expected + "\r\n";
    }
};

std::string dump(HKEY root, const std::string& subkey) {
    LogCapture log;
    ZKLogRegistry(root, subkey.c_str());
    return log.text();
}

}  // namespace

TEST_F(RegistryDump, EveryKindOfValueInTheRegistrysOrderWithSecretsHidden) {
    set("Max", REG_DWORD, "\xFF\xFF\xFF\xFF");
    set("Bin0", REG_BINARY, "");
    setString("Path %", "%a%");  // a percent sign in a name or data is not a format
    set("Multi", REG_MULTI_SZ, std::string("a\0bc\0\0", 6));
    // A 32-bit value of another size shows its bytes; a long name is whole and keeps its value
    // (Wine lists it first: it must not end the walk); line breaks are written so that no value
    // can forge a line such as a banner.
    const std::string longName = chars(600, 'A');
    set("Short", REG_DWORD, "\x5A\xA5");
    set("Long", REG_DWORD, "\x01\x02\x03\x04\x05\x06\x07\x08\x09");
    setString(longName, "sentinel");
    setString("Two\r\nLines", "a\\b\r\n***\r\n* Forged\nc");
    // Secrets are hidden whatever their type, and however long or odd their names.
    const std::string hidden = "******** (hidden)";
    const std::string secretName = chars(15994, 'A') + "ApiKey";
    setString("DbPassword", "hunter2");
    set("SECRET", REG_BINARY, "\x01\x02");
    set("pin", REG_DWORD, "\x39\x30\x00\x00");
    setString("Spin", "shown");
    setString("Token\r\nSplit", "a\r\nb");
    setString(secretName, "k-123");

    EXPECT_EQ(expectedDump({
                  {"Max", "DWORD     Max                  = 0xFFFFFFFF (4294967295)\r\n"},
                  {"Bin0", "GENERIC   Bin0                 =\r\n"},
                  {"Path %", "STRING    Path %               = %a%\r\n"},
                  {"Multi", "GENERIC   Multi                = 61 00 62 63 00 00\r\n"},
                  {"Short", "DWORD     Short                = 5A A5\r\n"},
                  {"Long", "DWORD     Long                 = 01 02 03 04 05 06 07 08\r\n" + k32 + " 09\r\n"},
                  {longName, "STRING    " + longName + " = sentinel\r\n"},
                  {"Two\r\nLines", "STRING    Two\\r\\nLines         = a\\b\\r\\n***\\r\\n* Forged\\nc\r\n"},
                  {"DbPassword", "STRING    DbPassword           = " + hidden + "\r\n"},
                  {"SECRET", "GENERIC   SECRET               = " + hidden + "\r\n"},
                  {"pin", "DWORD     pin                  = " + hidden + "\r\n"},
                  {"Spin", "STRING    Spin                 = shown\r\n"},
                  {"Token\r\nSplit", "STRING    Token\\r\\nSplit       = " + hidden + "\r\n"},
                  {secretName, "STRING    " + secretName + " = " + hidden + "\r\n"},
              }),
              dump(HKEY_CURRENT_USER, path()));
}

TEST_F(RegistryDump, EmptyMissingAndSecretlyNamedKeys) {
    const std::string rule = std::string(50, '=') + "\r\n\r\n";
    createKey("Empty\r\nKey");
    const std::string emptyPath = path() + "\\Empty\r\nKey";
    EXPECT_EQ("HKEY_CURRENT_USER\\" + path() + "\\Empty\\r\\nKey\r\n" + rule + "\r\n", dump(HKEY_CURRENT_USER, emptyPath));

    EXPECT_EQ("", dump(HKEY_CURRENT_USER, path() + "\\Missing"));

    // Only data is hidden: a key named like a secret shows its name and its values.
    createKey("Passwords");
    RegSetKeyValueA(scratch(), "Passwords", "Count", REG_SZ, "3", 2);
    EXPECT_EQ("HKEY_CURRENT_USER\\" + path() + "\\Passwords\r\n" + rule + "STRING    Count                = 3\r\n\r\n",
              dump(HKEY_CURRENT_USER, path() + "\\Passwords"));
}

TEST_F(RegistryDump, AKeyCutShortForWantOfMemoryMarksTheLog) {
    setString("Name", "value");
    LogCapture log;
    {
        const FailingAllocations failing;
        ZKLogRegistry(HKEY_CURRENT_USER, path().c_str());
    }
    const std::string reason =
        "HKEY_CURRENT_USER\\" + path() + " could not be logged whole: " + ErrorText(ERROR_NOT_ENOUGH_MEMORY);
    EXPECT_EQ(reason, LogIncompleteReason());
    const std::string text = log.text(), note = "\r\nThis log is incomplete: " + reason + "\r\n\r\n";
    EXPECT_EQ(note, text.substr(text.size() - std::min(text.size(), note.size())));
}

TEST_F(RegistryDump, LargeValuesInAKeyOfFortyThousand) {
    // Values larger than any first guess, among enough others that the text is written in pieces.
    std::map<std::string, std::string> lines;
    const std::string text = chars(5000), bytes = chars(3000);
    setString("Text", text);
    set("Bytes", REG_BINARY, bytes);
    lines["Text"] = stringValue("Text", text);
    AppendRegistryBytes(lines["Bytes"], "GENERIC", "Bytes", reinterpret_cast<const BYTE*>(bytes.data()), bytes.size());
    char name[16], line[80];
    for (DWORD i = 0; i < 40000; ++i) {
        snprintf(name, sizeof name, "V%05lu", i);
        set(name, REG_DWORD, std::string(reinterpret_cast<const char*>(&i), sizeof i));
        snprintf(line, sizeof line, "DWORD     %-20s = 0x%08lX (%lu)\r\n", name, i, i);
        lines[name] = line;
    }
    EXPECT_EQ(expectedDump(lines), dump(HKEY_CURRENT_USER, path()));
}

TEST_F(RegistryDump, AValueThatGrowsWhileItIsReadIsWrittenWhole) {
    // Another writer changes the value's size all the time: every dump shows one whole version.
    const std::string versions[] = {chars(16), chars(2000), chars(20000)};
    std::map<std::string, std::string> dumps;
    for (const std::string& data : versions) {
        set("Grows", REG_BINARY, data);
        dumps[dump(HKEY_CURRENT_USER, path())] = data;
    }
    std::atomic<bool> done{false};
    std::thread writer([&] {
        for (size_t n = 0; !done; ++n) {
            const std::string& data = versions[n % 3];
            RegSetValueExA(scratch(), "Grows", 0, REG_BINARY, reinterpret_cast<const BYTE*>(data.data()),
                           static_cast<DWORD>(data.size()));
        }
    });
    for (int round = 0; round < 40; ++round) EXPECT_EQ(1u, dumps.count(dump(HKEY_CURRENT_USER, path())));
    done = true;
    writer.join();
}
