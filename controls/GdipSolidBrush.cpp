#include "controls/GdipSolidBrush.h"

using namespace Gdiplus::DllExports;

namespace Gdip {

SolidBrush::SolidBrush(Gdiplus::ARGB color)
{
    SetStatus(GdipCreateSolidFill(color, &m_pNative));
}

SolidBrush::~SolidBrush()
{
    if (m_pNative)
        GdipDeleteBrush(m_pNative);
}

} // namespace Gdip
