#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "KeyAccess.h"
#include "ScratchKey.h"
#include "registry/RegistryKey.h"

using RegistryKey = ScratchKeyTest;

TEST_F(RegistryKey, OpenFallsBackToReadAccessAndAMissingKeyFailsEveryOperation) {
    createKey("Locked");
    EXPECT_EQ(ERROR_SUCCESS, CRegistryKey(scratch(), "Locked", false).setDword("Count", 7));
    SetKeyAccess(scratch(), "Locked", kReadAndDeleteOnly);
    const CRegistryKey locked(scratch(), "Locked", false);
    ASSERT_NE(nullptr, locked.handle());
    EXPECT_FALSE(locked.isWritable());
    EXPECT_EQ(7u, locked.getDword("Count"));
    EXPECT_EQ(ERROR_SUCCESS, locked.status());
    EXPECT_TRUE(CRegistryKey(scratch(), "Created", true).isWritable());
    // Why there is no handle tells a key gone from one refused.
    SetKeyAccess(scratch(), "Locked", kNoAccess);
    EXPECT_EQ(ERROR_ACCESS_DENIED, CRegistryKey(scratch(), "Locked", false).status());
    SetKeyAccess(scratch(), "Locked", kFullAccess);

    CRegistryKey missing(scratch(), "Missing", false);
    EXPECT_EQ(nullptr, missing.handle());
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, missing.status());
    EXPECT_FALSE(missing.isWritable());
    EXPECT_FALSE(missing.valueExists("Value"));
    DWORD dword = 0xDEADBEEF;
    EXPECT_EQ(ERROR_INVALID_HANDLE, missing.getDword("Value", dword));
    EXPECT_EQ(0xDEADBEEFu, dword);
    char text[8] = "guard";
    DWORD size = sizeof text - 1;
    EXPECT_EQ(ERROR_INVALID_HANDLE, missing.getString("Value", text, size));
    EXPECT_STREQ("", text);
    EXPECT_EQ(ERROR_INVALID_HANDLE, missing.deleteSubkey("Child"));
}

TEST_F(RegistryKey, DeleteSubkeyRemovesATreeChildrenFirstAndStopsAtTheFirstFailure) {
    createKey("Tree\\A\\B\\C\\D");
    createKey("Tree\\A\\B2");
    createKey("Tree\\E");
    EXPECT_EQ(ERROR_SUCCESS, CRegistryKey(scratch(), "Tree\\A\\B\\C\\D", false).setString("Leaf", "value"));
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
    EXPECT_EQ(ERROR_SUCCESS, key.deleteSubkey("Stuck"));
}

TEST_F(RegistryKey, StringsAreStoredWithTheirZeroAndReadBackTerminatedWithinTheBuffer) {
    CRegistryKey key(scratch(), false);
    RegistryValueInfo info;
    EXPECT_EQ(ERROR_SUCCESS, key.setString("Empty", ""));
    EXPECT_EQ(ERROR_SUCCESS, key.queryValueInfo("Empty", info));
    EXPECT_EQ(1u, info.size);

    // Stored without a zero byte: the terminator goes at the returned size, nothing beyond.
    EXPECT_EQ(ERROR_SUCCESS, key.setBinary("Bare", "abc", 3));
    char buffer[12];
    std::memset(buffer, '#', sizeof buffer);
    DWORD size = 8;
    EXPECT_EQ(ERROR_SUCCESS, key.getString("Bare", buffer, size));
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
    key.getString("Bare", text);
    EXPECT_EQ("abc", text);
}
