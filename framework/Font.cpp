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

}  // namespace fw
