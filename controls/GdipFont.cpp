#include "controls/GdipFont.h"

using namespace Gdiplus::DllExports;

namespace Gdip {

Font::Font(const FontFamily& family, Gdiplus::REAL emSize, int nStyle, Gdiplus::Unit unit)
{
    // GDI+ refuses an em size that is not positive; Wine's flat API accepts 0
    // and then uses a default size, so the refusal is made here for both.
    if (!family.Native() || emSize <= 0) {
        SetStatus(Gdiplus::InvalidParameter);
        return;
    }
    SetStatus(GdipCreateFont(family.Native(), emSize, nStyle, unit, &m_pNative));
}

Font::~Font()
{
    if (m_pNative)
        GdipDeleteFont(m_pNative);
}

} // namespace Gdip
