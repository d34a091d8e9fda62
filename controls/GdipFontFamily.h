// Owner of a GDI+ font family, released once with GdipDeleteFontFamily.
#pragma once
#include "controls/GdipLastStatus.h"

namespace Gdip {

class FontFamily : public LastStatus
{
public:
    // An installed family by name (GdipCreateFontFamilyFromName, no font
    // collection); an unknown or empty name leaves a null handle.
    explicit FontFamily(const wchar_t* pszName);
    ~FontFamily();
    FontFamily(const FontFamily&) = delete;
    FontFamily& operator=(const FontFamily&) = delete;

    Gdiplus::GpFontFamily* Native() const { return m_pNative; }

protected:
    // For derived owners that find the handle themselves.
    FontFamily() = default;
    void SetNative(Gdiplus::GpFontFamily* pNative) { m_pNative = pNative; }

private:
    Gdiplus::GpFontFamily* m_pNative = nullptr;
};

} // namespace Gdip
