#include "log/PersonalDetails.h"

#include <algorithm>
#include <array>
#include <cstdio>

#include "framework/AsciiCase.h"
#include "log/LogCopy.h"
#include "log/LogFile.h"

namespace {

const char kMapHeader[] = "Zelkor placeholders 1";
const char* const kKindNames[] = {"user", "computer", "email", "ipv4", "ipv6"};

// What each byte can be part of, one table look-up each: the log is read once, byte by byte.
enum : unsigned char { kDigit = 1, kAlnum = 2, kWord = 4, kHex = 8, kEmailLocal = 16, kDomain = 32, kFolderEnd = 64 };

constexpr std::array<unsigned char, 256> byteClasses() {
    std::array<unsigned char, 256> classes{};
    for (int c = '0'; c <= '9'; ++c) classes[c] |= kDigit | kHex;
    for (int c = 'a'; c <= 'f'; ++c) classes[c] |= kHex, classes[c - 'a' + 'A'] |= kHex;
    for (int c = 0; c < 256; ++c) {
        const bool alnum = (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
        if (alnum) classes[c] |= kAlnum | kWord | kEmailLocal | kDomain;
    }
    classes['_'] |= kWord;
    // The NUL byte counts as part of an address's local part and ends a folder name.
    for (char c : {'.', '_', '%', '+', '-', '\0'}) classes[static_cast<unsigned char>(c)] |= kEmailLocal;
    for (char c : {'.', '-'}) classes[static_cast<unsigned char>(c)] |= kDomain;
    for (char c : {'\\', '/', '\r', '\n', '"', '\0'}) classes[static_cast<unsigned char>(c)] |= kFolderEnd;
    return classes;
}
constexpr std::array<unsigned char, 256> kClasses = byteClasses();

bool is(char c, unsigned char kind) { return (kClasses[static_cast<unsigned char>(c)] & kind) != 0; }

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
    key.resize(1 + original.size());
    key[0] = static_cast<char>('0' + static_cast<int>(kind));
    std::transform(original.begin(), original.end(), key.begin() + 1, fw::AsciiLower);
}

struct Span {
    size_t begin, end;
    DetailKind kind;
    bool named;  // the user's or the computer's name, as a name
};

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

// The details of one text replaced in one pass: each byte that may belong to one is looked at
// where it is, and the text is handed to `put` a part at a time (the bytes between two details,
// or a placeholder) as soon as no detail found later can start before them.
template <class Put>
class CDetailHider {
public:
    CDetailHider(std::string_view text, const MachineNames& names, CPlaceholderMap& map, Put& put)
        : m_text(text), m_user(names.user), m_computer(names.computer), m_map(map), m_put(put) {
        for (char c : {'@', '.', ':', '\\'}) m_starts[static_cast<unsigned char>(c)] = true;
        for (std::string_view name : {m_user, m_computer})
            if (!name.empty()) m_starts[static_cast<unsigned char>(fw::AsciiLower(name[0]))] =
                                   m_starts[static_cast<unsigned char>(fw::AsciiUpper(name[0]))] = true;
    }

    void Run() {
        const auto* const text = reinterpret_cast<const unsigned char*>(m_text.data());
        const size_t size = m_text.size();
        const bool* const starts = m_starts;
        const auto lookAt = [&](size_t at) {
            if (!starts[text[at]]) return;
            look(at);
            if (m_found.size() >= kHeld) putBefore(settledBefore(at));
        };
        // Four bytes to a test: most of a log holds none of those bytes.
        size_t at = 0;
        for (; size - at >= 4; at += 4)
            if (starts[text[at]] | starts[text[at + 1]] | starts[text[at + 2]] | starts[text[at + 3]])
                for (size_t i = at; i < at + 4; ++i) lookAt(i);
        for (; at < size; ++at) lookAt(at);
        putBefore(size);
        m_put(m_text.substr(m_copied));
    }

private:
    static constexpr size_t kHeld = 32;  // details found before those settled are put

