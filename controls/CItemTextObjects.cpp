#include "controls/CItemTextObjects.h"
#include "controls/GdipTextFontFamily.h"

void CItemTextObjects::Prepare(const _WLL_FONT_INFO& style)
{
    if (m_pBrush && SameStyle(style, m_style))
        return;
    Reset();
    m_style = style;
    m_pFamily = std::make_unique<Gdip::TextFontFamily>(style.strFontName);
    m_pFont = std::make_unique<Gdip::Font>(*m_pFamily, static_cast<Gdiplus::REAL>(style.nFontSize), style.nFontStyle,
                                           Gdiplus::UnitPixel);
    m_pFormat = std::make_unique<Gdip::StringFormat>(0, 0);
    m_pFormat->SetAlignment(style.nAlign);
    m_pFormat->SetLineAlignment(style.nLineAlign);
    m_pFormat->SetTrimming(style.nTrimming);
    m_pBrush = std::make_unique<Gdip::SolidBrush>(style.clrText);
}

void CItemTextObjects::Reset()
{
    m_pBrush.reset();
    m_pFormat.reset();
    m_pFont.reset();
    m_pFamily.reset();
}

bool CItemTextObjects::SameStyle(const _WLL_FONT_INFO& a, const _WLL_FONT_INFO& b)
{
    return a.strFontName.Compare(b.strFontName) == 0 && a.nFontSize == b.nFontSize && a.clrText == b.clrText &&
           a.nFontStyle == b.nFontStyle && a.nAlign == b.nAlign && a.nLineAlign == b.nLineAlign &&
           a.nTrimming == b.nTrimming;
}
