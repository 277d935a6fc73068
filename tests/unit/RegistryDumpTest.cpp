// The registry dump: its column layouts as plain text, then whole keys through the registry.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "LogCapture.h"
#include "ScratchKey.h"
#include "log/LogLayout.h"
#include "zelkor.h"

namespace {

std::string chars(size_t count, char first = 'a') {
    std::string text;
    for (size_t i = 0; i < count; ++i) text += static_cast<char>(first + i % 26);
    return text;
}

const std::string kNameColumn(20, ' ');
const std::string k33(33, ' ');
const std::string k32(32, ' ');

std::string stringValue(const std::string& name, const std::string& data) {
    std::string out;
    AppendRegistryString(out, "STRING", name, data);
    return out;
}

std::string bytesValue(const std::string& name, const std::string& data) {
    std::string out;
    AppendRegistryBytes(out, "GENERIC", name, reinterpret_cast<const BYTE*>(data.data()), data.size());
    return out;
}

}  // namespace

// The common cases run through the registry below; these are the corners of the arithmetic.
TEST(RegistryLayout, RoomLeftByNameAndLabel) {
    const std::string s40 = chars(40), s100 = chars(100);
    EXPECT_EQ("STRING    " + kNameColumn + " = \r\n", stringValue("", ""));
    // Each character of the name beyond 20 takes one from the room, on continuation lines too.
    const std::string n21 = chars(21, 'A');
    EXPECT_EQ("STRING    " + n21 + " = " + s100.substr(0, 39) + "\r\n" + k33 + s100.substr(39, 39) + "\r\n" + k33 +
                  s100.substr(78) + "\r\n",
              stringValue(n21, s100));
    // 59 characters leave room for one; from 60 on the whole data stays on the first line.
    const std::string n59 = chars(59, 'A'), n60 = chars(60, 'A'), n70 = chars(70, 'A');
    EXPECT_EQ("STRING    " + n59 + " = a\r\n" + k33 + "b\r\n" + k33 + "c\r\n", stringValue(n59, "abc"));
    EXPECT_EQ("STRING    " + n60 + " = " + s100 + "\r\n", stringValue(n60, s100));
    EXPECT_EQ("STRING    " + n70 + " = " + s100 + "\r\n", stringValue(n70, s100));

    // A label longer than its column pushes everything right and shrinks the room likewise.
    std::string wide;
    AppendRegistryString(wide, "ZEICHENKETTE", "", s40);
    EXPECT_EQ("ZEICHENKETTE " + kNameColumn + " = " + s40.substr(0, 37) + "\r\n" + k33 + "lmn\r\n", wide);

    // Byte lines keep their columns whatever the name's length.
    EXPECT_EQ("GENERIC   " + chars(25, 'A') + " = 01 02 03 04 05 06 07 08\r\n" + k32 + " 09\r\n",
              bytesValue(chars(25, 'A'), "\x01\x02\x03\x04\x05\x06\x07\x08\x09"));
    EXPECT_EQ("GENERIC   Bytes                = FF FE 0A A0 7F 80 9C C9\r\n",
              bytesValue("Bytes", "\xFF\xFE\x0A\xA0\x7F\x80\x9C\xC9"));
}

namespace {

const std::string kHeadingRule = std::string(50, '=') + "\r\n\r\n";

class RegistryDump : public ScratchKeyTest {
protected:
    void set(const std::string& name, DWORD type, const std::string& data) {
        const auto* bytes = reinterpret_cast<const BYTE*>(data.data());
        ASSERT_EQ(ERROR_SUCCESS,
                  RegSetValueExA(scratch(), name.c_str(), 0, type, bytes, static_cast<DWORD>(data.size())));
    }
    void setString(const std::string& name, const std::string& text) { set(name, REG_SZ, text + '\0'); }
    void setDword(const std::string& name, DWORD value) {
        set(name, REG_DWORD, std::string(reinterpret_cast<const char*>(&value), sizeof value));
    }

    // The values' names in the registry's own enumeration order.
    std::vector<std::string> valueOrder() const {
        std::vector<std::string> names;
        char name[512];
        DWORD length = sizeof name;
        for (DWORD index = 0; RegEnumValueA(scratch(), index, name, &length, nullptr, nullptr, nullptr, nullptr) == 0;
             ++index, length = sizeof name)
            names.push_back(name);
        return names;
    }
};

std::string dump(HKEY root, const char* subkey) {
    LogCapture log;
    ZKLogRegistry(root, subkey);
    return log.text();
}

}  // namespace