    // Where every detail still to be found starts at or after, once the bytes up to `at` have
    // been looked at: an address of either kind starts at most three bytes before the byte that
    // finds it, an e-mail address no earlier than the run of its characters that reaches it.
    size_t settledBefore(size_t at) {
        // The run is followed on from the last call: no byte is looked at twice.
        size_t run = at + 1;
        while (run > m_runChecked && is(m_text[run - 1], kEmailLocal)) --run;
        m_runStart = run == m_runChecked ? m_runStart : run;
        m_runChecked = at + 1;
        return std::min(at < 3 ? 0 : at - 3, m_runStart);
    }

    // Where two overlap, the first wins: the text up to the details that start before `settled`.
    void putBefore(size_t settled) {
        size_t done = 0;
        for (; done < m_found.size() && m_found[done].begin < settled; ++done) {
            const Span& span = m_found[done];
            if (span.begin < m_copied) continue;
            m_put(m_text.substr(m_copied, span.begin - m_copied));
            m_put(m_map.PlaceholderFor(span.kind, m_text.substr(span.begin, span.end - span.begin)));
            m_copied = span.end;
        }
        m_found.erase(m_found.begin(), m_found.begin() + static_cast<ptrdiff_t>(done));
    }

    void look(size_t at) {
        switch (m_text[at]) {
        case '@': email(at); break;
        case '.': ipv4(at); break;
        case ':': ipv6(at); break;
        case '\\': userFolder(at); break;
        }
        name(at, m_user, DetailKind::User);
        name(at, m_computer, DetailKind::Computer);
    }

    // Of two that start together the longer goes first, and of two the same a name (a folder
    // named like the computer is the computer). Only an address's start lies behind the byte
    // that finds it.
    void add(size_t begin, size_t end, DetailKind kind, bool named = false) {
        m_found.push_back({begin, end, kind, named});
        for (size_t i = m_found.size() - 1; i > 0; --i) {
            const Span &later = m_found[i], &earlier = m_found[i - 1];
            if (earlier.begin != later.begin ? earlier.begin < later.begin
                                             : earlier.end != later.end ? earlier.end > later.end
                                                                        : earlier.named || !later.named)
                break;
            std::swap(m_found[i], m_found[i - 1]);
        }
    }

    bool isWordAt(size_t at) const { return at < m_text.size() && is(m_text[at], kWord); }

    void name(size_t at, std::string_view name, DetailKind kind) {
        const size_t end = at + name.size();
        if (!name.empty() && fw::StartsWithIgnoringCase(m_text.substr(at), name) && (at == 0 || !isWordAt(at - 1)) &&
            !isWordAt(end))
            add(at, end, kind, true);
    }

    // Folders under \Users\ are users' names; the shared ones are not.
    void userFolder(size_t at) {
        static const char* const shared[] = {"Public", "Default", "Default User", "All Users"};
        if (!fw::StartsWithIgnoringCase(m_text.substr(at), "\\users\\")) return;
        const size_t begin = at + 7;
        size_t end = begin;
        while (end < m_text.size() && !is(m_text[end], kFolderEnd)) ++end;
        if (end == begin || end == m_text.size() || (m_text[end] != '\\' && m_text[end] != '/')) return;
        const std::string_view folder = m_text.substr(begin, end - begin);
        for (const char* name : shared)
            if (fw::EqualIgnoringCase(folder, name)) return;
        add(begin, end, DetailKind::User);
    }

    void email(size_t middle) {
        size_t begin = middle, stop = middle + 1;
        while (begin > 0 && is(m_text[begin - 1], kEmailLocal)) --begin;
        while (begin < middle && m_text[begin] == '.') ++begin;
        while (stop < m_text.size() && is(m_text[stop], kDomain)) ++stop;
        while (stop > middle + 1 && (m_text[stop - 1] == '.' || m_text[stop - 1] == '-')) --stop;
        const std::string_view domain = m_text.substr(middle + 1, stop - middle - 1);
        if (begin != middle && domain.find('.') != std::string_view::npos && is(domain.front(), kAlnum))
            add(begin, stop, DetailKind::Email);
    }

