// System files read as INI text: loading one and writing one of its sections to the log.
#include <windows.h>

#include <cstring>
#include <new>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "framework/AsciiCase.h"
#include "framework/ByteScan.h"
#include "framework/Handles.h"
#include "log/IniDump.h"
#include "log/LogFile.h"
#include "log/LogLayout.h"
#include "log/SecretNames.h"
#include "log/SystemFilePath.h"

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

// Lines of a text: each ends in CR, and the character after the CR (the LF of the pair) is
// skipped unseen. A text that ends in a CR has one more, empty, line.
class LineReader {
public:
    LineReader() = default;
    explicit LineReader(std::string_view text) : m_next(text.data()), m_end(text.data() + text.size()) {}

    bool next(std::string_view& line) {
        if (!m_next) return false;
        const char* end = fw::FindByte(m_next, m_end, '\r');
        line = std::string_view(m_next, static_cast<size_t>(end - m_next));
        if (end == m_end)
            m_next = nullptr;
        else
            m_next = end + 1 != m_end ? end + 2 : end + 1;
        return true;
    }

private:
    const char* m_next = nullptr;
    const char* m_end = nullptr;
};

// Section headers compare as the C library's case-insensitive comparison does: ASCII letters only.
std::string folded(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = fw::AsciiLower(c);
    return out;
}

std::string headerOf(const char* section) { return std::string("[") + section + "]"; }

// The first line that reads as the section's header; the lines after it are the section's.
bool findSection(std::string_view text, const char* section, LineReader& body) {
    const std::string header = headerOf(section);
    body = LineReader(text);
    std::string_view line;
    while (body.next(line))
        if (sameIgnoringCase(trimmed(line), header)) return true;
    return false;
}

// Writes each section's heading and entries.
void writeSection(CLogBuffer& log, const char* section, LineReader lines, const CSecretNames& names) {
    std::string& out = log.text();
    std::string heading;
    AppendEscaped(heading, section);
    AppendSubsectionHeading(out, heading.c_str());
    std::string_view line;
    while (lines.next(line)) {
        line = trimmed(line);
        if (line.empty() || line.front() == ';') continue;
        if (line.front() == '[') break;
        const size_t equals = line.find('=');
        if (equals == std::string_view::npos)
            AppendIniEntry(out, {}, line);
        else if (names.Matches(line.substr(0, equals)))
            AppendIniEntry(out, line.substr(0, equals), HiddenDataText());
        else
            AppendIniEntry(out, line.substr(0, equals), line.substr(equals + 1));
        log.WriteWhenFull();
    }
    out += "\r\n";
}

// Every line that could be a section's header, found in one pass: where its section starts, by
// its case-folded text. The first of equal headers wins, as a search from the top finds it.
class SectionIndex {
public:
    explicit SectionIndex(std::string_view text) {
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

HGLOBAL LoadIniFile(const char* fileName) {
    if (!fileName) return nullptr;
    fw::UniqueFile file(OpenSystemFileToRead(fileName));
    if (!file) return nullptr;
    const DWORD size = GetFileSize(file.get(), nullptr);
    if (size == INVALID_FILE_SIZE) return nullptr;
    // Fixed and zero-filled, one byte longer than the file: the text is NUL-terminated.
    fw::UniqueGlobal block(GlobalAlloc(GMEM_FIXED | GMEM_ZEROINIT, size + 1ull));
    DWORD read = 0;
    if (!block || !ReadFile(file.get(), block.get(), size, &read, nullptr)) return nullptr;
    return block.release();
}

void LogIniSection(HGLOBAL loadedFile, const char* section) {
    if (!loadedFile || !section) return;
    const char* text = static_cast<const char*>(GlobalLock(loadedFile));
    if (!text) return;
    try {
        LineReader body;
        CLogBuffer log;
        if (findSection(text, section, body)) writeSection(log, section, body, SecretNames());
    } catch (const std::bad_alloc&) {
        // Nothing more can be written for this section; the log says so.
        MarkLogPartCut([&] { return std::string(section); });
    }
    GlobalUnlock(loadedFile);
}

void LogIniSections(std::string_view text, const std::vector<std::string>& sections, const CSecretNames& names) {
    const SectionIndex index(text);
    CLogBuffer log;
    for (const std::string& section : sections)
        if (const LineReader* body = index.find(section.c_str())) writeSection(log, section.c_str(), *body, names);
}
