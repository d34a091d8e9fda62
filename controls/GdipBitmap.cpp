#include "controls/GdipBitmap.h"
#include "controls/SurfaceSize.h"

using namespace Gdiplus::DllExports;

namespace Gdip {

Bitmap::Bitmap(const wchar_t* pszFile)
{
    Gdiplus::GpBitmap* pNative = nullptr;
    if (IStream* pSource = OpenSource(pszFile))
        SetStatus(GdipCreateBitmapFromStream(pSource, &pNative));
    SetNative(pNative);
}

Bitmap::Bitmap(int nWidth, int nHeight)
{
    if (!IsSurfaceSizeAllowed(nWidth, nHeight)) {
        SetStatus(Gdiplus::OutOfMemory);
        return;
    }
    Gdiplus::GpBitmap* pNative = nullptr;
    SetStatus(GdipCreateBitmapFromScan0(nWidth, nHeight, 0, PixelFormat32bppARGB, nullptr, &pNative));
    SetNative(pNative);
}

Bitmap::Bitmap(int nWidth, int nHeight, int nStride, Gdiplus::PixelFormat format, BYTE* pScan0)
{
    Gdiplus::GpBitmap* pNative = nullptr;
    SetStatus(GdipCreateBitmapFromScan0(nWidth, nHeight, nStride, format, pScan0, &pNative));
    SetNative(pNative);
}

Status Bitmap::GetPixel(int x, int y, Gdiplus::ARGB& argb) const
{
    if (!NativeBitmap())
        return SetStatus(Gdiplus::InvalidParameter);
    return SetStatus(GdipBitmapGetPixel(NativeBitmap(), x, y, &argb));
}

std::unique_ptr<Bitmap> LoadBitmapFile(const wchar_t* pszFile)
{
    auto pBitmap = std::make_unique<Bitmap>(pszFile);
    Status status = pBitmap->GetLastStatus();
    if (status != Gdiplus::Ok) {
        pBitmap.reset();
        TraceLoadFailure(pszFile, status);
    }
    return pBitmap;
}

} // namespace Gdip
