#include "editors/SystemFileText.h"

#include <algorithm>

namespace {
// What a NUL byte looks like in a file that is shown read-only (a middle dot).
constexpr char kNulStandIn = '\xB7';

std::string Replaced(const std::string& text, const std::string& from, const std::string& to) {
    std::string result;
    result.reserve(text.size() + text.size() / 32);
    size_t start = 0;
    for (size_t found; (found = text.find(from, start)) != std::string::npos; start = found + from.size())
        result.append(text, start, found - start).append(to);
    return result.append(text, start, std::string::npos);
}
}  // namespace

ShownFile ShowFileBytes(std::string bytes) {
    ShownFile shown;
    shown.hasNul = bytes.find('\0') != std::string::npos;
    if (shown.hasNul) std::replace(bytes.begin(), bytes.end(), '\0', kNulStandIn);
    // An edit control breaks lines only at CR LF. A file with no CR at all is a file whose lines
    // end in LF; a file that mixes both is shown as it is, for it could not be written back.
    shown.lfLineEnds = bytes.find('\r') == std::string::npos && bytes.find('\n') != std::string::npos;
    shown.text = shown.lfLineEnds ? Replaced(bytes, "\n", "\r\n") : std::move(bytes);
    return shown;
}

std::string FileBytesOf(std::string text, bool lfLineEnds) {
    return lfLineEnds ? Replaced(text, "\r\n", "\n") : text;
}
