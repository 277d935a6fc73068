#include "log/LogLayout.h"

#include <cstdio>

namespace {

// Both dumps keep 40 characters of data on a line whose lead has the standard width.
constexpr size_t kRegistryLineEnd = 73;
constexpr size_t kRegistryIndent = 33;
constexpr size_t kBytesIndent = 32;
constexpr size_t kBytesPerLine = 8;
constexpr size_t kIniLineEnd = 63;
constexpr size_t kIniIndent = 23;

void appendRegistryLead(std::string& out, std::string_view label, std::string_view name, const char* equals) {
    AppendPadded(out, label, 9);
    out += ' ';
    AppendPadded(out, name, 20);
    out += equals;
}

}  // namespace

void AppendPadded(std::string& out, std::string_view text, size_t width) {
    out += text;
    if (text.size() < width) out.append(width - text.size(), ' ');
}

void AppendWrapped(std::string& out, std::string_view data, size_t lead, size_t lineEnd, size_t indent) {
    if (lead < lineEnd) {
        const size_t room = lineEnd - lead;
        while (data.size() > room) {
            out += data.substr(0, room);
            out += "\r\n";
            out.append(indent, ' ');
            data.remove_prefix(room);
        }
    }
    out += data;
    out += "\r\n";
}

void AppendRegistryString(std::string& out, std::string_view label, std::string_view name, std::string_view data) {
    const size_t start = out.size();
    appendRegistryLead(out, label, name, " = ");
    AppendWrapped(out, data, out.size() - start, kRegistryLineEnd, kRegistryIndent);
}

void AppendRegistryDword(std::string& out, std::string_view label, std::string_view name, DWORD value) {
    appendRegistryLead(out, label, name, " = ");
    char number[32];
    snprintf(number, sizeof number, "0x%08lX (%lu)\r\n", value, value);
    out += number;
}

void AppendRegistryBytes(std::string& out, std::string_view label, std::string_view name, const BYTE* data,
                         size_t size) {
    static const char digits[] = "0123456789ABCDEF";
    appendRegistryLead(out, label, name, " =");
    // At least one line: an empty value still ends its label line.
    size_t offset = 0;
    do {
        const size_t end = offset + kBytesPerLine < size ? offset + kBytesPerLine : size;
        for (; offset < end; ++offset) {
            const char hex[] = {' ', digits[data[offset] >> 4], digits[data[offset] & 15]};
            out.append(hex, sizeof hex);
        }
        out += "\r\n";
        if (offset < size) out.append(kBytesIndent, ' ');
    } while (offset < size);
}

void AppendIniEntry(std::string& out, std::string_view key, std::string_view value) {
    const size_t start = out.size();
    AppendPadded(out, key, 20);
    out += " = ";
    AppendWrapped(out, value, out.size() - start, kIniLineEnd, kIniIndent);
}
