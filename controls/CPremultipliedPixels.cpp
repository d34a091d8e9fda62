#include "controls/CPremultipliedPixels.h"
#include <gdiplus.h>
#include <algorithm>
#include <cstring>
#include <new>
#include "controls/GdipBitmap.h"

using namespace Gdiplus::DllExports;

namespace {

// d * (255 - a) / 255, rounded, for the four channels at once in two lanes.
inline std::uint32_t ScaleByInverseAlpha(std::uint32_t d, std::uint32_t a)
{
    const std::uint32_t k = 255 - a;
    std::uint32_t rb = (d & 0x00FF00FFu) * k + 0x00800080u;
    std::uint32_t ag = ((d >> 8) & 0x00FF00FFu) * k + 0x00800080u;
    rb = ((rb + ((rb >> 8) & 0x00FF00FFu)) >> 8) & 0x00FF00FFu;
    ag = (ag + ((ag >> 8) & 0x00FF00FFu)) & 0xFF00FF00u;
    return rb | ag;
}

inline std::uint32_t SourceOver(std::uint32_t s, std::uint32_t d)
{
    const std::uint32_t a = s >> 24;
    if (a == 255)
        return s;
    if (s == 0)
        return d;
    return s + ScaleByInverseAlpha(d, a);
}

// For each destination pixel of a span of nDest, the source pixel of a span of
// nSource with insets nHead and nTail kept at both ends.
std::vector<int> SliceMap(int nSource, int nDest, int nHead, int nTail)
{
    nHead = std::clamp(nHead, 0, nSource);
    nTail = std::clamp(nTail, 0, nSource - nHead);
    if (nHead + nTail > nDest) {
        int nSum = nHead + nTail;
        nHead = static_cast<int>(static_cast<long long>(nHead) * nDest / nSum);
        nTail = nDest - nHead;
    }
    std::vector<int> map(static_cast<size_t>(std::max(nDest, 0)));
    const int nMiddleSource = nSource - nHead - nTail, nMiddleDest = nDest - nHead - nTail;
    for (int i = 0; i < nDest; ++i) {
        if (i < nHead)
            map[i] = i;
        else if (i >= nDest - nTail)
            map[i] = nSource - (nDest - i);
        else if (nMiddleSource <= 0)
            map[i] = std::min(nHead, nSource - 1);
        else
            map[i] = nHead + static_cast<int>(static_cast<long long>(i - nHead) * nMiddleSource / nMiddleDest);
    }
    return map;
}

} // namespace

bool CPremultipliedPixels::Load(Gdip::Bitmap& bitmap)
{
    Reset();
    Gdiplus::GpBitmap* pNative = bitmap.NativeBitmap();
    if (!pNative)
        return false;
    const int w = static_cast<int>(bitmap.Width()), h = static_cast<int>(bitmap.Height());
    if (w <= 0 || h <= 0)
        return false;
    Gdiplus::Rect rc(0, 0, w, h);
    Gdiplus::BitmapData data = {};
    if (GdipBitmapLockBits(pNative, &rc, Gdiplus::ImageLockModeRead, PixelFormat32bppPARGB, &data) != Gdiplus::Ok)
        return false;
    try {
        m_pixels.resize(static_cast<size_t>(w) * static_cast<size_t>(h));
        for (int y = 0; y < h; ++y)
            std::memcpy(&m_pixels[static_cast<size_t>(y) * w], static_cast<const BYTE*>(data.Scan0) + y * data.Stride,
                        static_cast<size_t>(w) * 4);
        m_nWidth = w;
        m_nHeight = h;
    } catch (const std::bad_alloc&) {
        m_pixels.clear();
    }
    GdipBitmapUnlockBits(pNative, &data);
    return !m_pixels.empty();
}

void CPremultipliedPixels::Reset()
{
    std::vector<std::uint32_t>().swap(m_pixels);
    m_nWidth = m_nHeight = 0;
}

void CPremultipliedPixels::BlendPart(const PixelSurface& target, const RECT& rcSource, POINT ptDest,
                                     const RECT& rcClip) const
{
    if (target.IsEmpty() || IsEmpty())
        return;
    // The source part within the image, then its place on the surface cut
    // to the clip and the surface.
    RECT rcImage = {0, 0, m_nWidth, m_nHeight}, rcPart;
    if (!IntersectRect(&rcPart, &rcSource, &rcImage))
        return;
    RECT rcDest = {ptDest.x + rcPart.left - rcSource.left, ptDest.y + rcPart.top - rcSource.top, 0, 0};
    rcDest.right = rcDest.left + (rcPart.right - rcPart.left);
    rcDest.bottom = rcDest.top + (rcPart.bottom - rcPart.top);
    RECT rcSurface = {0, 0, target.nWidth, target.nHeight}, rcAllowed, rcDraw;
    if (!IntersectRect(&rcAllowed, &rcClip, &rcSurface) || !IntersectRect(&rcDraw, &rcDest, &rcAllowed))
        return;
    const int dx = rcPart.left - rcDest.left, dy = rcPart.top - rcDest.top;
    for (int y = rcDraw.top; y < rcDraw.bottom; ++y) {
        const std::uint32_t* pSource = &m_pixels[static_cast<size_t>(y + dy) * m_nWidth + (rcDraw.left + dx)];
        std::uint32_t* pTarget = target.pBits + static_cast<size_t>(y) * target.nWidth + rcDraw.left;
        for (int x = rcDraw.left; x < rcDraw.right; ++x, ++pSource, ++pTarget)
            *pTarget = SourceOver(*pSource, *pTarget);
    }
}

void CPremultipliedPixels::BlendSliced(const PixelSurface& target, const RECT& rcSource, const RECT& rcInsets,
                                       const RECT& rcDest, const RECT& rcClip) const
{
    if (target.IsEmpty() || IsEmpty())
        return;
    RECT rcImage = {0, 0, m_nWidth, m_nHeight}, rcPart;
    if (!IntersectRect(&rcPart, &rcSource, &rcImage))
        return;
    RECT rcSurface = {0, 0, target.nWidth, target.nHeight}, rcAllowed, rcDraw;
    if (!IntersectRect(&rcAllowed, &rcClip, &rcSurface) || !IntersectRect(&rcDraw, &rcDest, &rcAllowed))
        return;
    try {
        const std::vector<int> cols = SliceMap(rcPart.right - rcPart.left, rcDest.right - rcDest.left,
                                               rcInsets.left, rcInsets.right);
        const std::vector<int> rows = SliceMap(rcPart.bottom - rcPart.top, rcDest.bottom - rcDest.top,
                                               rcInsets.top, rcInsets.bottom);
        for (int y = rcDraw.top; y < rcDraw.bottom; ++y) {
            const std::uint32_t* pRow = &m_pixels[static_cast<size_t>(rcPart.top + rows[y - rcDest.top]) * m_nWidth];
            std::uint32_t* pTarget = target.pBits + static_cast<size_t>(y) * target.nWidth + rcDraw.left;
            for (int x = rcDraw.left; x < rcDraw.right; ++x, ++pTarget)
                *pTarget = SourceOver(pRow[rcPart.left + cols[x - rcDest.left]], *pTarget);
        }
    } catch (const std::bad_alloc&) {
        // Without the maps nothing is drawn: the surface keeps what it had.
    }
}