    // Four numbers of up to three digits, 0 to 255, joined by dots, that are not part of a longer
    // run of numbers and dots (a version such as 6.1.7601.0 is no address). Only the first dot
    // after an address's first number can find it.
    void ipv4(size_t dot) {
        size_t begin = dot;
        while (begin > 0 && is(m_text[begin - 1], kDigit)) --begin;
        if (begin == dot || (begin > 0 && (is(m_text[begin - 1], kAlnum) || m_text[begin - 1] == '.'))) return;
        size_t at = begin;
        int parts = 0;
        for (; parts < 4; ++parts) {
            const size_t start = at;
            unsigned value = 0;
            while (at < m_text.size() && is(m_text[at], kDigit) && at - start < 4)
                value = value * 10 + (m_text[at++] - '0');
            if (at == start || at - start > 3 || value > 255) return;
            if (parts < 3) {
                if (at >= m_text.size() || m_text[at] != '.') return;
                ++at;
            }
        }
        const bool longer = at < m_text.size() && (is(m_text[at], kAlnum) || (m_text[at] == '.' && at + 1 < m_text.size() &&
                                                                               is(m_text[at + 1], kDigit)));
        if (!longer) add(begin, at, DetailKind::Ipv4);
    }

    // A run of hexadecimal digits and colons is looked at once, from its first colon.
    void ipv6(size_t colon) {
        if (colon < m_ipv6End) return;
        size_t begin = colon, stop = colon;
        while (begin > 0 && (is(m_text[begin - 1], kHex) || m_text[begin - 1] == ':')) --begin;
        while (stop < m_text.size() && (is(m_text[stop], kHex) || m_text[stop] == ':')) ++stop;
        m_ipv6End = stop;
        if ((begin > 0 && (is(m_text[begin - 1], kWord) || m_text[begin - 1] == '.')) ||
            (stop < m_text.size() && (is(m_text[stop], kWord) || m_text[stop] == '.')))
            return;
        if (isIpv6(m_text.substr(begin, stop - begin))) add(begin, stop, DetailKind::Ipv6);
    }

    const std::string_view m_text, m_user, m_computer;
    CPlaceholderMap& m_map;
    Put& m_put;
    bool m_starts[256] = {};  // the bytes where a detail may start or be found from
    size_t m_ipv6End = 0;     // the end of the last run looked at for an IPv6 address
    std::vector<Span> m_found;  // found and not yet put, in order
    size_t m_copied = 0;        // the text before this is put
    size_t m_runChecked = 0, m_runStart = 0;  // the run of e-mail characters that reaches m_runChecked
};

// The text with every detail after its first `keep` bytes replaced, handed to `put` in parts.
template <class Put>
void hideDetails(std::string_view text, size_t keep, const MachineNames& names, CPlaceholderMap& map, Put& put) {
    keep = std::min(keep, text.size());
    put(text.substr(0, keep));
    CDetailHider<Put>(text.substr(keep), names, map, put).Run();
}

// The log's new text gathered into pieces before each write: a log of many megabytes is not
// held a second time, and fresh memory costs a page fault every 4 KB.
class CPieceWriter {
public:
    explicit CPieceWriter(CLogFile& file) : m_file(file) { m_piece.reserve(kPiece); }

    void operator()(std::string_view text) {
        if (m_piece.size() + text.size() > kPiece) Flush();
        if (text.size() < kPiece) {
            m_piece.append(text);
            return;
        }
        for (size_t at = 0; at < text.size(); at += kPiece)
            m_file.Write(text.data() + at, static_cast<DWORD>(std::min(kPiece, text.size() - at)));
    }
    void Flush() {
        if (!m_piece.empty()) m_file.Write(m_piece.data(), static_cast<DWORD>(m_piece.size()));
        m_piece.clear();
    }

private:
    static constexpr size_t kPiece = 256 * 1024;
    CLogFile& m_file;
    std::string m_piece;
};

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
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    const auto put = [&out](std::string_view part) { out.append(part); };
    hideDetails(text, keep, names, map, put);
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
    // The new log is written beside the old and put in its place once the map is kept.
    CLogFile log(logPath);
    if (!log.Create()) return log.error();
    CPieceWriter writer(log);
    hideDetails(original, LogHeaderLength(original), CurrentMachineNames(), map, writer);
    writer.Flush();
    if (log.error()) return log.error();
    error = WriteWholeLog(mapPath, map.Text());
    if (error) return error;
    log.Commit();
    return log.error();
}
