// A system file's bytes as the System Editor shows them, and the bytes it writes back, such
// that whatever the user did not touch is written back unchanged.
#pragma once
#include <string>

struct ShownFile {
    std::string text;         // what the edit control shows
    bool lfLineEnds = false;  // lines end in LF alone: shown as CR LF, written back as LF
    bool hasNul = false;      // NUL bytes, which an edit control cannot hold: shown, never written
};

ShownFile ShowFileBytes(std::string bytes);
// The bytes to write for the edit control's text of a file shown with those line ends.
std::string FileBytesOf(std::string text, bool lfLineEnds);
