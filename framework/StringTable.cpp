#include "framework/StringTable.h"

namespace fw {

// Whatever its length: the entry is read in place (a length of 0 hands back a pointer to it).
std::string LoadedString(UINT id) {
    const wchar_t* entry = nullptr;
    const int length = LoadStringW(GetModuleHandleA(nullptr), id, reinterpret_cast<LPWSTR>(&entry), 0);
    if (length <= 0 || !entry) return {};
    const int size = WideCharToMultiByte(CP_ACP, 0, entry, length, nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, 0, entry, length, &text[0], size, nullptr, nullptr);
    return text;
}

}  // namespace fw
