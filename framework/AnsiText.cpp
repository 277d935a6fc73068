#include "framework/AnsiText.h"

#include <windows.h>

namespace fw {

std::wstring Widened(const std::string& text) {
    std::wstring wide(text.size(), L'\0');
    const int count = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), &wide[0],
                                          static_cast<int>(wide.size()));
    wide.resize(count > 0 ? static_cast<size_t>(count) : 0);
    return wide;
}

std::string Narrowed(const std::wstring& text) {
    if (text.empty()) return {};
    const int size = WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr,
                                         nullptr);
    std::string narrow(static_cast<size_t>(size > 0 ? size : 0), '\0');
    if (size > 0) WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), &narrow[0], size, nullptr, nullptr);
    return narrow;
}

}  // namespace fw
