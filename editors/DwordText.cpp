#include "editors/DwordText.h"

#include <cctype>
#include <cstdint>
#include <cstdio>

namespace {

bool isHexDigit(char c) { return std::isxdigit(static_cast<unsigned char>(c)) != 0; }
int digitValue(char c) { return std::isdigit(static_cast<unsigned char>(c)) ? c - '0' : std::toupper(static_cast<unsigned char>(c)) - 'A' + 10; }

}  // namespace

std::string DwordText(DWORD value, bool hex) {
    char text[16];
    std::snprintf(text, sizeof text, hex ? "%lx" : "%lu", static_cast<unsigned long>(value));
    return text;
}

bool ParseHexDword(const std::string& typed, DWORD& value) {
    const std::string text = typed.substr(0, 19);
    size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    if (i + 2 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X') && isHexDigit(text[i + 2]))
        i += 2;
    const size_t firstDigit = i;
    uint64_t number = 0;
    bool overflow = false;
    for (; i < text.size() && isHexDigit(text[i]); ++i) {
        number = number * 16 + static_cast<uint64_t>(digitValue(text[i]));
        if (number > 0xFFFFFFFFu) {
            overflow = true;
            number = 0xFFFFFFFFu;
        }
    }
    if (i == firstDigit) {  // nothing converted: only the empty text is 0
        if (!text.empty()) return false;
        value = 0;
        return true;
    }
    const DWORD result = overflow ? 0xFFFFFFFFu : negative ? static_cast<DWORD>(0u - number) : static_cast<DWORD>(number);
    if (result == 0xFFFFFFFFu) {
        std::string upper;
        for (char c : text) upper += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        if (upper != "FFFFFFFF") return false;
    } else if (i != text.size()) {
        return false;
    }
    value = result;
    return true;
}
