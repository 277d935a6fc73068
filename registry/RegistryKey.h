// The one way the program touches the registry: a key object that owns (or borrows) one open
// handle, with typed reads and writes, existence tests, enumeration and recursive deletion.
// Results are the registry's own codes (0 = success), handed back unchanged.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

struct RegistryValueInfo {
    std::string name;
    DWORD type = 0;  // REG_*
    DWORD size = 0;  // data size in bytes
};

struct RegistryKeyInfo {
    std::string name;
    DWORD subkeys = 0;
    DWORD values = 0;
    DWORD longestSubkeyName = 0;
    DWORD longestValueName = 0;
    DWORD longestValueData = 0;
    FILETIME lastWrite{};
};

class CRegistryKey {
public:
    // Open (full access, falling back to read access) or create a subkey of parent.
    CRegistryKey(HKEY parent, const char* subkey, bool create);
    // Wrap an existing handle; closed on destruction only when owned. Never writable.
    CRegistryKey(HKEY handle, bool owns) : m_handle(handle), m_ownsHandle(owns) {}
    virtual ~CRegistryKey();

    CRegistryKey(const CRegistryKey&) = delete;
    CRegistryKey& operator=(const CRegistryKey&) = delete;

    HKEY handle() const { return m_handle; }
    bool isWritable() const { return !m_readOnly; }
    // The registry's code for the open or create: why there is no handle (0 with one).
    LONG status() const { return m_status; }

    bool valueExists(const char* name) const;
    bool subkeyExists(const char* name) const;
    LONG queryValueInfo(const char* name, RegistryValueInfo& info) const;
    LONG getDword(const char* name, DWORD& value) const;
    DWORD getDword(const char* name) const;  // 0 when absent or unreadable
    LONG setDword(const char* name, DWORD value);
    // Stores a zero byte at buffer[returned size]: the buffer must hold size + 1 bytes.
    LONG getString(const char* name, char* buffer, DWORD& size) const;
    void getString(const char* name, std::string& value) const;
    LONG setString(const char* name, const char* text);
    LONG getBinary(const char* name, void* buffer, DWORD& size) const;
    LONG setBinary(const char* name, const void* data, DWORD size);
    // Any type, the data as given: what a restore writes back.
    LONG setValue(const char* name, DWORD type, const void* data, DWORD size);
    LONG deleteValue(const char* name);
    // Removes the subkey and everything below it, children first. Stops at the first failure
    // and returns its code; a missing subkey gives the registry's code for it.
    LONG deleteSubkey(const char* name);
    // Walk index 0, 1, 2... until "no". A name too long for the buffer still counts as found;
    // any other failure (a key without a handle, say) ends the walk.
    bool enumSubkey(DWORD index, RegistryKeyInfo& info) const;
    bool enumValue(DWORD index, RegistryValueInfo& info) const;
    // The same walk with each value's data fetched in the same call. `data` grows to fit and is
    // meant to be kept from value to value. info.size is 0 when the data cannot be had (a name
    // too long for any buffer, a value that keeps growing while it is read).
    bool enumValue(DWORD index, RegistryValueInfo& info, std::vector<BYTE>& data) const;
    // The name alone, without opening the subkey: for walks that open it themselves anyway.
    bool enumSubkeyName(DWORD index, std::string& name) const;
    LONG queryInfo(RegistryKeyInfo& info) const;

private:
    HKEY m_handle = nullptr;
    bool m_ownsHandle = false;
    bool m_readOnly = true;
    LONG m_status = ERROR_SUCCESS;
};

// The six predefined roots, borrowed for the life of the program. Any other handle gives a key
// without a handle, on which every operation fails.
CRegistryKey& RootKey(HKEY predefined);
// "HKEY_LOCAL_MACHINE\" and so on; empty for any other handle.
const char* RootKeyName(HKEY root);
