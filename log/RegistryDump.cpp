// Writes the values that sit directly in one registry key, one write per value.
#include <windows.h>

#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "log/LogLayout.h"
#include "registry/RegistryKey.h"
#include "resources/resource.h"
#include "framework/StringTable.h"
#include "zelkor.h"

namespace {

struct TypeLabels {
    std::string text = fw::LoadedString(IDS_TYPE_STRING);
    std::string dword = fw::LoadedString(IDS_TYPE_DWORD);
    std::string generic = fw::LoadedString(IDS_TYPE_GENERIC);
};

// The value's bytes as they are now, with a zero byte after them; the size read, 0 when the
// value cannot be read. `data` is a buffer reused from value to value.
DWORD readValue(const CRegistryKey& key, const RegistryValueInfo& value, std::vector<char>& data) {
    DWORD size = value.size;
    data.assign(size + 1, '\0');
    LONG result = key.getBinary(value.name.c_str(), data.data(), size);
    if (result == ERROR_MORE_DATA) {
        // It grew since it was listed.
        data.assign(size + 1, '\0');
        result = key.getBinary(value.name.c_str(), data.data(), size);
    }
    if (result != ERROR_SUCCESS) return 0;
    data[size] = '\0';
    return size;
}

void composeValue(const CRegistryKey& key, const RegistryValueInfo& value, const TypeLabels& labels,
                  std::vector<char>& data, std::string& text) {
    const DWORD size = readValue(key, value, data);
    const auto* bytes = reinterpret_cast<const BYTE*>(data.data());
    if (value.type == REG_SZ) {
        AppendRegistryString(text, labels.text, value.name, std::string_view(data.data(), strnlen(data.data(), size)));
    } else if (value.type == REG_DWORD && size == sizeof(DWORD)) {
        DWORD number;
        memcpy(&number, bytes, sizeof number);
        AppendRegistryDword(text, labels.dword, value.name, number);
    } else {
        // A 32-bit value of another size is no number: its bytes are all there is to show.
        AppendRegistryBytes(text, value.type == REG_DWORD ? labels.dword : labels.generic, value.name, bytes, size);
    }
}

void logKey(HKEY root, const char* subkey) {
    if (!CRegistryKey(root, false).subkeyExists(subkey)) return;
    std::string heading = RootKeyName(root);
    AppendEscaped(heading, subkey);
    ZKLogSubsection(heading.c_str());
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
