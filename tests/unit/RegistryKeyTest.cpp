#include <windows.h>
#include <sddl.h>

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>

#include "ScratchKey.h"
#include "registry/RegistryKey.h"

namespace {

// Replaces a key's access list. Wine checks registry access against it, so a list that only
// lets everyone read ("D:P(A;;KR;;;WD)") makes the registry refuse a full-access open as it would
// for a user without rights. The owner keeps the right to change the list back.
void SetKeyAccess(HKEY parent, const char* path, const char* sddl) {
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(parent, path, 0, WRITE_DAC, &key)) << path;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    ASSERT_TRUE(ConvertStringSecurityDescriptorToSecurityDescriptorA(sddl, SDDL_REVISION_1, &descriptor, nullptr));
    EXPECT_EQ(ERROR_SUCCESS, RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, descriptor));
    LocalFree(descriptor);
    RegCloseKey(key);
}

constexpr char kReadAndDeleteOnly[] = "D:P(A;;KR;;;WD)(A;;SD;;;WD)";
constexpr char kNoAccess[] = "D:P";
constexpr char kFullAccess[] = "D:P(A;;KA;;;WD)";

std::set<std::string> ValueNames(const CRegistryKey& key) {
    std::set<std::string> names;
    RegistryValueInfo info;
    for (DWORD index = 0; key.enumValue(index, info) && index < 100; ++index) names.insert(info.name);
    return names;
}

}  // namespace

using RegistryKey = ScratchKeyTest;

TEST_F(RegistryKey, OpenFallsBackToReadAccessWhenFullAccessIsRefused) {
    createKey("Locked");
    {
        CRegistryKey writable(scratch(), "Locked", false);
        ASSERT_NE(nullptr, writable.handle());
        EXPECT_TRUE(writable.isWritable());
        EXPECT_EQ(ERROR_SUCCESS, writable.setDword("Count", 7));
    }
    SetKeyAccess(scratch(), "Locked", kReadAndDeleteOnly);

    CRegistryKey key(scratch(), "Locked", false);
    ASSERT_NE(nullptr, key.handle());
    EXPECT_FALSE(key.isWritable());
    EXPECT_EQ(7u, key.getDword("Count"));
    EXPECT_EQ(ERROR_ACCESS_DENIED, key.setDword("Other", 1));

    CRegistryKey created(scratch(), "Created", true);
    EXPECT_NE(nullptr, created.handle());
    EXPECT_TRUE(created.isWritable());
}


TEST_F(RegistryKey, MissingKeyHasNoHandleAndEveryOperationFails) {
    CRegistryKey key(scratch(), "Missing", false);
    EXPECT_EQ(nullptr, key.handle());
    EXPECT_FALSE(key.isWritable());
    EXPECT_FALSE(keyExists("Missing"));

    EXPECT_FALSE(key.valueExists("Value"));
    EXPECT_FALSE(key.subkeyExists("Child"));
    DWORD dword = 0xDEADBEEF;
    EXPECT_EQ(ERROR_INVALID_HANDLE, key.getDword("Value", dword));
    EXPECT_EQ(0xDEADBEEFu, dword);
    EXPECT_EQ(0u, key.getDword("Value"));
    EXPECT_EQ(ERROR_INVALID_HANDLE, key.setDword("Value", 1));
    char text[8] = "guard";
    DWORD size = sizeof text - 1;
    EXPECT_EQ(ERROR_INVALID_HANDLE, key.getString("Value", text, size));
    EXPECT_STREQ("", text);
    std::string value = "stale";
    key.getString("Value", value);
    EXPECT_EQ("", value);
    EXPECT_EQ(ERROR_INVALID_HANDLE, key.setString("Value", "x"));
    size = sizeof text;
    EXPECT_EQ(ERROR_INVALID_HANDLE, key.getBinary("Value", text, size));
    EXPECT_EQ(ERROR_INVALID_HANDLE, key.setBinary("Value", "x", 1));
    EXPECT_EQ(ERROR_INVALID_HANDLE, key.deleteValue("Value"));
    EXPECT_EQ(ERROR_INVALID_HANDLE, key.deleteSubkey("Child"));
    RegistryValueInfo valueInfo;
    EXPECT_EQ(ERROR_INVALID_HANDLE, key.queryValueInfo("Value", valueInfo));
    EXPECT_FALSE(key.enumValue(0, valueInfo));
    RegistryKeyInfo keyInfo;
    EXPECT_EQ(ERROR_INVALID_HANDLE, key.queryInfo(keyInfo));
    EXPECT_FALSE(key.enumSubkey(0, keyInfo));
}

