#include "controls/GdipImage.h"

using namespace Gdiplus::DllExports;

namespace Gdip {

Image::Image(const wchar_t* pszFile)
{
    SetStatus(GdipLoadImageFromFile(pszFile, &m_pNative));
}

Image::~Image()
{
    if (m_pNative)
        GdipDisposeImage(m_pNative);
}

UINT Image::Width() const
{
    UINT nWidth = 0;
    if (m_pNative)
        SetStatus(GdipGetImageWidth(m_pNative, &nWidth));
    return nWidth;
}

UINT Image::Height() const
{
    UINT nHeight = 0;
    if (m_pNative)
        SetStatus(GdipGetImageHeight(m_pNative, &nHeight));
    return nHeight;
}

std::unique_ptr<Image> LoadImageFile(const wchar_t* pszFile)
{
    auto pImage = std::make_unique<Image>(pszFile);
    if (pImage->GetLastStatus() != Gdiplus::Ok)
        pImage.reset();
    return pImage;
}

} // namespace Gdip
