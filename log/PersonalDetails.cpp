#include "log/PersonalDetails.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "framework/ByteScan.h"
#include "log/LogCopy.h"

namespace {

const char kMapHeader[] = "Zelkor placeholders 1";
const char* const kKindNames[] = {"user", "computer", "email", "ipv4", "ipv6"};

char lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }
char upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isAlnum(char c) { return isDigit(c) || (lower(c) >= 'a' && lower(c) <= 'z'); }
bool isWordChar(char c) { return isAlnum(c) || c == '_'; }
bool isHex(char c) { return isDigit(c) || (lower(c) >= 'a' && lower(c) <= 'f'); }
bool isEmailLocal(char c) { return isAlnum(c) || strchr("._%+-", c) != nullptr; }
bool isDomain(char c) { return isAlnum(c) || c == '.' || c == '-'; }

bool sameFolded(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (lower(a[i]) != lower(b[i])) return false;
    return true;
}

std::string placeholder(DetailKind kind, unsigned number) {
    char text[64];
    switch (kind) {
    case DetailKind::User:
        snprintf(text, sizeof text, "user%u", number);
        break;
    case DetailKind::Computer:
        snprintf(text, sizeof text, "computer%u", number);
        break;
    case DetailKind::Email:
        snprintf(text, sizeof text, "name%u@example.invalid", number);
        break;
    case DetailKind::Ipv4: {
        // The three networks kept for documentation, one after the other.
        static const char* const networks[] = {"192.0.2", "198.51.100", "203.0.113"};
        if (number <= 3 * 254)
            snprintf(text, sizeof text, "%s.%u", networks[(number - 1) / 254], (number - 1) % 254 + 1);
        else
            snprintf(text, sizeof text, "ipv4-%u", number);
        break;
    }
    case DetailKind::Ipv6:
        snprintf(text, sizeof text, "2001:db8::%x", number);
        break;
    }
    return text;
}

void keyOf(DetailKind kind, std::string_view original, std::string& key) {
    key.assign(1, static_cast<char>('0' + static_cast<int>(kind)));
    for (char c : original) key += lower(c);
}

struct Span {
    size_t begin, end;
    DetailKind kind;
};

// Every place where `needle` occurs in the text, ignoring case.
template <class Found>
void findFolded(std::string_view text, std::string_view needle, Found found) {
    if (needle.empty()) return;
    const char* const end = text.data() + text.size();
    for (const char* at = text.data(); (at = fw::FindEitherByte(at, end, lower(needle[0]), upper(needle[0]))) != end; ++at)
        if (static_cast<size_t>(end - at) >= needle.size() && sameFolded(std::string_view(at, needle.size()), needle))
            found(static_cast<size_t>(at - text.data()));
}

void findName(std::string_view text, std::string_view name, DetailKind kind, std::vector<Span>& spans) {
    findFolded(text, name, [&](size_t at) {
        const size_t end = at + name.size();
        if ((at == 0 || !isWordChar(text[at - 1])) && (end == text.size() || !isWordChar(text[end])))
            spans.push_back({at, end, kind});
    });
}

// Folders under \Users\ are users' names; the shared ones are not.
void findUserFolders(std::string_view text, std::vector<Span>& spans) {
    static const char* const shared[] = {"Public", "Default", "Default User", "All Users"};
    findFolded(text, "\\users\\", [&](size_t at) {
        const size_t begin = at + 7;
        size_t end = begin;
        while (end < text.size() && !strchr("\\/\r\n\"", text[end])) ++end;
        if (end == begin || end == text.size() || (text[end] != '\\' && text[end] != '/')) return;
        const std::string_view folder = text.substr(begin, end - begin);
        for (const char* name : shared)
            if (sameFolded(folder, name)) return;
        spans.push_back({begin, end, DetailKind::User});
    });
}

void findEmails(std::string_view text, std::vector<Span>& spans) {
    const char* const end = text.data() + text.size();
    for (const char* at = text.data(); (at = fw::FindByte(at, end, '@')) != end; ++at) {
        const size_t middle = static_cast<size_t>(at - text.data());
        size_t begin = middle, stop = middle + 1;
        while (begin > 0 && isEmailLocal(text[begin - 1])) --begin;
        while (begin < middle && text[begin] == '.') ++begin;
        while (stop < text.size() && isDomain(text[stop])) ++stop;
        while (stop > middle + 1 && (text[stop - 1] == '.' || text[stop - 1] == '-')) --stop;
        const std::string_view domain = text.substr(middle + 1, stop - middle - 1);
        if (begin == middle || domain.find('.') == std::string_view::npos || !isAlnum(domain.front())) continue;
        spans.push_back({begin, stop, DetailKind::Email});
        at = text.data() + stop - 1;
    }
}

