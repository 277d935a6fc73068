// System files read as INI text: loading one and writing one of its sections to the log.
#include <windows.h>

#include <cstdint>
#include <cstring>
#include <new>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "framework/Handles.h"
#include "log/IniDump.h"
#include "log/LogLayout.h"
#include "log/SystemFilePath.h"
#include "zelkor.h"

namespace {

bool isBlank(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

std::string_view trimmed(std::string_view line) {
    while (!line.empty() && isBlank(line.front())) line.remove_prefix(1);
    while (!line.empty() && isBlank(line.back())) line.remove_suffix(1);
    return line;
}

bool sameIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && _strnicmp(a.data(), b.data(), a.size()) == 0;
}

// The first CR or NUL from `p` on. Every line of a dumped file passes through this scan, so it
// tests eight bytes at once. Its aligned word reads may
// pass the terminating NUL but never leave the NUL's word, so never its memory page.
const char* findLineEnd(const char* p) {
    for (; reinterpret_cast<uintptr_t>(p) % sizeof(uint64_t) != 0; ++p)
        if (*p == '\r' || *p == '\0') return p;
    constexpr uint64_t kOnes = 0x0101010101010101ull, kHighBits = 0x8080808080808080ull, kCrs = kOnes * '\r';
    for (;; p += sizeof(uint64_t)) {
        uint64_t word;
        memcpy(&word, p, sizeof word);
        const uint64_t crs = word ^ kCrs;  // zero bytes where the word has a CR
        if (((word - kOnes) & ~word & kHighBits) | ((crs - kOnes) & ~crs & kHighBits)) break;
    }
    while (*p != '\r' && *p != '\0') ++p;
    return p;
}

// Lines of a loaded text: each ends in CR, and the character after the CR (the LF of the pair)
// is skipped unseen. The text ends at its first NUL, even right after a CR.
class LineReader {
public:
    explicit LineReader(const char* text) : m_next(text) {}

    bool next(std::string_view& line) {
        if (!m_next) return false;
        const char* end = findLineEnd(m_next);
        line = std::string_view(m_next, static_cast<size_t>(end - m_next));
        if (*end == '\0')
            m_next = nullptr;
        else
            m_next = end[1] != '\0' ? end + 2 : end + 1;
        return true;
    }

private:
    const char* m_next;
};

// Section headers compare as the C library's case-insensitive comparison does: ASCII letters only.
char foldedCase(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

std::string folded(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = foldedCase(c);
    return out;
}

std::string headerOf(const char* section) { return std::string("[") + section + "]"; }

// The first line that reads as the section's header; the lines after it are the section's.
bool findSection(const char* text, const char* section, LineReader& body) {
    const std::string header = headerOf(section);
    body = LineReader(text);
    std::string_view line;
    while (body.next(line))
        if (sameIgnoringCase(trimmed(line), header)) return true;
    return false;
}

void writeSection(const char* section, LineReader lines) {
    std::string heading;
    AppendEscaped(heading, section);
    ZKLogSubsection(heading.c_str());
    std::string body;
    std::string_view line;
    while (lines.next(line)) {
        line = trimmed(line);
        if (line.empty() || line.front() == ';') continue;
        if (line.front() == '[') break;
        const size_t equals = line.find('=');
        if (equals == std::string_view::npos)
            AppendIniEntry(body, {}, line);
        else
            AppendIniEntry(body, line.substr(0, equals), line.substr(equals + 1));
    }
    body += "\r\n";
    ZKLogWrite(body.c_str());
}

// Every line that could be a section's header, found in one pass: where its section starts, by
// its case-folded text. The first of equal headers wins, as a search from the top finds it.
class SectionIndex {
public:
    explicit SectionIndex(const char* text) {
        LineReader lines(text);
        std::string_view line;
        while (lines.next(line)) {
            line = trimmed(line);
            if (line.size() >= 2 && line.front() == '[' && line.back() == ']') m_bodies.emplace(folded(line), lines);
        }
    }

    const LineReader* find(const char* section) const {
        const auto found = m_bodies.find(folded(headerOf(section)));
        return found == m_bodies.end() ? nullptr : &found->second;
    }

private:
    std::unordered_map<std::string, LineReader> m_bodies;
};

}  // namespace

HGLOBAL LoadIniFile(const char* fileName, DWORD& size) {
    fw::UniqueFile file(OpenSystemFileToRead(fileName));
    if (!file) return nullptr;
    size = GetFileSize(file.get(), nullptr);
    if (size == INVALID_FILE_SIZE) return nullptr;
    // Fixed and zero-filled, one byte longer than the file: the text is NUL-terminated.
    fw::UniqueGlobal block(GlobalAlloc(GMEM_FIXED | GMEM_ZEROINIT, size + 1ull));
    DWORD read = 0;
    if (!block || !ReadFile(file.get(), block.get(), size, &read, nullptr)) return nullptr;
    size = read;
    return block.release();
}

HGLOBAL WINAPI ZKLoadIniFile(LPCSTR fileName) {
    DWORD size = 0;
    return fileName ? LoadIniFile(fileName, size) : nullptr;
}

void WINAPI ZKLogIniSection(HGLOBAL loadedFile, LPCSTR section) {
    if (!loadedFile || !section) return;
    const char* text = static_cast<const char*>(GlobalLock(loadedFile));
    if (!text) return;
    try {
        LineReader body(nullptr);
        if (findSection(text, section, body)) writeSection(section, body);
    } catch (const std::bad_alloc&) {
        // Nothing more can be written for this section.
    }
    GlobalUnlock(loadedFile);
}

void LogIniSections(const char* text, const std::vector<std::string>& sections) {
    try {
        const SectionIndex index(text);
        for (const std::string& section : sections)
            if (const LineReader* body = index.find(section.c_str())) writeSection(section.c_str(), *body);
    } catch (const std::bad_alloc&) {
        // The log stays as far as it got.
    }
}
