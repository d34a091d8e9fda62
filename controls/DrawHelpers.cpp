#include "controls/DrawHelpers.h"
#include "controls/GdipGraphics.h"
#include "controls/GdipPen.h"
#include "controls/GdipSolidBrush.h"
#include <algorithm>
#include <new>

BOOL ResetBitmap(std::unique_ptr<Gdip::Bitmap>& slot, int nWidth, int nHeight)
{
    slot.reset();
    slot.reset(new (std::nothrow) Gdip::Bitmap(nWidth, nHeight));
    return TRUE;
}

BOOL DrawImagePart(Gdip::Image* pTarget, Gdip::Image* pSource, const RECT& rc)
{
    if (!pTarget)
        return TRUE;
    Gdiplus::REAL w = static_cast<Gdiplus::REAL>(rc.right - rc.left);
    Gdiplus::REAL h = static_cast<Gdiplus::REAL>(rc.bottom - rc.top);
    Gdip::Graphics graphics(pTarget);
    graphics.DrawImage(pSource, Gdiplus::RectF(0, 0, w, h),
                       Gdiplus::RectF(static_cast<Gdiplus::REAL>(rc.left), static_cast<Gdiplus::REAL>(rc.top), w, h));
    return TRUE;
}

BOOL DrawFocusFrame(Gdip::Image* pTarget, const RECT& rc, const CDpiScale& dpi)
{
    if (!pTarget)
        return TRUE;
    Gdip::Graphics graphics(pTarget);
    Gdip::Pen pen(0xFF000000, static_cast<Gdiplus::REAL>(dpi.PenWidth(1)), Gdiplus::UnitWorld);
    pen.SetDashStyle(Gdiplus::DashStyleDot);
    RECT rcFrame = rc;
    InflateRect(&rcFrame, -dpi.Length(3), -dpi.Length(3));
    graphics.DrawRectangle(pen, rcFrame.left, rcFrame.top, rcFrame.right - rcFrame.left - 1,
                           rcFrame.bottom - rcFrame.top - 1);
    return TRUE;
}

Gdiplus::ARGB SystemColorArgb(int nIndex)
{
    COLORREF clr = ::GetSysColor(nIndex);
    return 0xFF000000u | (static_cast<Gdiplus::ARGB>(GetRValue(clr)) << 16) |
           (static_cast<Gdiplus::ARGB>(GetGValue(clr)) << 8) | GetBValue(clr);
}

void FillFrame(Gdip::Graphics& graphics, const RECT& rc, int nWidth, Gdiplus::ARGB color)
{
    int w = rc.right - rc.left, h = rc.bottom - rc.top;
    int nBand = std::min(nWidth, (std::min(w, h) + 1) / 2);
    if (nBand <= 0)
        return;
    Gdip::SolidBrush brush(color);
    graphics.FillRectangle(brush, rc.left, rc.top, w, nBand);
    graphics.FillRectangle(brush, rc.left, rc.bottom - nBand, w, nBand);
    int nSide = h - 2 * nBand; // between the top and bottom bands
    if (nSide <= 0)
        return;
    graphics.FillRectangle(brush, rc.left, rc.top + nBand, nBand, nSide);
    graphics.FillRectangle(brush, rc.right - nBand, rc.top + nBand, nBand, nSide);
}