TEST_F(RegistryKey, BorrowedHandlesAreNeverClosed) {
    HKEY handle = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_CURRENT_USER, "Software", 0, KEY_READ, &handle));
    {
        CRegistryKey borrowed(handle, false);
        EXPECT_FALSE(borrowed.isWritable());
    }
    EXPECT_EQ(ERROR_SUCCESS, RegQueryInfoKeyA(handle, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                                              nullptr, nullptr, nullptr, nullptr));
    { CRegistryKey owner(handle, true); }
    EXPECT_EQ(ERROR_INVALID_HANDLE, RegQueryInfoKeyA(handle, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                                                     nullptr, nullptr, nullptr, nullptr, nullptr));

    CRegistryKey& currentUser = RootKey(HKEY_CURRENT_USER);
    EXPECT_EQ(HKEY_CURRENT_USER, currentUser.handle());
    EXPECT_FALSE(currentUser.isWritable());
    EXPECT_TRUE(currentUser.subkeyExists("Software"));
    EXPECT_EQ(HKEY_DYN_DATA, RootKey(HKEY_DYN_DATA).handle());
    EXPECT_EQ(nullptr, RootKey(HKEY_PERFORMANCE_DATA).handle());

    EXPECT_STREQ("HKEY_CURRENT_CONFIG\\", RootKeyName(HKEY_CURRENT_CONFIG));
    EXPECT_STREQ("", RootKeyName(HKEY_PERFORMANCE_DATA));
    EXPECT_STREQ("", RootKeyName(scratch()));
}

TEST_F(RegistryKey, DeleteSubkeyRemovesATreeChildrenFirstAndStopsAtTheFirstFailure) {
    createKey("Tree\\A\\B\\C\\D");
    createKey("Tree\\A\\B2");
    createKey("Tree\\E");
    {
        CRegistryKey leaf(scratch(), "Tree\\A\\B\\C\\D", false);
        EXPECT_EQ(ERROR_SUCCESS, leaf.setString("Leaf", "value"));
    }
    CRegistryKey key(scratch(), false);
    // The registry refuses to delete a key that still has subkeys, so success means that
    // every level went before its parent.
    EXPECT_EQ(ERROR_SUCCESS, key.deleteSubkey("Tree"));
    EXPECT_FALSE(keyExists("Tree"));
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, key.deleteSubkey("Tree"));

    // A child that cannot be deleted would be found again and again at index 0. This one
    // cannot be opened, so its own subkey stays, and the registry refuses to delete it.
    createKey("Stuck\\Keep\\Inner");
    createKey("Stuck\\Later");
    SetKeyAccess(scratch(), "Stuck\\Keep", kNoAccess);
    EXPECT_EQ(ERROR_ACCESS_DENIED, key.deleteSubkey("Stuck"));
    EXPECT_TRUE(keyExists("Stuck\\Later"));
    SetKeyAccess(scratch(), "Stuck\\Keep", kFullAccess);
    EXPECT_TRUE(keyExists("Stuck\\Keep\\Inner"));
    EXPECT_EQ(ERROR_SUCCESS, key.deleteSubkey("Stuck"));
}

