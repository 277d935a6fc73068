#include "framework/Font.h"

namespace fw {

bool CFont::Create(const LOGFONTA& description) {
    HFONT created = CreateFontIndirectA(&description);
    if (!created) return false;
    m_font.reset(created);
    return true;
}

LOGFONTA CFont::GetLogFont() const {
    LOGFONTA description{};
    if (m_font) GetObjectA(m_font.get(), sizeof description, &description);
    return description;
}

LOGFONTA CFont::GetRealizedLogFont() const {
    LOGFONTA description = GetLogFont();
    HDC screen = GetDC(nullptr);
    const HGDIOBJ previous = SelectObject(screen, m_font.get());
    TEXTMETRICA metrics{};
    char face[LF_FACESIZE] = {};
    if (GetTextMetricsA(screen, &metrics) && GetTextFaceA(screen, LF_FACESIZE, face)) {
        description.lfHeight = -(metrics.tmHeight - metrics.tmInternalLeading);
        lstrcpynA(description.lfFaceName, face, LF_FACESIZE);
    }
    SelectObject(screen, previous);
    ReleaseDC(nullptr, screen);
    return description;
}

HFONT BoldFontLike(HWND window) {
    static UniqueFont boldFont;  // deleted at exit
    if (!boldFont) {
        HFONT base = window ? reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0)) : nullptr;
        if (!base) base = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
        LOGFONTA description{};
        if (GetObjectA(base, sizeof description, &description) == 0) return nullptr;
        description.lfWeight = FW_BOLD;
        boldFont.reset(CreateFontIndirectA(&description));
    }
    return boldFont.get();
}

}  // namespace fw
