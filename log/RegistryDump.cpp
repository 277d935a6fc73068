// Writes the values that sit directly in one registry key, one write per value.
#include <windows.h>

#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "log/LogLayout.h"
#include "registry/RegistryKey.h"
#include "resources/resource.h"
#include "zelkor.h"

namespace {

std::string programString(UINT id) {
    char text[256] = {};
    LoadStringA(GetModuleHandleA(nullptr), id, text, sizeof text);
    return text;
}

struct TypeLabels {
    std::string text = programString(IDS_TYPE_STRING);
    std::string dword = programString(IDS_TYPE_DWORD);
    std::string generic = programString(IDS_TYPE_GENERIC);
};

// Reads one value into `text` in its layout; `data` is a buffer reused from value to value.
void composeValue(const CRegistryKey& key, const RegistryValueInfo& value, const TypeLabels& labels,
                  std::vector<char>& data, std::string& text) {
    const char* name = value.name.c_str();
    switch (value.type) {
    case REG_SZ: {
        data.assign(value.size + 1, '\0');
        DWORD size = value.size;
        if (key.getString(name, data.data(), size) == ERROR_SUCCESS) {
            AppendRegistryString(text, labels.text, value.name, std::string_view(data.data(), strnlen(data.data(), size)));
        } else {
            // The value changed since it was listed: read it as it is now (empty if unreadable).
            std::string current;
            key.getString(name, current);
            AppendRegistryString(text, labels.text, value.name, current.c_str());
        }
        break;
    }
    case REG_DWORD: {
        DWORD number = 0;
        key.getDword(name, number);
        AppendRegistryDword(text, labels.dword, value.name, number);
        break;
    }
    default: {
        data.assign(value.size, '\0');
        DWORD size = value.size;
        key.getBinary(name, data.data(), size);
        AppendRegistryBytes(text, labels.generic, value.name, reinterpret_cast<const BYTE*>(data.data()), value.size);
        break;
    }
    }
}

void logKey(HKEY root, const char* subkey) {
    if (!CRegistryKey(root, false).subkeyExists(subkey)) return;
    ZKLogSubsection((std::string(RootKeyName(root)) + subkey).c_str());
    const TypeLabels labels;

    const CRegistryKey key(root, subkey, false);
    std::vector<char> data;
    std::string text;
    RegistryValueInfo value;
    for (DWORD index = 0; key.enumValue(index, value); ++index) {
        text.clear();
        composeValue(key, value, labels, data, text);
        ZKLogWrite(text.c_str());
    }
    ZKLogWrite("\r\n");
}

}  // namespace

void WINAPI ZKLogRegistry(HKEY root, LPCSTR subkey) {
    try {
        logKey(root, subkey ? subkey : "");
    } catch (const std::bad_alloc&) {
        // The log stays as far as it got.
    }
}