// Four numbers of up to three digits, 0 to 255, joined by dots, that are not part of a longer
// run of numbers and dots (a version such as 6.1.7601.0 is no address).
void findIpv4(std::string_view text, std::vector<Span>& spans) {
    const char* const end = text.data() + text.size();
    for (const char* dot = text.data(); (dot = fw::FindByte(dot, end, '.')) != end; ++dot) {
        size_t begin = static_cast<size_t>(dot - text.data());
        while (begin > 0 && isDigit(text[begin - 1])) --begin;
        if (begin > 0 && (isAlnum(text[begin - 1]) || text[begin - 1] == '.')) continue;
        size_t at = begin;
        int parts = 0;
        for (; parts < 4; ++parts) {
            const size_t start = at;
            unsigned value = 0;
            while (at < text.size() && isDigit(text[at]) && at - start < 4) value = value * 10 + (text[at++] - '0');
            if (at == start || at - start > 3 || value > 255) break;
            if (parts < 3) {
                if (at >= text.size() || text[at] != '.') break;
                ++at;
            }
        }
        if (parts != 4) continue;
        const bool longer = at < text.size() && (isAlnum(text[at]) || (text[at] == '.' && at + 1 < text.size() &&
                                                                         isDigit(text[at + 1])));
        if (longer) continue;
        spans.push_back({begin, at, DetailKind::Ipv4});
        dot = text.data() + at - 1;
    }
}

// Groups of up to four hexadecimal digits joined by colons: eight of them, or fewer with one
// "::". Times (12:30:45) and hardware addresses have neither.
bool isIpv6(std::string_view token) {
    const size_t shortened = token.find("::");
    if (shortened != std::string_view::npos && token.find("::", shortened + 1) != std::string_view::npos) return false;
    size_t groups = 0, colons = 0, digits = 0;
    for (char c : token) {
        if (c == ':') {
            ++colons;
            digits = 0;
        } else if (++digits > 4) {
            return false;
        } else if (digits == 1) {
            ++groups;
        }
    }
    if (shortened == std::string_view::npos) return groups == 8 && colons == 7;
    // A single colon at either end belongs to no group.
    if ((token.front() == ':' && token.compare(0, 2, "::") != 0) ||
        (token.back() == ':' && token.compare(token.size() - 2, 2, "::") != 0))
        return false;
    return colons >= 2 && groups >= 1 && groups <= 7;
}

void findIpv6(std::string_view text, std::vector<Span>& spans) {
    const char* const end = text.data() + text.size();
    for (const char* colon = text.data(); (colon = fw::FindByte(colon, end, ':')) != end; ++colon) {
        size_t begin = static_cast<size_t>(colon - text.data()), stop = begin;
        while (begin > 0 && (isHex(text[begin - 1]) || text[begin - 1] == ':')) --begin;
        while (stop < text.size() && (isHex(text[stop]) || text[stop] == ':')) ++stop;
        colon = text.data() + stop - 1;
        if ((begin > 0 && (isWordChar(text[begin - 1]) || text[begin - 1] == '.')) ||
            (stop < text.size() && (isWordChar(text[stop]) || text[stop] == '.')))
            continue;
        if (isIpv6(text.substr(begin, stop - begin))) spans.push_back({begin, stop, DetailKind::Ipv6});
    }
}

}  // namespace

