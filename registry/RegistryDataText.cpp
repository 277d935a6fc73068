#include "registry/RegistryDataText.h"

#include <cstdio>
#include <cstring>

#include "framework/StringTable.h"
#include "resources/resource.h"

namespace {
const size_t kBytesShown = 20;
}

std::string DwordDataText(DWORD value) {
    char text[32];
    std::snprintf(text, sizeof text, "0x%08lx (%lu)", static_cast<unsigned long>(value),
                  static_cast<unsigned long>(value));
    return text;
}

std::string BytesDataText(const BYTE* data, size_t size) {
    if (size == 0) return fw::LoadedString(IDS_ZERO_LENGTH_BINARY);
    std::string text;
    char pair[4];
    for (size_t i = 0; i < size && i < kBytesShown; ++i) {
        std::snprintf(pair, sizeof pair, i == 0 ? "%02x" : " %02x", data[i]);
        text += pair;
    }
    if (size > kBytesShown) text += " ...";
    return text;
}

std::string ValueDataText(DWORD type, const std::string& data) {
    if (type == REG_SZ) return data.substr(0, data.find('\0'));
    if (type == REG_DWORD && data.size() == sizeof(DWORD)) {
        DWORD value;
        std::memcpy(&value, data.data(), sizeof value);
        return DwordDataText(value);
    }
    return BytesDataText(reinterpret_cast<const BYTE*>(data.data()), data.size());
}
