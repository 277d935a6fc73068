#include "log/TextFileFilter.h"

#include <array>

namespace {

// A name held longer than this is written in pieces: a file of one endless line costs no memory.
constexpr size_t kLongestHeldName = 64 * 1024;

constexpr unsigned char kBinary = 1, kLineBreak = 2, kEquals = 4;

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

}  // namespace

void CTextFileFilter::Filter(std::string_view piece, std::string& out) {
    const char* at = piece.data();
    const char* const end = at + piece.size();
    while (at != end) {
        // The run of plain text up to the next byte that matters in this state.
        const unsigned char stops = m_state == State::Name ? kBinary | kLineBreak | kEquals : kBinary | kLineBreak;
        const char* const run = at;
        while (at != end && !(kindOf(*at) & stops)) ++at;
        take(run, at, out);
        if (at == end) break;
        const char c = *at++;
        const unsigned char kind = kindOf(c);
        if (kind & kBinary) {
            ++m_leftOut;
        } else if (kind & kLineBreak) {
            endLine(out);
            out += c;
        } else {
            endName(out);
        }
    }
}

void CTextFileFilter::Finish(std::string& out) { endLine(out); }

void CTextFileFilter::take(const char* begin, const char* end, std::string& out) {
    switch (m_state) {
    case State::Name:
        m_name.append(begin, end);
        if (m_name.size() > kLongestHeldName) {
            // Keep the tail that a word may go on from; the rest is written now.
            m_secret = m_secret || m_names.ContainsWord(m_name);
            const size_t written = m_name.size() - m_names.Overlap();
            out.append(m_name, 0, written);
            m_name.erase(0, written);
            m_nameCut = true;
        }
        break;
    case State::Value:
        out.append(begin, end);
        break;
    case State::Hidden:
        if (m_marked) break;
        while (begin != end && (*begin == ' ' || *begin == '\t')) out += *begin++;
        if (begin != end) {
            out += HiddenDataText();
            m_marked = true;
        }
        break;
    }
}

void CTextFileFilter::endName(std::string& out) {
    const bool secret = m_secret || (m_nameCut ? m_names.ContainsWord(m_name) : m_names.Matches(m_name));
    out += m_name;
    out += '=';
    m_name.clear();
    m_nameCut = m_secret = false;
    m_state = secret ? State::Hidden : State::Value;
    m_marked = false;
}

void CTextFileFilter::endLine(std::string& out) {
    if (m_state == State::Name) {
        out += m_name;
        m_name.clear();
        m_nameCut = m_secret = false;
    } else if (m_state == State::Hidden && !m_marked) {
        out += HiddenDataText();
    }
    m_state = State::Name;
}
