#include "controls/GdipTextFontFamily.h"

using namespace Gdiplus::DllExports;

namespace Gdip {

TextFontFamily::TextFontFamily(const wchar_t* pszName)
{
    if (TryName(pszName) || TryName(MessageFontFace()))
        return;
    Gdiplus::GpFontFamily* pNative = nullptr;
    if (SetStatus(GdipGetGenericFontFamilySansSerif(&pNative)) == Gdiplus::Ok)
        SetNative(pNative);
}

bool TextFontFamily::TryName(const wchar_t* pszName)
{
    // An empty name is no family, whatever GDI+ would make of it.
    if (!pszName || !*pszName)
        return false;
    Gdiplus::GpFontFamily* pNative = nullptr;
    if (GdipCreateFontFamilyFromName(pszName, nullptr, &pNative) != Gdiplus::Ok || !pNative)
        return false;
    SetNative(pNative);
    return true;
}

CString TextFontFamily::MessageFontFace()
{
    NONCLIENTMETRICSW metrics = {};
    metrics.cbSize = sizeof(metrics);
    if (!::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0))
        return CString();
    return CString(metrics.lfMessageFont.lfFaceName);
}

} // namespace Gdip
