#include "controls/GdipFontFamily.h"

using namespace Gdiplus::DllExports;

namespace Gdip {

FontFamily::FontFamily(const wchar_t* pszName)
{
    SetStatus(GdipCreateFontFamilyFromName(pszName, nullptr, &m_pNative));
}

FontFamily::~FontFamily()
{
    if (m_pNative)
        GdipDeleteFontFamily(m_pNative);
}

} // namespace Gdip
