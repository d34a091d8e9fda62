// Owner of a GDI+ bitmap: an image whose pixels can be created and read.
#pragma once
#include "controls/GdipImage.h"

namespace Gdip {

class Bitmap : public Image
{
public:
    // Reads the file and decodes it (GdipCreateBitmapFromStream), as Image does.
    explicit Bitmap(const wchar_t* pszFile);
    // A new 32-bit ARGB bitmap without pixel data, i.e. fully transparent
    // (GdipCreateBitmapFromScan0, stride 0, PixelFormat32bppARGB). A size
    // that IsSurfaceSizeAllowed refuses (0, or too large) leaves a null handle.
    Bitmap(int nWidth, int nHeight);
    // A bitmap over pixels that the caller owns and keeps alive longer than
    // the bitmap (GdipCreateBitmapFromScan0 with stride and first row).
    Bitmap(int nWidth, int nHeight, int nStride, Gdiplus::PixelFormat format, BYTE* pScan0);

    // The colour at (x, y) into argb (GdipBitmapGetPixel).
    Status GetPixel(int x, int y, Gdiplus::ARGB& argb) const;

    Gdiplus::GpBitmap* NativeBitmap() const { return static_cast<Gdiplus::GpBitmap*>(Native()); }
};

// The bitmap of the file, or null when it cannot be loaded (traced as by LoadImageFile).
std::unique_ptr<Bitmap> LoadBitmapFile(const wchar_t* pszFile);

} // namespace Gdip
