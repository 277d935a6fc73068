// Replaces a key's access list. Wine checks registry access against it, so a list that only
// lets everyone read makes the registry refuse a full-access open, a write and a deletion as it
// would for a user without rights. The owner keeps the right to change the list back.
#pragma once
#include <windows.h>
#include <sddl.h>

#include <gtest/gtest.h>

constexpr char kReadAndDeleteOnly[] = "D:P(A;;KR;;;WD)(A;;SD;;;WD)";
constexpr char kReadOnly[] = "D:P(A;;KR;;;WD)";
constexpr char kNoAccess[] = "D:P";
constexpr char kFullAccess[] = "D:P(A;;KA;;;WD)";

inline void SetKeyAccess(HKEY parent, const char* path, const char* sddl) {
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(parent, path, 0, WRITE_DAC, &key)) << path;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    ASSERT_TRUE(ConvertStringSecurityDescriptorToSecurityDescriptorA(sddl, SDDL_REVISION_1, &descriptor, nullptr));
    EXPECT_EQ(ERROR_SUCCESS, RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, descriptor));
    LocalFree(descriptor);
    RegCloseKey(key);
}

// An access list for as long as the object lives, then full access again.
class KeyAccess {
public:
    KeyAccess(HKEY parent, const char* path, const char* sddl) : m_parent(parent), m_path(path) {
        SetKeyAccess(parent, path, sddl);
    }
    ~KeyAccess() { SetKeyAccess(m_parent, m_path, kFullAccess); }
    KeyAccess(const KeyAccess&) = delete;
    KeyAccess& operator=(const KeyAccess&) = delete;

private:
    HKEY m_parent;
    const char* m_path;
};
