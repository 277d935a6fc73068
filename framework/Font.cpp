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

}  // namespace fw
