// Skin images at a DPI. At 96 DPI an image is its file, decoded as ever. At
// any other DPI the best variant beside the file (CImageVariantSet) is
// decoded and resampled once, with high-quality interpolation, to the size
// that the fit gives for the base image; callers keep the result and draw it
// at its own size, in device pixels. A variant without its base is never
// used; a variant that cannot be decoded, or whose size is off by more than a
// pixel, leaves the next choice (a wrong size writes one trace line). An
// .ico file gives its frame for the size (IconFileFrame.h).
#pragma once
#include <memory>
#include "controls/GdipBitmap.h"
#include "controls/SkinImageFit.h"
#include "skin/CImageVariantSet.h"

// The image for pszPath at the DPI, or null when it cannot be had. With
// pVariants the directory is not asked again which variants exist. With
// pbMissing a missing file sets it, as Gdip::LoadImageFile says.
std::unique_ptr<Gdip::Image> LoadSkinImage(const wchar_t* pszPath, const CDpiScale& dpi, const SkinImageFit& fit,
                                           const CImageVariantSet* pVariants = nullptr, bool* pbMissing = nullptr);
// The same as a bitmap (its pixels can be read).
std::unique_ptr<Gdip::Bitmap> LoadSkinBitmap(const wchar_t* pszPath, const CDpiScale& dpi, const SkinImageFit& fit,
                                             const CImageVariantSet* pVariants = nullptr);
// A new bitmap of the image resampled to sizeTarget; null when that size
// cannot be made.
std::unique_ptr<Gdip::Bitmap> ResampleImage(Gdip::Image& image, SIZE sizeTarget);
std::unique_ptr<Gdip::Bitmap> ResampleNative(Gdiplus::GpImage* pImage, SIZE sizeTarget);
