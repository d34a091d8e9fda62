#include "controls/DrawHelpers.h"
#include "controls/GdipGraphics.h"
#include "controls/GdipPen.h"
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

BOOL DrawFocusFrame(Gdip::Image* pTarget, const RECT& rc)
{
    if (!pTarget)
        return TRUE;
    Gdip::Graphics graphics(pTarget);
    Gdip::Pen pen(0xFF000000, 1.0f, Gdiplus::UnitWorld);
    pen.SetDashStyle(Gdiplus::DashStyleDot);
    RECT rcFrame = rc;
    InflateRect(&rcFrame, -3, -3);
    graphics.DrawRectangle(pen, rcFrame.left, rcFrame.top, rcFrame.right - rcFrame.left - 1,
                           rcFrame.bottom - rcFrame.top - 1);
    return TRUE;
}
