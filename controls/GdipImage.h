// Owner of a GDI+ image (flat API handle), released once with GdipDisposeImage.
#pragma once
#include <memory>
#include "controls/GdipLastStatus.h"

namespace Gdip {

class Image : public LastStatus
{
public:
    // Decodes the file (GdipLoadImageFromFile); a failure leaves a null handle
    // and its status in GetLastStatus.
    explicit Image(const wchar_t* pszFile);
    virtual ~Image();
    Image(const Image&) = delete;
    Image& operator=(const Image&) = delete;

    UINT Width() const;  // 0 when there is no image
    UINT Height() const; // 0 when there is no image
    Gdiplus::GpImage* Native() const { return m_pNative; }

protected:
    // For derived owners that create the handle themselves.
    Image() = default;
    void SetNative(Gdiplus::GpImage* pNative) { m_pNative = pNative; }

private:
    Gdiplus::GpImage* m_pNative = nullptr;
};

// The image of the file, or null when it cannot be loaded.
std::unique_ptr<Image> LoadImageFile(const wchar_t* pszFile);

} // namespace Gdip
