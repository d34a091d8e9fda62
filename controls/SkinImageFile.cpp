#include "controls/SkinImageFile.h"
#include <new>
#include "controls/GdipGraphics.h"
#include "controls/IconFileFrame.h"
#include "diag/CLogTrace.h"
#include "framework/CHandleOwner.h"

using namespace Gdiplus::DllExports;

namespace {

const DWORD kTraceLevel = 4;

struct ImageAttributesTraits
{
    using Handle = Gdiplus::GpImageAttributes*;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { GdipDisposeImageAttributes(h); }
};

SIZE SizeOf(const Gdip::Image& image)
{
    return SIZE{static_cast<LONG>(image.Width()), static_cast<LONG>(image.Height())};
}

// The variant of the factor index, or null when it cannot be used.
std::unique_ptr<Gdip::Image> LoadVariant(const std::wstring& strBasePath, int nIndex, SIZE sizeBase)
{
    std::wstring strPath = CImageVariantSet::PathOf(strBasePath, nIndex);
    std::unique_ptr<Gdip::Image> pVariant = Gdip::LoadImageFile(strPath.c_str());
    if (!pVariant)
        return nullptr;
    SIZE sizeVariant = SizeOf(*pVariant);
    if (CImageVariantSet::IsSizeRight(sizeBase, sizeVariant, nIndex))
        return pVariant;
    SIZE sizeExpected = CImageVariantSet::ExpectedSize(sizeBase, nIndex);
    g_LogTrace.Trace(kTraceLevel, L"Image file %s is %ld x %ld pixels, not %ld x %ld: not used", strPath.c_str(),
                     sizeVariant.cx, sizeVariant.cy, sizeExpected.cx, sizeExpected.cy);
    return nullptr;
}

// The base, or the best usable variant, resampled for the DPI. False when
// the base itself is already right (nothing to resample).
bool ScaleForDpi(const wchar_t* pszPath, Gdip::Image& base, const CDpiScale& dpi, const SkinImageFit& fit,
                 const CImageVariantSet* pVariants, std::unique_ptr<Gdip::Bitmap>& pScaled)
{
    SIZE sizeBase = SizeOf(base);
    if (dpi.IsBase() || sizeBase.cx == 0 || sizeBase.cy == 0)
        return false;
    SIZE sizeTarget = fit.DeviceSize(sizeBase, dpi);
    if (IsIconFilePath(pszPath) && (pScaled = LoadIconFrame(pszPath, sizeTarget)))
        return true;
    CImageVariantSet variants = pVariants ? *pVariants : CImageVariantSet::Query(pszPath);
    for (int nIndex : variants.ChoiceOrder(dpi.Dpi())) {
        if (nIndex == 0)
            break;
        if (std::unique_ptr<Gdip::Image> pVariant = LoadVariant(pszPath, nIndex, sizeBase)) {
            pScaled = ResampleImage(*pVariant, sizeTarget);
            return true;
        }
    }
    if (sizeTarget.cx == sizeBase.cx && sizeTarget.cy == sizeBase.cy)
        return false;
    pScaled = ResampleImage(base, sizeTarget);
    return true;
}

} // namespace

std::unique_ptr<Gdip::Bitmap> ResampleImage(Gdip::Image& image, SIZE sizeTarget)
{
    return image.Native() ? ResampleNative(image.Native(), sizeTarget) : nullptr;
}

std::unique_ptr<Gdip::Bitmap> ResampleNative(Gdiplus::GpImage* pImage, SIZE sizeTarget)
{
    std::unique_ptr<Gdip::Bitmap> pTarget(new (std::nothrow) Gdip::Bitmap(sizeTarget.cx, sizeTarget.cy));
    if (!pTarget || !pTarget->Native())
        return nullptr;
    Gdip::Graphics graphics(pTarget.get());
    if (!graphics.Native())
        return nullptr;
    GdipSetInterpolationMode(graphics.Native(), Gdiplus::InterpolationModeHighQualityBicubic);
    GdipSetPixelOffsetMode(graphics.Native(), Gdiplus::PixelOffsetModeHalf);
    // Mirrored edges keep the filter from blending transparency into the border.
    CHandleOwner<ImageAttributesTraits> attributes;
    GdipCreateImageAttributes(attributes.Receive());
    if (attributes.IsValid())
        GdipSetImageAttributesWrapMode(attributes.Get(), Gdiplus::WrapModeTileFlipXY, 0, FALSE);
    UINT cxSource = 0, cySource = 0;
    GdipGetImageWidth(pImage, &cxSource);
    GdipGetImageHeight(pImage, &cySource);
    GdipDrawImageRectRectI(graphics.Native(), pImage, 0, 0, sizeTarget.cx, sizeTarget.cy, 0, 0,
                           static_cast<INT>(cxSource), static_cast<INT>(cySource), Gdiplus::UnitPixel, attributes.Get(),
                           nullptr, nullptr);
    return pTarget;
}

namespace {

// The base as it was decoded, or what it became at the DPI.
template <class T>
std::unique_ptr<T> ForDpi(std::unique_ptr<T> pBase, const wchar_t* pszPath, const CDpiScale& dpi,
                          const SkinImageFit& fit, const CImageVariantSet* pVariants)
{
    std::unique_ptr<Gdip::Bitmap> pScaled;
    if (pBase && ScaleForDpi(pszPath, *pBase, dpi, fit, pVariants, pScaled))
        return std::unique_ptr<T>(std::move(pScaled));
    return pBase;
}

} // namespace

std::unique_ptr<Gdip::Image> LoadSkinImage(const wchar_t* pszPath, const CDpiScale& dpi, const SkinImageFit& fit,
                                           const CImageVariantSet* pVariants, bool* pbMissing)
{
    return ForDpi(Gdip::LoadImageFile(pszPath, pbMissing), pszPath, dpi, fit, pVariants);
}

std::unique_ptr<Gdip::Bitmap> LoadSkinBitmap(const wchar_t* pszPath, const CDpiScale& dpi, const SkinImageFit& fit,
                                             const CImageVariantSet* pVariants)
{
    return ForDpi(Gdip::LoadBitmapFile(pszPath), pszPath, dpi, fit, pVariants);
}
