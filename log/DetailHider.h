// The one pass that finds personal details in a text and hands the text on with each replaced
// by its placeholder; shared by the text and the log file forms of PersonalDetails.h.
#pragma once
#include <algorithm>
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "framework/AsciiCase.h"
#include "log/DetailScan.h"
#include "log/PersonalDetails.h"

namespace detail_hiding {

// What each byte can be part of, one table look-up each.
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
inline constexpr std::array<unsigned char, 256> kClasses = byteClasses();

inline bool is(char c, unsigned char kind) { return (kClasses[static_cast<unsigned char>(c)] & kind) != 0; }

struct Span {
    size_t begin, end;
    DetailKind kind;
    bool named;  // the user's or the computer's name, as a name
};

// Groups of up to four hexadecimal digits joined by colons: eight of them, or fewer with one
// "::". Times (12:30:45) and hardware addresses have neither.
inline bool isIpv6(std::string_view token) {
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
    // `vector`: whether the processor's vector instructions may be used where it has them.
    CDetailHider(std::string_view text, const MachineNames& names, CPlaceholderMap& map, Put& put, bool vector)
        : m_text(text), m_user(names.user), m_computer(names.computer), m_map(map), m_put(put), m_vector(vector) {
        // What must stand on either side of the byte that finds an address: a character of its
        // local part before an e-mail address's '@' and a letter or digit after it; digits around
        // an IPv4 address's first dot; a hexadecimal digit or another colon after the first colon
        // of an IPv6 address; "u" after the backslash before "Users".
        for (int byte = 0; byte < 256; ++byte) {
            const char c = static_cast<char>(byte);
            m_before[byte] = kColon | kBackslash | (is(c, kEmailLocal) ? kAt : 0) | (is(c, kDigit) ? kDot : 0);
            m_second[byte] = (is(c, kAlnum) ? kAt : 0) | (is(c, kDigit) ? kDot : 0) |
                             (is(c, kHex) || c == ':' ? kColon : 0) | (fw::AsciiLower(c) == 'u' ? kBackslash : 0);
        }
        m_first[static_cast<unsigned char>('@')] = kAt;
        m_first[static_cast<unsigned char>('.')] = kDot;
        m_first[static_cast<unsigned char>(':')] = kColon;
        m_first[static_cast<unsigned char>('\\')] = kBackslash;
        addName(m_user, kUserName);
        addName(m_computer, kComputerName);
    }

    void Run() {
        const auto* const text = reinterpret_cast<const unsigned char*>(m_text.data());
        const size_t size = m_text.size();
        const auto lookAt = [&](size_t at, unsigned bits) {
            look(at, bits);
            if (m_found.size() >= kHeld) putBefore(settledBefore(at));
        };
        // The bytes on either side rule out most bytes that may begin something; the first and
        // last byte have only one side and are looked at whatever their neighbour.
        const auto bitsAt = [&](size_t at) { return m_before[text[at - 1]] & m_first[text[at]] & m_second[text[at + 1]]; };
        if (size > 0 && m_first[text[0]]) lookAt(0, m_first[text[0]]);
        if (size < 2) return finish();
        // Whole blocks of sixteen, each with a byte after it.
        const CDetailScan scan(m_user, m_computer, m_first, m_vector);
        const unsigned char* const blocksEnd = text + 1 + (size - 2) / 16 * 16;
        size_t found[256];
        for (const unsigned char* block = text + 1; block != blocksEnd;) {
            const size_t count = scan.Collect(text, block, blocksEnd, found, sizeof found / sizeof *found);
            for (size_t i = 0; i < count; ++i)
                if (const unsigned bits = bitsAt(found[i])) lookAt(found[i], bits);
        }
        for (size_t at = static_cast<size_t>(blocksEnd - text); at + 1 < size; ++at)
            if (const unsigned bits = bitsAt(at)) lookAt(at, bits);
        if (m_first[text[size - 1]]) lookAt(size - 1, m_first[text[size - 1]]);
        finish();
    }

private:
    static constexpr size_t kHeld = 32;  // details found before those settled are put
    enum : unsigned char { kAt = 1, kDot = 2, kColon = 4, kBackslash = 8, kUserName = 16, kComputerName = 32 };

    void finish() {
        putBefore(m_text.size());
        m_put(m_text.substr(m_copied));
    }

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
            m_put(placeholderOf(span));
            m_copied = span.end;
        }
        m_found.erase(m_found.begin(), m_found.begin() + static_cast<ptrdiff_t>(done));
    }

    // A name's bytes in the tables: its first letter in either case, a byte that is no part of a
    // word before it, and its second letter (or, for a name of one letter, no word byte) after.
    void addName(std::string_view name, unsigned char bit) {
        if (name.empty()) return;
        m_first[static_cast<unsigned char>(fw::AsciiLower(name[0]))] |= bit;
        m_first[static_cast<unsigned char>(fw::AsciiUpper(name[0]))] |= bit;
        for (int byte = 0; byte < 256; ++byte) {
            const char c = static_cast<char>(byte);
            if (!is(c, kWord)) m_before[byte] |= bit;
            if (name.size() > 1 ? fw::AsciiLower(c) == fw::AsciiLower(name[1]) : !is(c, kWord)) m_second[byte] |= bit;
        }
    }

    // The names are the same wherever they are found: their placeholders are asked for once.
    const std::string& placeholderOf(const Span& span) {
        const std::string_view original = m_text.substr(span.begin, span.end - span.begin);
        if (!span.named) return m_map.PlaceholderFor(span.kind, original);
        std::string& known = m_namePlaceholders[span.kind == DetailKind::User ? 0 : 1];
        if (known.empty()) known = m_map.PlaceholderFor(span.kind, original);
        return known;
    }

    void look(size_t at, unsigned bits) {
        if (bits & kAt) email(at);
        if (bits & kDot) ipv4(at);
        if (bits & kColon) ipv6(at);
        if (bits & kBackslash) userFolder(at);
        if (bits & kUserName) name(at, m_user, DetailKind::User);
        if (bits & kComputerName) name(at, m_computer, DetailKind::Computer);
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
    const bool m_vector;
    // For each byte, which of the things found (from an address's byte, or the user's or the
    // computer's name) it may begin, may stand before and may stand after.
    unsigned char m_first[256] = {}, m_before[256], m_second[256];
    std::string m_namePlaceholders[2];  // the user's and the computer's, once asked for
    size_t m_ipv6End = 0;     // the end of the last run looked at for an IPv6 address
    std::vector<Span> m_found;  // found and not yet put, in order
    size_t m_copied = 0;        // the text before this is put
    size_t m_runChecked = 0, m_runStart = 0;  // the run of e-mail characters that reaches m_runChecked
};

// The text with every detail after its first `keep` bytes replaced, handed to `put` in parts.
template <class Put>
void hideDetails(std::string_view text, size_t keep, const MachineNames& names, CPlaceholderMap& map, Put& put,
                 bool vector = true) {
    keep = std::min(keep, text.size());
    put(text.substr(0, keep));
    CDetailHider<Put>(text.substr(keep), names, map, put, vector).Run();
}

}  // namespace detail_hiding
