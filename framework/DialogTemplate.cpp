#include "framework/DialogTemplate.h"

#include <cstring>

namespace fw {
namespace {

// Offsets of the style words: DLGTEMPLATEEX starts with dlgVer 1 and signature 0xFFFF.
struct StyleOffsets {
    size_t style;
    size_t exStyle;
};

bool styleOffsets(const void* data, size_t size, StyleOffsets& offsets) {
    if (!data || size < 18) return false;
    WORD head[2];
    std::memcpy(head, data, sizeof head);
    if (head[0] == 1 && head[1] == 0xFFFF) {
        if (size < 26) return false;
        offsets = {12, 8};
    } else {
        offsets = {0, 4};
    }
    return true;
}

}  // namespace

bool IsDialogTemplate(const void* data, size_t size) {
    StyleOffsets offsets;
    return styleOffsets(data, size, offsets);
}

std::vector<DWORD> CopyTemplateWithStyle(const void* data, size_t size, DWORD andMask, DWORD orMask,
                                         DWORD exStyle) {
    StyleOffsets offsets;
    if (!styleOffsets(data, size, offsets)) return {};
    std::vector<DWORD> copy((size + sizeof(DWORD) - 1) / sizeof(DWORD), 0);
    BYTE* bytes = reinterpret_cast<BYTE*>(copy.data());
    std::memcpy(bytes, data, size);
    DWORD style;
    std::memcpy(&style, bytes + offsets.style, sizeof style);
    style = (style & andMask) | orMask;
    std::memcpy(bytes + offsets.style, &style, sizeof style);
    std::memcpy(bytes + offsets.exStyle, &exStyle, sizeof exStyle);
    return copy;
}

}  // namespace fw
