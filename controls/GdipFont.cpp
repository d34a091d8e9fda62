#include "controls/GdipFont.h"

using namespace Gdiplus::DllExports;

namespace Gdip {

Font::Font(const FontFamily& family, Gdiplus::REAL emSize, int nStyle, Gdiplus::Unit unit)
{
    if (!family.Native()) {
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
