// A decoded image's pixels, premultiplied, kept for blending parts of it
// straight onto a pixel surface. An unscaled GDI+ draw of a part costs many
// times more per pixel than this under some GDI+ implementations (Wine's),
// and the item frames are the largest part of every list paint.
#pragma once
#include <windows.h>
#include <cstdint>
#include <vector>
#include "controls/PixelSurface.h"

namespace Gdip {
class Bitmap;
}

class CPremultipliedPixels
{
public:
    // Reads the bitmap's pixels as premultiplied ARGB; empty when it cannot.
    bool Load(Gdip::Bitmap& bitmap);
    void Reset();
    bool IsEmpty() const { return m_pixels.empty(); }
    int Width() const { return m_nWidth; }
    int Height() const { return m_nHeight; }

    // Blends the part rcSource source-over onto the surface, its top-left
    // corner at ptDest, touching only pixels inside rcClip.
    void BlendPart(const PixelSurface& target, const RECT& rcSource, POINT ptDest, const RECT& rcClip) const;
    // Blends the part rcSource stretched over rcDest, source-over, as nine
    // slices: the insets (left, top, right, bottom, in source pixels) keep
    // their size at the edges and corners, the rest stretches, nearest
    // pixel. Insets that do not fit the destination shrink in proportion.
    void BlendSliced(const PixelSurface& target, const RECT& rcSource, const RECT& rcInsets, const RECT& rcDest,
                     const RECT& rcClip) const;

private:
    std::vector<std::uint32_t> m_pixels;
    int m_nWidth = 0;
    int m_nHeight = 0;
};
