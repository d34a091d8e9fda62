// Owner of a GDI+ graphics, released once with GdipDeleteGraphics. Every
// drawing call records its failing status here; a graphics whose creation
// failed, or a null image, draws nothing.
#pragma once
#include "controls/GdipImage.h"

namespace Gdip {

class SolidBrush;
class Pen;
class Font;
class StringFormat;

class Graphics : public LastStatus
{
public:
    explicit Graphics(HDC hdc);          // GdipCreateFromHDC
    explicit Graphics(Image* pImage);    // GdipGetImageGraphicsContext; null image: no graphics
    ~Graphics();
    Graphics(const Graphics&) = delete;
    Graphics& operator=(const Graphics&) = delete;

    // The image with its top-left at (x, y), at its own width and height
    // (GdipDrawImageRectI).
    Status DrawImage(Image* pImage, int x, int y);
    // The whole image stretched into the rectangle (GdipDrawImageRect).
    Status DrawImage(Image* pImage, const Gdiplus::RectF& rcDest);
    // The source rectangle of the image (pixels) scaled into the destination
    // rectangle, no image attributes (GdipDrawImageRectRect, unit pixel).
    Status DrawImage(Image* pImage, const Gdiplus::RectF& rcDest, const Gdiplus::RectF& rcSource);

    Status FillRectangle(const SolidBrush& brush, int x, int y, int nWidth, int nHeight); // GdipFillRectangleI
    Status DrawRectangle(const Pen& pen, int x, int y, int nWidth, int nHeight);          // GdipDrawRectangleI
    // GdipDrawString; nLength -1 for a zero-terminated text.
    Status DrawString(const wchar_t* pszText, int nLength, const Font& font, const Gdiplus::RectF& rcLayout,
                      const StringFormat& format, const SolidBrush& brush);

    // Limits every later drawing to the rectangle (GdipSetClipRectI, replacing
    // the clip); ResetClip lifts the limit (GdipResetClip).
    Status SetClip(const RECT& rc);
    Status ResetClip();
    // Completes every drawing so far (GdipFlush, synchronous) before the
    // pixels are written by other means.
    Status Flush();

    Gdiplus::GpGraphics* Native() const { return m_pNative; }

private:
    Gdiplus::GpGraphics* m_pNative = nullptr;
};

} // namespace Gdip
