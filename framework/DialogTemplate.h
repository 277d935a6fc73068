// Copies of dialog templates with a changed window style, for pages shown inside another window.
#pragma once
#include <windows.h>

#include <cstddef>
#include <vector>

namespace fw {

// True when the data is long enough to be a DLGTEMPLATE or DLGTEMPLATEEX header.
bool IsDialogTemplate(const void* data, size_t size);

// A DWORD-aligned copy of the template whose style is (style & andMask) | orMask and whose
// extended style is exStyle. Empty when the data is too short to be a template.
std::vector<DWORD> CopyTemplateWithStyle(const void* data, size_t size, DWORD andMask, DWORD orMask,
                                         DWORD exStyle);

inline const DLGTEMPLATE* AsTemplate(const std::vector<DWORD>& copy) {
    return copy.empty() ? nullptr : reinterpret_cast<const DLGTEMPLATE*>(copy.data());
}

}  // namespace fw
