// A font the program created: its description and handle, deleted with the object.
#pragma once
#include <windows.h>

#include "framework/Handles.h"

namespace fw {

// The stored form of a font description is the ANSI record, the same size on both architectures.
static_assert(sizeof(LOGFONTA) == 60, "a stored font description is 60 bytes");

class CFont {
public:
    // False (and the previous font kept) when the platform refuses the description.
    bool Create(const LOGFONTA& description);
    LOGFONTA GetLogFont() const;
    // The description as the screen realises it: the face chosen and the character height in
    // pixels (negative), so that a font dialog opens on the font shown.
    LOGFONTA GetRealizedLogFont() const;
    HFONT handle() const { return m_font.get(); }

private:
    UniqueFont m_font;
};

// The bold form of a window's font (or of the default GUI font when it has none), made once and
// shared for the rest of the session: every page titles its rows with the same font.
HFONT BoldFontLike(HWND window);

}  // namespace fw
