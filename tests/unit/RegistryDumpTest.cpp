// The registry dump: its column layouts as plain text, then whole keys through the registry.
#include <gtest/gtest.h>

#include <string>

#include "log/LogLayout.h"

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

TEST(RegistryLayout, StringsWrapAtTheRoomLeftByTheName) {
    const std::string s40 = chars(40), s41 = chars(41), s100 = chars(100);
    EXPECT_EQ("STRING    " + kNameColumn + " = " + s40 + "\r\n", stringValue("", s40));
    EXPECT_EQ("STRING    " + kNameColumn + " = \r\n", stringValue("", ""));
    EXPECT_EQ("STRING    Path                 = " + s40 + "\r\n" + k33 + "o\r\n", stringValue("Path", s41));
    EXPECT_EQ("STRING    Path                 = " + s100.substr(0, 40) + "\r\n" + k33 + s100.substr(40, 40) + "\r\n" +
                  k33 + s100.substr(80) + "\r\n",
              stringValue("Path", s100));

    // A name of 20 keeps the standard columns; each further character takes one from the room,
    // on continuation lines too.
    const std::string n20 = chars(20, 'A'), n21 = chars(21, 'A');
    EXPECT_EQ("STRING    " + n20 + " = " + s40 + "\r\n", stringValue(n20, s40));
    EXPECT_EQ("STRING    " + n21 + " = " + s40.substr(0, 39) + "\r\n" + k33 + "n\r\n", stringValue(n21, s40));
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
}

TEST(RegistryLayout, NumbersAndBytes) {
    std::string out;
    AppendRegistryDword(out, "DWORD", "Count", 10);
    AppendRegistryDword(out, "DWORD", "", 4294967295ul);
    EXPECT_EQ("DWORD     Count                = 0x0000000A (10)\r\n"
              "DWORD                          = 0xFFFFFFFF (4294967295)\r\n",
              out);

    EXPECT_EQ("GENERIC   Empty                =\r\n", bytesValue("Empty", ""));
    EXPECT_EQ("GENERIC   Eight                = 00 01 02 03 04 05 06 07\r\n",
              bytesValue("Eight", std::string("\x00\x01\x02\x03\x04\x05\x06\x07", 8)));
    EXPECT_EQ("GENERIC   Ten                  = FF FE 0A A0 10 20 7F 80\r\n" + k32 + " 9C C9\r\n",
              bytesValue("Ten", "\xFF\xFE\x0A\xA0\x10\x20\x7F\x80\x9C\xC9"));
    EXPECT_EQ("GENERIC   Sixteen              = 41 42 43 44 45 46 47 48\r\n" + k32 + " 49 4A 4B 4C 4D 4E 4F 50\r\n",
              bytesValue("Sixteen", "ABCDEFGHIJKLMNOP"));
    // The byte lines stay in their columns whatever the name's length.
    EXPECT_EQ("GENERIC   " + chars(25, 'A') + " = 01 02 03 04 05 06 07 08\r\n" + k32 + " 09\r\n",
              bytesValue(chars(25, 'A'), "\x01\x02\x03\x04\x05\x06\x07\x08\x09"));
}

TEST(IniLayout, EntriesWrapAtColumn24) {
    std::string out;
    AppendIniEntry(out, "device", "himem.sys");
    AppendIniEntry(out, "", "a line without an equals sign");
    AppendIniEntry(out, "key ", " value");
    AppendIniEntry(out, "short", chars(41));
    AppendIniEntry(out, chars(60, 'A'), chars(50));
    AppendIniEntry(out, chars(21, 'A'), chars(41));
    const std::string k23(23, ' ');
    EXPECT_EQ("device               = himem.sys\r\n"
              "                     = a line without an equals sign\r\n"
              "key                  =  value\r\n"
              "short                = " + chars(40) + "\r\n" + k23 + "o\r\n" +
                  chars(60, 'A') + " = " + chars(50) + "\r\n" +  //
                  chars(21, 'A') + " = " + chars(39) + "\r\n" + k23 + "no\r\n",
              out);
}
