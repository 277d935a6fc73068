#include "framework/StringTable.h"

#include "framework/AnsiText.h"

namespace fw {

// Whatever its length: the entry is read in place (a length of 0 hands back a pointer to it).
std::string LoadedString(UINT id) {
    const wchar_t* entry = nullptr;
    const int length = LoadStringW(GetModuleHandleA(nullptr), id, reinterpret_cast<LPWSTR>(&entry), 0);
    if (length <= 0 || !entry) return {};
    return Narrowed(std::wstring(entry, static_cast<size_t>(length)));
}

}  // namespace fw
