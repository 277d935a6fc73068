#include "log/LogLayout.h"

namespace {

// Both dumps keep 40 characters of data on a line whose lead has the standard width.
constexpr size_t kRegistryLineEnd = 73;
constexpr size_t kRegistryIndent = 33;
constexpr size_t kBytesIndent = 32;
constexpr size_t kBytesPerLine = 8;
constexpr size_t kIniLineEnd = 63;
constexpr size_t kIniIndent = 23;
constexpr char kHexDigits[] = "0123456789ABCDEF";

// The first CR or LF, or the end. A plain loop: find_first_of calls memchr once per character.
size_t lineBreakIn(std::string_view text) {
    for (size_t at = 0; at < text.size(); ++at)
        if (text[at] == '\r' || text[at] == '\n') return at;
    return std::string_view::npos;
}

// `text` as written, left-aligned in at least `width` columns.
void appendPadded(std::string& out, std::string_view text, size_t width) {
    const size_t start = out.size();
    AppendEscaped(out, text);
    if (out.size() - start < width) out.append(width - (out.size() - start), ' ');
}

// Writes `data` after a first line that already holds `lead` characters. The room for data on
// every line is lineEnd - lead; each full piece is followed by CR LF and `indent` spaces. When
// the lead leaves no room the whole data goes on the first line. Ends with CR LF.
void appendWrapped(std::string& out, std::string_view data, size_t lead, size_t lineEnd, size_t indent) {
    std::string escaped;
    if (lineBreakIn(data) != std::string_view::npos) {
        AppendEscaped(escaped, data);
        data = escaped;
    }
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

void appendRegistryLead(std::string& out, std::string_view label, std::string_view name, const char* equals) {
    appendPadded(out, label, 9);
    out += ' ';
    appendPadded(out, name, 20);
    out += equals;
}

}  // namespace

void AppendEscaped(std::string& out, std::string_view text) {
    for (size_t at; (at = lineBreakIn(text)) != std::string_view::npos; text.remove_prefix(at + 1)) {
        out += text.substr(0, at);
        out += text[at] == '\r' ? "\\r" : "\\n";
    }
    out += text;
}

void AppendSectionBanner(std::string& out, std::string_view title) {
    static const std::string stars(60, '*');
    const size_t start = out.size();
    out.append(stars).append("\r\n* ").append(title.substr(0, title.find('\0'))).append("\r\n");
    out.append(stars).append("\r\n\r\n");
    if (out.size() - start > kLogFormatSize - 1) out.resize(start + kLogFormatSize - 1);
}

void AppendSubsectionHeading(std::string& out, const char* title) {
    static const std::string rule = "\r\n" + std::string(50, '=') + "\r\n\r\n";
    const size_t start = out.size();
    out += title;
    out += rule;
    // Cut where formatting it into the writers' buffer would cut it.
    if (out.size() - start > kLogFormatSize - 1) out.resize(start + kLogFormatSize - 1);
}

void AppendRegistryString(std::string& out, std::string_view label, std::string_view name, std::string_view data) {
    const size_t start = out.size();
    appendRegistryLead(out, label, name, " = ");
    appendWrapped(out, data, out.size() - start, kRegistryLineEnd, kRegistryIndent);
}

void AppendRegistryDword(std::string& out, std::string_view label, std::string_view name, DWORD value) {
    appendRegistryLead(out, label, name, " = ");
    // "0x%08lX (%lu)", composed by hand rather than printed: it is done for every DWORD of a dump.
    char hex[10] = {'0', 'x'};
    DWORD digits = value;
    for (int at = 9; at >= 2; --at, digits >>= 4) hex[at] = kHexDigits[digits & 15];
    out.append(hex, sizeof hex);
    char decimal[10];
    char* start = decimal + sizeof decimal;
    do *--start = static_cast<char>('0' + value % 10); while (value /= 10);
    out += " (";
    out.append(start, static_cast<size_t>(decimal + sizeof decimal - start));
    out += ")\r\n";
}

void AppendRegistryBytes(std::string& out, std::string_view label, std::string_view name, const BYTE* data,
                         size_t size) {
    appendRegistryLead(out, label, name, " =");
    // At least one line: an empty value still ends its label line.
    size_t offset = 0;
    do {
        const size_t end = offset + kBytesPerLine < size ? offset + kBytesPerLine : size;
        for (; offset < end; ++offset) {
            const char hex[] = {' ', kHexDigits[data[offset] >> 4], kHexDigits[data[offset] & 15]};
            out.append(hex, sizeof hex);
        }
        out += "\r\n";
        if (offset < size) out.append(kBytesIndent, ' ');
    } while (offset < size);
}

void AppendIniEntry(std::string& out, std::string_view key, std::string_view value) {
    const size_t start = out.size();
    appendPadded(out, key, 20);
    out += " = ";
    appendWrapped(out, value, out.size() - start, kIniLineEnd, kIniIndent);
}
