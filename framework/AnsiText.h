// Text between the program's ANSI strings and the system's wide ones, in the ANSI code page.
#pragma once
#include <string>

namespace fw {

std::wstring Widened(const std::string& text);
std::string Narrowed(const std::wstring& text);

}  // namespace fw