TEST_F(RegistryDump, EveryKindOfValueInTheRegistrysOrder) {
    const std::string name20 = chars(20, 'A'), name21 = chars(21, 'B'), name62 = chars(62, 'C');
    const std::string s100 = chars(100);
    setString("", "default");
    setString("Str40", chars(40));
    setString("Str41", chars(41));
    setString("Str100", s100);
    setString(name20, "twenty");
    setString(name21, chars(40));
    setString(name62, s100);
    setDword("Ten", 10);
    setDword("Max", 4294967295ul);
    set("Bin0", REG_BINARY, "");
    set("Bin8", REG_BINARY, "\x01\x02\x03\x04\x05\x06\x07\x08");
    set("Bin10", REG_BINARY, "\x01\x02\x03\x04\x05\x06\x07\x08\x09\xAB");
    set("Bin16", REG_BINARY, "ABCDEFGHIJKLMNOP");
    setString("Path %", "%a%");  // a percent sign in a name or data is not a format
    set("Expand", REG_EXPAND_SZ, std::string("%P%\0", 4));
    set("Multi", REG_MULTI_SZ, std::string("a\0bc\0\0", 6));

    const std::map<std::string, std::string> lines = {
        {"", "STRING    " + kNameColumn + " = default\r\n"},
        {"Str40", "STRING    Str40                = " + chars(40) + "\r\n"},
        {"Str41", "STRING    Str41                = " + chars(40) + "\r\n" + k33 + "o\r\n"},
        {"Str100", "STRING    Str100               = " + s100.substr(0, 40) + "\r\n" + k33 + s100.substr(40, 40) +
                       "\r\n" + k33 + s100.substr(80) + "\r\n"},
        {name20, "STRING    " + name20 + " = twenty\r\n"},
        {name21, "STRING    " + name21 + " = " + chars(39) + "\r\n" + k33 + "n\r\n"},
        {name62, "STRING    " + name62 + " = " + s100 + "\r\n"},
        {"Ten", "DWORD     Ten                  = 0x0000000A (10)\r\n"},
        {"Max", "DWORD     Max                  = 0xFFFFFFFF (4294967295)\r\n"},
        {"Bin0", "GENERIC   Bin0                 =\r\n"},
        {"Bin8", "GENERIC   Bin8                 = 01 02 03 04 05 06 07 08\r\n"},
        {"Bin10", "GENERIC   Bin10                = 01 02 03 04 05 06 07 08\r\n" + k32 + " 09 AB\r\n"},
        {"Bin16", "GENERIC   Bin16                = 41 42 43 44 45 46 47 48\r\n" + k32 + " 49 4A 4B 4C 4D 4E 4F 50\r\n"},
        {"Path %", "STRING    Path %               = %a%\r\n"},
        {"Expand", "GENERIC   Expand               = 25 50 25 00\r\n"},
        {"Multi", "GENERIC   Multi                = 61 00 62 63 00 00\r\n"},
    };
    std::string expected = "HKEY_CURRENT_USER\\" + path() + "\r\n" + kHeadingRule;
    const std::vector<std::string> order = valueOrder();
    ASSERT_EQ(lines.size(), order.size());
    for (const std::string& name : order) expected += lines.at(name);
    expected += "\r\n";
    EXPECT_EQ(expected, dump(HKEY_CURRENT_USER, path().c_str()));
}

TEST_F(RegistryDump, EmptyMissingAndRootKeys) {
    createKey("Empty");
    const std::string emptyPath = path() + "\\Empty";
    EXPECT_EQ("HKEY_CURRENT_USER\\" + emptyPath + "\r\n" + kHeadingRule + "\r\n", dump(HKEY_CURRENT_USER, emptyPath.c_str()));
    // Below a key that is not a predefined root the heading is the path alone.
    EXPECT_EQ("Empty\r\n" + kHeadingRule + "\r\n", dump(scratch(), "Empty"));

    EXPECT_EQ("", dump(HKEY_CURRENT_USER, (path() + "\\Missing").c_str()));

    // An empty path dumps the root itself under its name alone.
    const std::string root = dump(HKEY_CURRENT_USER, "");
    const std::string rootHeading = "HKEY_CURRENT_USER\\\r\n" + kHeadingRule;
    EXPECT_EQ(rootHeading, root.substr(0, rootHeading.size()));
    EXPECT_EQ("\r\n", root.substr(root.size() - 2));
}
