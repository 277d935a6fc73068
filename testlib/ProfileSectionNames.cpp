#include "testlib/ProfileSectionNames.h"

#include <windows.h>

#include <cctype>
#include <cstdint>
#include <cstring>

#include "framework/ByteScan.h"
#include "framework/Handles.h"
#include "registry/RegistryKey.h"

namespace {

// Room for about 20,000 names at once: each asking reads the whole file anew.
const DWORD kSectionNamesFirstSize = 256 * 1024;

// The platform's answer. Its list is cut when it does not fit, which it tells by returning the
// buffer's size less two, so the list is asked for again with more room until it fits.
std::vector<std::string> AskProfileFunctions(const char* fileName) {
    std::vector<char> names(kSectionNamesFirstSize);
    for (;;) {
        const DWORD size = static_cast<DWORD>(names.size());
        const DWORD length = GetPrivateProfileSectionNamesA(names.data(), size, fileName);
        if (length == 0) return {};
        if (length < size - 2 || size >= 0x40000000) break;
        names.assign(size * 4ull, '\0');
    }
    std::vector<std::string> list;
    for (const char* name = names.data(); *name; name += strlen(name) + 1) list.emplace_back(name);
    return list;
}

bool IsDriveLetter(char c) { return isalpha(static_cast<unsigned char>(c)) != 0; }

// Where the profile functions look for the file: a bare name in the Windows directory, a full
// path as it is. False for the other kinds of path, which they resolve in their own way.
bool ProfilePath(const char* fileName, std::string& path) {
    const bool bare = !strpbrk(fileName, "\\/") && !(IsDriveLetter(fileName[0]) && fileName[1] == ':');
    if (bare) {
        char windows[MAX_PATH];
        const UINT length = GetWindowsDirectoryA(windows, MAX_PATH);
        if (length == 0 || length >= MAX_PATH) return false;
        path = std::string(windows) + "\\" + fileName;
        return true;
    }
    const auto isSlash = [](char c) { return c == '\\' || c == '/'; };
    const bool full = (IsDriveLetter(fileName[0]) && fileName[1] == ':' && isSlash(fileName[2])) ||
                      (isSlash(fileName[0]) && fileName[1] == fileName[0]);
    if (full) path = fileName;
    return full;
}

// A file that the system maps wholly or partly to the registry: only the platform knows its sections.
bool MappedToRegistry(const std::string& path) {
    const std::string name = path.substr(path.find_last_of("\\/") + 1);
    const std::string key = "Software\\Microsoft\\Windows NT\\CurrentVersion\\IniFileMapping\\" + name;
    return CRegistryKey(HKEY_LOCAL_MACHINE, key.c_str(), false).handle() != nullptr;
}

// The profile functions' blanks: the C white space, and ^Z, the old end-of-file mark.
bool IsProfileBlank(char c) { return c == ' ' || (c >= '\t' && c <= '\r') || c == 0x1a; }

// True when every byte of the block is 7-bit and none is NUL: text that every ANSI code page
// reads as ASCII, and that no Unicode mark begins.
bool IsPlainAscii(const char* bytes, size_t size) {
    size_t at = 0;
    for (; at + sizeof(uint64_t) <= size; at += sizeof(uint64_t)) {
        uint64_t word;
        memcpy(&word, bytes + at, sizeof word);
        if ((word & fw::kByteHighBits) || fw::HasZeroByte(word)) return false;
    }
    for (; at < size; ++at)
        if (bytes[at] == '\0' || (bytes[at] & 0x80)) return false;
    return true;
}

// Reads section names from a file handed over in blocks. A line ends at a CR or an LF and is
// trimmed of blanks; one that then starts with '[' and holds a ']' names the section written
// between the '[' and its last ']', trimmed of blanks too. An empty name is no section.
class SectionNameReader {
public:
    void read(const char* bytes, size_t size) {
        const char* const end = bytes + size;
        while (bytes != end) {
            switch (m_state) {
            case State::LineStart:
                while (bytes != end && IsProfileBlank(*bytes)) ++bytes;  // blank lines too
                if (bytes == end) break;
                m_state = *bytes == '[' ? State::Header : State::OtherLine;
                m_header.clear();
                break;
            case State::OtherLine:
            case State::Header: {
                const char* lineEnd = fw::FindEitherByte(bytes, end, '\r', '\n');
                if (m_state == State::Header) m_header.append(bytes, lineEnd);
                if (lineEnd == end) return;
                endLine();
                bytes = lineEnd + 1;
                break;
            }
            }
        }
    }

    std::vector<std::string> finish() {
        endLine();
        return std::move(m_names);
    }

private:
    enum class State { LineStart, OtherLine, Header };

    void endLine() {
        if (m_state == State::Header) {
            const size_t close = m_header.rfind(']');
            if (close != std::string::npos) {
                size_t first = 1, last = close;
                while (first < last && IsProfileBlank(m_header[first])) ++first;
                while (last > first && IsProfileBlank(m_header[last - 1])) --last;
                if (first < last) m_names.push_back(m_header.substr(first, last - first));
            }
        }
        m_state = State::LineStart;
    }

    State m_state = State::LineStart;
    std::string m_header;
    std::vector<std::string> m_names;
};

}  // namespace

std::vector<std::string> ProfileSectionNames(const char* fileName) {
    std::string path;
    if (!ProfilePath(fileName, path) || MappedToRegistry(path)) return AskProfileFunctions(fileName);
    // Opened as the profile functions open it; when it cannot be, they report no sections.
    const fw::UniqueFile file(CreateFileA(path.c_str(), GENERIC_READ,
                                          FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return {};
    SectionNameReader reader;
    std::vector<char> block(64 * 1024);
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(file.get(), block.data(), static_cast<DWORD>(block.size()), &got, nullptr))
            return AskProfileFunctions(fileName);
        if (got == 0) break;
        if (!IsPlainAscii(block.data(), got)) return AskProfileFunctions(fileName);
        reader.read(block.data(), got);
    }
    return reader.finish();
}