TEST_F(RegistryKey, EnumerationReportsEveryEntryEvenWithOverlongNames) {
    CRegistryKey key(scratch(), false);
    RegistryValueInfo value;
    RegistryKeyInfo subkey;
    EXPECT_FALSE(key.enumValue(0, value));
    EXPECT_FALSE(key.enumSubkey(0, subkey));

    // Wine lists values sorted by name: the long name comes before "b" and "c".
    const std::string longName(600, 'a');
    EXPECT_EQ(ERROR_SUCCESS, key.setDword(longName.c_str(), 1));
    EXPECT_EQ(ERROR_SUCCESS, key.setString("b", "text"));
    EXPECT_EQ(ERROR_SUCCESS, key.setBinary("c", "\1\2\3", 3));
    const std::set<std::string> names = ValueNames(key);
    EXPECT_EQ(3u, names.size());
    EXPECT_EQ(1u, names.count("b"));
    EXPECT_EQ(1u, names.count("c"));

    createKey("Child\\Grandchild");
    {
        CRegistryKey child(scratch(), "Child", false);
        EXPECT_EQ(ERROR_SUCCESS, child.setString("Named", "12345"));
    }
    ASSERT_TRUE(key.enumSubkey(0, subkey));
    EXPECT_EQ("Child", subkey.name);
    EXPECT_EQ(1u, subkey.subkeys);
    EXPECT_EQ(1u, subkey.values);
    EXPECT_EQ(5u, subkey.longestValueName);
    EXPECT_FALSE(key.enumSubkey(1, subkey));

    RegistryKeyInfo info;
    info.name = "stale";
    EXPECT_EQ(ERROR_SUCCESS, key.queryInfo(info));
    EXPECT_EQ("", info.name);
    EXPECT_EQ(1u, info.subkeys);
    EXPECT_EQ(3u, info.values);
    EXPECT_EQ(600u, info.longestValueName);
}

TEST_F(RegistryKey, StringsAreStoredWithTheirZeroAndReadBackTerminated) {
    CRegistryKey key(scratch(), false);
    RegistryValueInfo info;
    EXPECT_EQ(ERROR_SUCCESS, key.setString("Empty", ""));
    EXPECT_EQ(ERROR_SUCCESS, key.queryValueInfo("Empty", info));
    EXPECT_EQ("Empty", info.name);
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), info.type);
    EXPECT_EQ(1u, info.size);

    // Stored without a zero byte: the terminator goes at the returned size, nothing beyond.
    EXPECT_EQ(ERROR_SUCCESS, key.setBinary("Bare", "abc", 3));
    char buffer[12];
    std::memset(buffer, '#', sizeof buffer);
    DWORD size = 8;
    EXPECT_EQ(ERROR_SUCCESS, key.getString("Bare", buffer, size));
    EXPECT_EQ(3u, size);
    EXPECT_STREQ("abc", buffer);
    EXPECT_EQ(std::string(8, '#'), std::string(buffer + 4, 8));

    // Too long for the buffer: the size needed comes back, nothing is written past the buffer.
    EXPECT_EQ(ERROR_SUCCESS, key.setString("Long", "0123456789ABCDEF"));
    std::memset(buffer, '#', sizeof buffer);
    size = 4;
    EXPECT_EQ(ERROR_MORE_DATA, key.getString("Long", buffer, size));
    EXPECT_EQ(17u, size);
    EXPECT_EQ(std::string(7, '#'), std::string(buffer + 5, 7));

    std::string text;
    key.getString("Long", text);
    EXPECT_EQ("0123456789ABCDEF", text);
    key.getString("Bare", text);
    EXPECT_EQ("abc", text);

    EXPECT_EQ(ERROR_SUCCESS, key.queryValueInfo("Bare", info));
    EXPECT_EQ(static_cast<DWORD>(REG_BINARY), info.type);
    EXPECT_EQ(3u, info.size);
    EXPECT_EQ(ERROR_SUCCESS, key.setDword("Number", 0x12345678));
    EXPECT_EQ(ERROR_SUCCESS, key.queryValueInfo("Number", info));
    EXPECT_EQ(static_cast<DWORD>(REG_DWORD), info.type);
    EXPECT_EQ(0x12345678u, key.getDword("Number"));
    EXPECT_EQ(ERROR_SUCCESS, key.deleteValue("Number"));
    EXPECT_FALSE(key.valueExists("Number"));
}
