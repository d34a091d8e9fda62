// Owner of a GDI+ font, released once with GdipDeleteFont.
#pragma once
#include "controls/GdipFontFamily.h"

namespace Gdip {

class Font : public LastStatus
{
public:
    // GdipCreateFont: family, em size, FontStyle value (0 regular, 1 bold,
    // 2 italic, 4 underline, 8 strikeout, added together), unit of the size.
    // A family without a handle, or a size that is not positive, gives a font
    // without one (InvalidParameter).
    Font(const FontFamily& family, Gdiplus::REAL emSize, int nStyle, Gdiplus::Unit unit = Gdiplus::UnitPixel);
    ~Font();
    Font(const Font&) = delete;
    Font& operator=(const Font&) = delete;

    Gdiplus::GpFont* Native() const { return m_pNative; }

private:
    Gdiplus::GpFont* m_pNative = nullptr;
};

} // namespace Gdip