bool CPlaceholderMap::Load(std::string_view text) {
    CPlaceholderMap loaded;
    const size_t headerEnd = text.find("\r\n");
    if (headerEnd == std::string_view::npos || text.substr(0, headerEnd) != kMapHeader) return false;
    text.remove_prefix(headerEnd + 2);
    while (!text.empty()) {
        const size_t lineEnd = text.find("\r\n");
        if (lineEnd == std::string_view::npos) return false;
        const std::string_view line = text.substr(0, lineEnd);
        text.remove_prefix(lineEnd + 2);
        const size_t first = line.find('\t'), second = line.find('\t', first + 1);
        if (first == std::string_view::npos || second == std::string_view::npos) return false;
        const std::string_view kindName = line.substr(0, first), original = line.substr(second + 1);
        const auto kind = std::find(std::begin(kKindNames), std::end(kKindNames), kindName);
        if (kind == std::end(kKindNames) || original.empty() || original.find('\t') != std::string_view::npos)
            return false;
        // Each kind's placeholders are numbered in order: any other is a file changed by hand.
        const auto detail = static_cast<DetailKind>(kind - std::begin(kKindNames));
        const size_t count = loaded.size();
        if (loaded.PlaceholderFor(detail, original) != line.substr(first + 1, second - first - 1) ||
            loaded.size() == count)
            return false;
    }
    *this = std::move(loaded);
    return true;
}

std::string CPlaceholderMap::Text() const {
    std::string text = std::string(kMapHeader) + "\r\n";
    for (const Entry& entry : m_entries)
        text += std::string(kKindNames[static_cast<int>(entry.kind)]) + '\t' + entry.placeholder + '\t' +
                entry.original + "\r\n";
    return text;
}

const std::string& CPlaceholderMap::PlaceholderFor(DetailKind kind, std::string_view original) {
    keyOf(kind, original, m_key);
    const auto found = m_byOriginal.find(m_key);
    if (found != m_byOriginal.end()) return m_entries[found->second].placeholder;
    m_byOriginal.emplace(m_key, m_entries.size());
    m_entries.push_back({kind, placeholder(kind, ++m_counts[static_cast<int>(kind)]), std::string(original)});
    return m_entries.back().placeholder;
}

MachineNames CurrentMachineNames() {
    char user[256 + 1] = {}, computer[MAX_COMPUTERNAME_LENGTH + 1] = {};
    DWORD userSize = sizeof user, computerSize = sizeof computer;
    MachineNames names;
    if (GetUserNameA(user, &userSize)) names.user = user;
    if (GetComputerNameA(computer, &computerSize)) names.computer = computer;
    return names;
}

size_t LogHeaderLength(std::string_view log) {
    const size_t end = log.find("\r\n\r\n");
    return end == std::string_view::npos ? 0 : end + 4;
}

std::string HidePersonalDetails(std::string_view text, size_t keep, const MachineNames& names, CPlaceholderMap& map) {
    keep = std::min(keep, text.size());
    const std::string_view body = text.substr(keep);
    std::vector<Span> spans;
    findName(body, names.user, DetailKind::User, spans);
    findName(body, names.computer, DetailKind::Computer, spans);
    findUserFolders(body, spans);
    findEmails(body, spans);
    findIpv4(body, spans);
    findIpv6(body, spans);
    // Where two overlap, the first wins, and of two that start together the longer.
    std::sort(spans.begin(), spans.end(), [](const Span& a, const Span& b) {
        return a.begin != b.begin ? a.begin < b.begin : a.end > b.end;
    });
    std::string out(text.substr(0, keep));
    out.reserve(text.size() + text.size() / 16);
    size_t copied = 0;
    for (const Span& span : spans) {
        if (span.begin < copied) continue;
        out.append(body, copied, span.begin - copied);
        out += map.PlaceholderFor(span.kind, body.substr(span.begin, span.end - span.begin));
        copied = span.end;
    }
    out.append(body, copied, std::string_view::npos);
    return out;
}

std::string PlaceholderMapFileName(const std::string& logPath) {
    const size_t dot = logPath.find_last_of(".\\");
    return (dot != std::string::npos && logPath[dot] == '.' ? logPath.substr(0, dot) : logPath) + ".names";
}

DWORD HideDetailsInLog(const std::string& logPath, std::string& original) {
    DWORD error = ReadWholeLog(logPath, original);
    if (error) return error;
    const std::string mapPath = PlaceholderMapFileName(logPath);
    CPlaceholderMap map;
    std::string mapText;
    if (ReadWholeLog(mapPath, mapText) == ERROR_SUCCESS) map.Load(mapText);
    const std::string hidden = HidePersonalDetails(original, LogHeaderLength(original), CurrentMachineNames(), map);
    error = WriteWholeLog(mapPath, map.Text());
    return error ? error : WriteWholeLog(logPath, hidden);
}
