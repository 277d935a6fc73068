#include "log/TextFileFilter.h"

#include <array>

namespace {

// A name held longer than this is written in pieces: a file of one endless line costs no memory.
constexpr size_t kLongestHeldName = 64 * 1024;

constexpr unsigned char kBinary = 1, kLineBreak = 2, kEquals = 4, kWordStart = 8;

// Printable characters of the ANSI code page, tab and line ends are text; everything else is binary.
constexpr std::array<unsigned char, 256> byteKinds() {
    std::array<unsigned char, 256> kinds{};
    for (int byte = 0; byte < 0x20; ++byte) kinds[byte] = kBinary;
    kinds['\t'] = 0;
    kinds['\r'] = kinds['\n'] = kLineBreak;
    kinds['='] = kEquals;
    kinds[0x7F] = kBinary;
    return kinds;
}
constexpr std::array<unsigned char, 256> kKinds = byteKinds();

unsigned char kindOf(char c) { return kKinds[static_cast<unsigned char>(c)]; }

// The first byte from `at` on of a kind in `stops`. Four bytes a round: a loop of one byte
// a round ran a third slower or faster by where the compiler happened to place it.
const char* nextOfKind(const char* at, const char* end, unsigned char stops) {
    for (; end - at >= 4; at += 4)
        if ((kindOf(at[0]) | kindOf(at[1]) | kindOf(at[2]) | kindOf(at[3])) & stops) break;
    while (at != end && !(kindOf(*at) & stops)) ++at;
    return at;
}

}  // namespace

CTextFileFilter::CTextFileFilter(const CSecretNames& names)
    : m_names(names), m_kinds(kKinds), m_lineState(names.empty() ? State::Value : State::Name), m_state(m_lineState) {
    for (int byte = 0; byte < 256; ++byte)
        if (names.MayStartWordWith(static_cast<char>(byte))) m_kinds[byte] |= kWordStart;
}

void CTextFileFilter::Filter(std::string_view piece, std::string& out) {
    const char* at = piece.data();
    const char* const end = at + piece.size();
    if (m_state == State::Name) {
        m_nameStart = out.size();
        if (m_lastNameByte >= 0 && at != end)
            m_mayBeSecret = m_mayBeSecret || m_names.MayStartWord(static_cast<char>(m_lastNameByte), *at);
        m_lastNameByte = -1;
    }
    while (at != end) {
        if (m_state != State::Name || m_mayBeSecret || !plainLines(at, end, out)) {
            // The run of plain text up to the next byte that matters in this state; with no words
            // listed, line ends do not.
            const unsigned char stops = m_state == State::Name    ? kBinary | kLineBreak | kEquals
                                        : m_lineState == State::Value ? kBinary
                                                                      : kBinary | kLineBreak;
            const char* const run = at;
            at = nextOfKind(at, end, stops);
            if (m_state == State::Name) scanName(run, at, end, out);
            else take(run, at, out);
        }
        if (at == end) break;
        const char c = *at++;
        const unsigned char kind = kindOf(c);
        if (kind & kBinary) {
            ++m_leftOut;
            // The bytes on either side of it are not paired: the name is looked at again.
            if (m_state == State::Name) m_mayBeSecret = true;
        } else if (kind & kLineBreak) {
            endLine(out);
            out += c;
            m_nameStart = out.size();
        } else {
            endName(out);
        }
    }
    if (m_state == State::Name) holdName(out);
}

void CTextFileFilter::Finish(std::string& out) { endLine(out); }

