#include "editors/SystemFileText.h"

#include <algorithm>

#include "framework/ReplaceAll.h"

namespace {
// What a NUL byte looks like in a file that is shown read-only (a middle dot).
constexpr char kNulStandIn = '\xB7';
}  // namespace

ShownFile ShowFileBytes(std::string bytes) {
    ShownFile shown;
    shown.hasNul = bytes.find('\0') != std::string::npos;
    if (shown.hasNul) std::replace(bytes.begin(), bytes.end(), '\0', kNulStandIn);
    // An edit control breaks lines only at CR LF. A file with no CR at all is a file whose lines
    // end in LF; a file that mixes both is shown as it is, for it could not be written back.
    shown.lfLineEnds = bytes.find('\r') == std::string::npos && bytes.find('\n') != std::string::npos;
    shown.text = shown.lfLineEnds ? fw::ReplaceAll(bytes, "\n", "\r\n") : std::move(bytes);
    return shown;
}

std::string FileBytesOf(std::string text, bool lfLineEnds) {
    return lfLineEnds ? fw::ReplaceAll(text, "\r\n", "\n") : text;
}
