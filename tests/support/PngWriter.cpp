#include "PngWriter.h"
#include <memory>
#include <gtest/gtest.h>

using namespace Gdiplus::DllExports;

namespace {

using BitmapOwner = std::unique_ptr<Gdiplus::GpBitmap, decltype(&GdipDisposeImage)>;
using GraphicsOwner = std::unique_ptr<Gdiplus::GpGraphics, decltype(&GdipDeleteGraphics)>;
using BrushOwner = std::unique_ptr<Gdiplus::GpBrush, decltype(&GdipDeleteBrush)>;

CLSID PngEncoder()
{
    UINT nCount = 0, cbSize = 0;
    GdipGetImageEncodersSize(&nCount, &cbSize);
    std::unique_ptr<BYTE[]> buffer(new BYTE[cbSize]);
    auto* pCodecs = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.get());
    GdipGetImageEncoders(nCount, cbSize, pCodecs);
    for (UINT i = 0; i < nCount; ++i)
        if (wcscmp(pCodecs[i].MimeType, L"image/png") == 0)
            return pCodecs[i].Clsid;
    ADD_FAILURE() << "no PNG encoder";
    return CLSID();
}

// A transparent 32-bit ARGB bitmap.
BitmapOwner NewBitmap(int nWidth, int nHeight)
{
    Gdiplus::GpBitmap* pBitmap = nullptr;
    EXPECT_EQ(Gdiplus::Ok, GdipCreateBitmapFromScan0(nWidth, nHeight, 0, PixelFormat32bppARGB, nullptr, &pBitmap))
        << nWidth << " x " << nHeight;
    return BitmapOwner(pBitmap, GdipDisposeImage);
}

} // namespace

void SavePng(Gdiplus::GpImage* pImage, const CString& strFile)
{
    static const CLSID s_png = PngEncoder();
    ASSERT_EQ(Gdiplus::Ok, GdipSaveImageToFile(pImage, strFile, &s_png, nullptr)) << strFile.ToAnsi();
}

void WriteFramesPng(const CString& strFile, int nWidth, int nHeight, const Gdiplus::ARGB* pColors, int nFrames)
{
    BitmapOwner bitmap = NewBitmap(nWidth * nFrames, nHeight);
    ASSERT_NE(nullptr, bitmap);
    {
        Gdiplus::GpGraphics* pNewGraphics = nullptr;
        GdipGetImageGraphicsContext(bitmap.get(), &pNewGraphics);
        GraphicsOwner graphics(pNewGraphics, GdipDeleteGraphics);
        for (int f = 0; f < nFrames; ++f) {
            Gdiplus::GpSolidFill* pNewBrush = nullptr;
            GdipCreateSolidFill(pColors[f], &pNewBrush);
            BrushOwner brush(pNewBrush, GdipDeleteBrush);
            GdipFillRectangleI(graphics.get(), brush.get(), f * nWidth, 0, nWidth, nHeight);
        }
    }
    SavePng(bitmap.get(), strFile);
}

void WriteSolidPng(const CString& strFile, int nWidth, int nHeight, Gdiplus::ARGB color)
{
    WriteFramesPng(strFile, nWidth, nHeight, &color, 1);
}

void WritePng(const CString& strFile, int nWidth, int nHeight, const std::vector<ColorRect>& rects)
{
    BitmapOwner bitmap = NewBitmap(nWidth, nHeight);
    ASSERT_NE(nullptr, bitmap);
    for (const ColorRect& part : rects)
        for (int y = part.rc.top; y < part.rc.bottom; ++y)
            for (int x = part.rc.left; x < part.rc.right; ++x)
                GdipBitmapSetPixel(bitmap.get(), x, y, part.color);
    SavePng(bitmap.get(), strFile);
}
