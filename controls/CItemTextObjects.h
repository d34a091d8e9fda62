// The GDI+ objects that draw the list's item names (family, font, string
// format, brush), made from the text style at the first drawing and kept
// between paints. They are made anew whenever the style they were made from
// differs from the one asked for, so a reloaded skin takes effect at once.
#pragma once
#include <memory>
#include "controls/GdipFont.h"
#include "controls/GdipSolidBrush.h"
#include "controls/GdipStringFormat.h"
#include "controls/_WLL_FONT_INFO.h"

class CItemTextObjects
{
public:
    // The objects for the style, made now when the kept ones do not match it.
    void Prepare(const _WLL_FONT_INFO& style);
    void Reset();

    const Gdip::Font& Font() const { return *m_pFont; }
    const Gdip::StringFormat& Format() const { return *m_pFormat; }
    const Gdip::SolidBrush& Brush() const { return *m_pBrush; }

private:
    static bool SameStyle(const _WLL_FONT_INFO& a, const _WLL_FONT_INFO& b);

    _WLL_FONT_INFO m_style; // the style the objects were made from
    // Released brush, format, font, family: the font refers to its family.
    std::unique_ptr<Gdip::FontFamily> m_pFamily;
    std::unique_ptr<Gdip::Font> m_pFont;
    std::unique_ptr<Gdip::StringFormat> m_pFormat;
    std::unique_ptr<Gdip::SolidBrush> m_pBrush;
};
