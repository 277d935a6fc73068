#include "registry/RegistryKey.h"

#include <algorithm>
#include <cstring>
#include <vector>

CRegistryKey::CRegistryKey(HKEY parent, const char* subkey, bool create) : m_ownsHandle(true) {
    if (create) {
        m_readOnly = false;
        m_status = RegCreateKeyExA(parent, subkey, 0, const_cast<char*>(""), REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                                   nullptr, &m_handle, nullptr);
    } else {
        m_status = RegOpenKeyExA(parent, subkey, 0, KEY_ALL_ACCESS, &m_handle);
        m_readOnly = m_status != ERROR_SUCCESS;
        if (m_readOnly) m_status = RegOpenKeyExA(parent, subkey, 0, KEY_READ, &m_handle);
    }
    if (m_status != ERROR_SUCCESS) m_handle = nullptr;
}

CRegistryKey::~CRegistryKey() {
    if (m_ownsHandle && m_handle) RegCloseKey(m_handle);
}

bool CRegistryKey::valueExists(const char* name) const {
    return RegQueryValueExA(m_handle, name, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

bool CRegistryKey::subkeyExists(const char* name) const {
    HKEY subkey = nullptr;
    if (RegOpenKeyExA(m_handle, name, 0, KEY_READ, &subkey) != ERROR_SUCCESS) return false;
    RegCloseKey(subkey);
    return true;
}

LONG CRegistryKey::queryValueInfo(const char* name, RegistryValueInfo& info) const {
    info.name = name ? name : "";
    return RegQueryValueExA(m_handle, name, nullptr, &info.type, nullptr, &info.size);
}

LONG CRegistryKey::getDword(const char* name, DWORD& value) const {
    DWORD size = sizeof value;
    return RegQueryValueExA(m_handle, name, nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size);
}

DWORD CRegistryKey::getDword(const char* name) const {
    DWORD value = 0;
    return getDword(name, value) == ERROR_SUCCESS ? value : 0;
}

LONG CRegistryKey::setDword(const char* name, DWORD value) {
    return RegSetValueExA(m_handle, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
}

LONG CRegistryKey::getString(const char* name, char* buffer, DWORD& size) const {
    const DWORD capacity = size;
    const LONG result = RegQueryValueExA(m_handle, name, nullptr, nullptr, reinterpret_cast<BYTE*>(buffer), &size);
    // The stored text need not end in a zero byte. On failure size may be the size needed,
    // beyond the buffer: the text is then left empty.
    buffer[result == ERROR_SUCCESS ? std::min(size, capacity) : 0] = '\0';
    return result;
}

void CRegistryKey::getString(const char* name, std::string& value) const {
    value.clear();
    RegistryValueInfo info;
    if (queryValueInfo(name, info) != ERROR_SUCCESS) return;
    std::vector<char> buffer(info.size + 1);
    DWORD size = info.size;
    if (getString(name, buffer.data(), size) == ERROR_SUCCESS) value = buffer.data();
}

LONG CRegistryKey::setString(const char* name, const char* text) {
    return RegSetValueExA(m_handle, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                          static_cast<DWORD>(std::strlen(text) + 1));
}

LONG CRegistryKey::getBinary(const char* name, void* buffer, DWORD& size) const {
    return RegQueryValueExA(m_handle, name, nullptr, nullptr, static_cast<BYTE*>(buffer), &size);
}

LONG CRegistryKey::setBinary(const char* name, const void* data, DWORD size) {
    return RegSetValueExA(m_handle, name, 0, REG_BINARY, static_cast<const BYTE*>(data), size);
}

LONG CRegistryKey::setValue(const char* name, DWORD type, const void* data, DWORD size) {
    return RegSetValueExA(m_handle, name, 0, type, static_cast<const BYTE*>(data), size);
}

LONG CRegistryKey::deleteValue(const char* name) { return RegDeleteValueA(m_handle, name); }

LONG CRegistryKey::deleteSubkey(const char* name) {
    {
        CRegistryKey subkey(m_handle, name, false);
        // Index 0 every time: each deletion moves the remaining subkeys down. A child that
        // cannot be deleted would be found again, so the first failure ends the operation.
        RegistryKeyInfo child;
        while (subkey.enumSubkey(0, child)) {
            const LONG result = subkey.deleteSubkey(child.name.c_str());
            if (result != ERROR_SUCCESS) return result;
        }
    }
    return RegDeleteKeyA(m_handle, name);
}

bool CRegistryKey::enumSubkey(DWORD index, RegistryKeyInfo& info) const {
    std::string name;
    if (!enumSubkeyName(index, name)) return false;
    info = RegistryKeyInfo();
    {
        // Its own last write time comes with the rest of its description.
        const CRegistryKey subkey(m_handle, name.c_str(), false);
        subkey.queryInfo(info);
    }
    info.name = name;
    return true;
}

bool CRegistryKey::enumSubkeyName(DWORD index, std::string& name) const {
    char buffer[0x100] = {};
    DWORD size = sizeof buffer;
    const LONG result = RegEnumKeyExA(m_handle, index, buffer, &size, nullptr, nullptr, nullptr, nullptr);
    if (result != ERROR_SUCCESS && result != ERROR_MORE_DATA) return false;
    buffer[sizeof buffer - 1] = '\0';
    name = buffer;
    return true;
}

bool CRegistryKey::enumValue(DWORD index, RegistryValueInfo& info) const {
    info.type = 0;
    info.size = 0;
    // Most names fit 511 characters. A longer one is read again with room for the longest the
    // registry allows: 16,383 characters, two bytes each in a double-byte code page.
    for (const DWORD capacity : {0x200ul, 0x8000ul}) {
        info.name.assign(capacity, '\0');
        DWORD length = capacity;
        const LONG result =
            RegEnumValueA(m_handle, index, &info.name[0], &length, nullptr, &info.type, nullptr, &info.size);
        if (result == ERROR_SUCCESS) {
            info.name.resize(length);
            return true;
        }
        if (result != ERROR_MORE_DATA) {
            info.name.clear();
            return false;
        }
    }
    // Still too long: it counts as found, under as much of its name as was given.
    info.name.resize(strnlen(info.name.c_str(), info.name.size() - 1));
    return true;
}

bool CRegistryKey::enumValue(DWORD index, RegistryValueInfo& info, std::vector<BYTE>& data) const {
    if (data.empty()) data.resize(0x400);
    DWORD nameCapacity = 0x200;
    // Each "more data" names the size needed now; a value that grew meanwhile asks again.
    for (int attempt = 0; attempt < 8; ++attempt) {
        info.name.resize(nameCapacity);
        DWORD nameLength = nameCapacity, size = static_cast<DWORD>(data.size());
        const LONG result =
            RegEnumValueA(m_handle, index, &info.name[0], &nameLength, nullptr, &info.type, data.data(), &size);
        if (result == ERROR_SUCCESS) {
            info.name.resize(nameLength);
            info.size = size;
            return true;
        }
        if (result != ERROR_MORE_DATA) {
            info.name.clear();
            return false;
        }
        if (size > data.size())
            data.resize(size);
        else if (nameCapacity < 0x8000)
            nameCapacity = 0x8000;
        else
            break;
    }
    // Listed without its data, under as much of its name as can be had.
    if (!enumValue(index, info)) return false;
    info.size = 0;
    return true;
}

LONG CRegistryKey::queryInfo(RegistryKeyInfo& info) const {
    info.name.clear();
    return RegQueryInfoKeyA(m_handle, nullptr, nullptr, nullptr, &info.subkeys, &info.longestSubkeyName, nullptr,
                            &info.values, &info.longestValueName, &info.longestValueData, nullptr,
                            &info.lastWrite);
}

CRegistryKey& RootKey(HKEY predefined) {
    static CRegistryKey localMachine(HKEY_LOCAL_MACHINE, false);
    static CRegistryKey currentUser(HKEY_CURRENT_USER, false);
    static CRegistryKey classesRoot(HKEY_CLASSES_ROOT, false);
    static CRegistryKey users(HKEY_USERS, false);
    static CRegistryKey currentConfig(HKEY_CURRENT_CONFIG, false);
    static CRegistryKey dynData(HKEY_DYN_DATA, false);
    static CRegistryKey none(static_cast<HKEY>(nullptr), false);
    for (CRegistryKey* root : {&localMachine, &currentUser, &classesRoot, &users, &currentConfig, &dynData})
        if (root->handle() == predefined) return *root;
    return none;
}

const char* RootKeyName(HKEY root) {
    static const struct {
        HKEY handle;
        const char* name;
    } names[] = {
        {HKEY_CLASSES_ROOT, "HKEY_CLASSES_ROOT\\"},   {HKEY_CURRENT_USER, "HKEY_CURRENT_USER\\"},
        {HKEY_LOCAL_MACHINE, "HKEY_LOCAL_MACHINE\\"}, {HKEY_USERS, "HKEY_USERS\\"},
        {HKEY_CURRENT_CONFIG, "HKEY_CURRENT_CONFIG\\"}, {HKEY_DYN_DATA, "HKEY_DYN_DATA\\"},
    };
    for (const auto& entry : names)
        if (entry.handle == root) return entry.name;
    return "";
}
