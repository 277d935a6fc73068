// Writes the values that sit directly in one registry key, laid out in memory and written in
// large pieces.
#include <windows.h>

#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "log/LogFile.h"
#include "log/LogLayout.h"
#include "log/LogWriter.h"
#include "registry/RegistryKey.h"
#include "resources/resource.h"
#include "framework/StringTable.h"

namespace {

struct TypeLabels {
    std::string text = fw::LoadedString(IDS_TYPE_STRING);
    std::string dword = fw::LoadedString(IDS_TYPE_DWORD);
    std::string generic = fw::LoadedString(IDS_TYPE_GENERIC);
};

void composeValue(const RegistryValueInfo& value, const std::vector<BYTE>& data, const TypeLabels& labels,
                  std::string& text) {
    const BYTE* bytes = data.data();
    const DWORD size = value.size;
    if (value.type == REG_SZ) {
        const auto* chars = reinterpret_cast<const char*>(bytes);
        AppendRegistryString(text, labels.text, value.name, std::string_view(chars, strnlen(chars, size)));
    } else if (value.type == REG_DWORD && size == sizeof(DWORD)) {
        DWORD number;
        memcpy(&number, bytes, sizeof number);
        AppendRegistryDword(text, labels.dword, value.name, number);
    } else {
        // A 32-bit value of another size is no number: its bytes are all there is to show.
        AppendRegistryBytes(text, value.type == REG_DWORD ? labels.dword : labels.generic, value.name, bytes, size);
    }
}

std::string keyHeading(HKEY root, std::string_view subkey) {
    std::string heading = RootKeyName(root);
    AppendEscaped(heading, subkey);
    return heading;
}

void logKey(HKEY root, const char* subkey) {
    const CRegistryKey key(root, subkey, false);
    if (!key.handle()) return;
    const std::string heading = keyHeading(root, subkey);
    const TypeLabels labels;

    CLogBuffer log;
    std::string& text = log.text();
    AppendSubsectionHeading(text, heading.c_str());
    std::vector<BYTE> data;
    RegistryValueInfo value;
    for (DWORD index = 0; key.enumValue(index, value, data); ++index) {
        const size_t start = text.size();
        composeValue(value, data, labels, text);
        // A value's text ends at a zero byte in its name, as a write of it alone would end.
        text.resize(start + strlen(text.c_str() + start));
        log.WriteWhenFull();
    }
    text += "\r\n";
}

}  // namespace

void LogRegistry(HKEY root, std::string_view subkey) {
    try {
        logKey(root, std::string(subkey).c_str());
    } catch (const std::bad_alloc&) {
        // The log stays as far as it got, and says so.
        MarkLogPartCut([&] { return keyHeading(root, subkey); });
    }
}