bool CTextFileFilter::plainLines(const char*& at, const char* end, std::string& out) {
    // One pass over the lines as a copy without masking makes, pairing the bytes before each '='.
    const char* line = at;  // the start of the line looked at
    const char* stop = at;
    bool may = false, equals = false;
    constexpr unsigned char nameStops = kBinary | kLineBreak | kEquals;
    const auto kind = [this](char c) { return m_kinds[static_cast<unsigned char>(c)]; };
    for (;;) {
        // The name, four bytes a round as the copy without masking scans; only a round that
        // holds a byte a word starts with has its pairs looked up, each without a branch.
        for (; end - stop > 4; stop += 4) {
            const unsigned char kinds = kind(stop[0]) | kind(stop[1]) | kind(stop[2]) | kind(stop[3]);
            if (kinds & nameStops) break;
            if (kinds & kWordStart)
                may |= m_names.MayStartWord(stop[0], stop[1]) | m_names.MayStartWord(stop[1], stop[2]) |
                       m_names.MayStartWord(stop[2], stop[3]) | m_names.MayStartWord(stop[3], stop[4]);
        }
        for (; stop != end && !(kind(*stop) & nameStops); ++stop)
            if ((kind(*stop) & kWordStart) && stop + 1 != end) may |= m_names.MayStartWord(stop[0], stop[1]);
        // A line with no '=' (a section, a comment) is copied whatever its words.
        if (may && stop != end && (kindOf(*stop) & kLineBreak)) may = false;
        if (may) break;
        equals = stop != end && *stop == '=';
        if (equals) stop = nextOfKind(stop + 1, end, kBinary | kLineBreak);
        if (stop == end || (kindOf(*stop) & kBinary)) break;
        // A CR LF ends one line, not two.
        if (*stop++ == '\r' && stop != end && *stop == '\n') ++stop;
        line = stop;
    }
    if (may && line == at) {
        m_mayBeSecret = true;
        return false;
    }
    if (may) {
        // The lines before it are copied; the break before it is the caller's.
        out.append(at, line - 1);
        at = line - 1;
        return true;
    }
    out.append(at, stop);
    if (line != at || equals) endLine(out);
    if (equals) m_state = State::Value;
    else if (stop == end && stop != line) m_lastNameByte = static_cast<unsigned char>(stop[-1]);
    // Where the last line's name starts, should a later piece go on with it.
    if (line != at) m_nameStart = out.size() - static_cast<size_t>(stop - line);
    at = stop;
    return true;
}

void CTextFileFilter::scanName(const char* begin, const char* stop, const char* end, std::string& out) {
    // Every pair of neighbouring bytes, the last of the piece paired with the next piece's first.
    const char* const paired = stop == end && begin != stop ? stop - 1 : stop;
    bool may = false;
    for (const char* at = begin; at < paired; ++at) may |= m_names.MayStartWord(at[0], at[1]);
    if (paired != stop) m_lastNameByte = static_cast<unsigned char>(*paired);
    m_mayBeSecret = m_mayBeSecret || may;
    out.append(begin, stop);
}

void CTextFileFilter::holdName(std::string& out) {
    m_name.append(out, m_nameStart, std::string::npos);
    if (m_name.size() > kLongestHeldName) {
        // Keep only the tail that a word may go on from.
        m_secret = m_secret || m_names.ContainsWord(m_name);
        m_name.erase(0, m_name.size() - m_names.Overlap());
        m_nameCut = true;
    }
}

void CTextFileFilter::take(const char* begin, const char* end, std::string& out) {
    if (m_state == State::Value) {
        out.append(begin, end);
    } else if (!m_marked) {
        while (begin != end && (*begin == ' ' || *begin == '\t')) out += *begin++;
        if (begin != end) {
            out += HiddenDataText();
            m_marked = true;
        }
    }
}

void CTextFileFilter::endName(std::string& out) {
    bool secret = m_secret;
    if (m_mayBeSecret && !secret) {
        m_name.append(out, m_nameStart, std::string::npos);
        secret = m_nameCut ? m_names.ContainsWord(m_name) : m_names.Matches(m_name);
    }
    out += '=';
    endLine(out);
    m_state = secret ? State::Hidden : State::Value;
}

void CTextFileFilter::endLine(std::string& out) {
    if (m_state == State::Hidden && !m_marked) out += HiddenDataText();
    m_name.clear();
    m_lastNameByte = -1;
    m_mayBeSecret = m_nameCut = m_secret = m_marked = false;
    m_state = m_lineState;
}
