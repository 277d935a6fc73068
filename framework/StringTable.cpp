#include "framework/StringTable.h"

namespace fw {

std::string LoadedString(UINT id) {
    char text[256] = {};
    LoadStringA(GetModuleHandleA(nullptr), id, text, sizeof text);
    return text;
}

}  // namespace fw
