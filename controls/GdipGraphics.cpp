#include "controls/GdipGraphics.h"
#include "controls/GdipFont.h"
#include "controls/GdipPen.h"
#include "controls/GdipSolidBrush.h"
#include "controls/GdipStringFormat.h"

using namespace Gdiplus::DllExports;

namespace Gdip {

Graphics::Graphics(HDC hdc)
{
    SetStatus(GdipCreateFromHDC(hdc, &m_pNative));
}

Graphics::Graphics(Image* pImage)
{
    if (!pImage || !pImage->Native()) {
        SetStatus(Gdiplus::InvalidParameter);
        return;
    }
    SetStatus(GdipGetImageGraphicsContext(pImage->Native(), &m_pNative));
}

Graphics::~Graphics()
{
    if (m_pNative)
        GdipDeleteGraphics(m_pNative);
}

// Every call below checks its handles itself instead of relying on the flat
// API to refuse null ones: a null image or a failed creation draws nothing.

Status Graphics::DrawImage(Image* pImage, int x, int y)
{
    if (!m_pNative || !pImage || !pImage->Native())
        return SetStatus(Gdiplus::InvalidParameter);
    int nWidth = static_cast<int>(pImage->Width());
    int nHeight = static_cast<int>(pImage->Height());
    return SetStatus(GdipDrawImageRectI(m_pNative, pImage->Native(), x, y, nWidth, nHeight));
}

Status Graphics::DrawImage(Image* pImage, const Gdiplus::RectF& rcDest)
{
    if (!m_pNative || !pImage || !pImage->Native())
        return SetStatus(Gdiplus::InvalidParameter);
    return SetStatus(GdipDrawImageRect(m_pNative, pImage->Native(), rcDest.X, rcDest.Y, rcDest.Width, rcDest.Height));
}

Status Graphics::DrawImage(Image* pImage, const Gdiplus::RectF& rcDest, const Gdiplus::RectF& rcSource)
{
    if (!m_pNative || !pImage || !pImage->Native())
        return SetStatus(Gdiplus::InvalidParameter);
    return SetStatus(GdipDrawImageRectRect(m_pNative, pImage->Native(), rcDest.X, rcDest.Y, rcDest.Width,
                                           rcDest.Height, rcSource.X, rcSource.Y, rcSource.Width, rcSource.Height,
                                           Gdiplus::UnitPixel, nullptr, nullptr, nullptr));
}

Status Graphics::FillRectangle(const SolidBrush& brush, int x, int y, int nWidth, int nHeight)
{
    if (!m_pNative || !brush.Native())
        return SetStatus(Gdiplus::InvalidParameter);
    return SetStatus(GdipFillRectangleI(m_pNative, brush.Native(), x, y, nWidth, nHeight));
}

Status Graphics::DrawRectangle(const Pen& pen, int x, int y, int nWidth, int nHeight)
{
    if (!m_pNative || !pen.Native())
        return SetStatus(Gdiplus::InvalidParameter);
    return SetStatus(GdipDrawRectangleI(m_pNative, pen.Native(), x, y, nWidth, nHeight));
}

Status Graphics::DrawString(const wchar_t* pszText, int nLength, const Font& font, const Gdiplus::RectF& rcLayout,
                            const StringFormat& format, const SolidBrush& brush)
{
    if (!m_pNative || !font.Native() || !brush.Native())
        return SetStatus(Gdiplus::InvalidParameter);
    return SetStatus(GdipDrawString(m_pNative, pszText, nLength, font.Native(), &rcLayout, format.Native(),
                                    brush.Native()));
}

Status Graphics::SetClip(const RECT& rc)
{
    if (!m_pNative)
        return SetStatus(Gdiplus::InvalidParameter);
    return SetStatus(GdipSetClipRectI(m_pNative, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top,
                                      Gdiplus::CombineModeReplace));
}

Status Graphics::Flush()
{
    if (!m_pNative)
        return SetStatus(Gdiplus::InvalidParameter);
    return SetStatus(GdipFlush(m_pNative, Gdiplus::FlushIntentionSync));
}

Status Graphics::ResetClip()
{
    if (!m_pNative)
        return SetStatus(Gdiplus::InvalidParameter);
    return SetStatus(GdipResetClip(m_pNative));
}

} // namespace Gdip
