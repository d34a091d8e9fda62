#include "controls/GdipPen.h"

using namespace Gdiplus::DllExports;

namespace Gdip {

Pen::Pen(Gdiplus::ARGB color, Gdiplus::REAL width, Gdiplus::Unit unit)
{
    SetStatus(GdipCreatePen1(color, width, unit, &m_pNative));
}

Pen::~Pen()
{
    if (m_pNative)
        GdipDeletePen(m_pNative);
}

Status Pen::SetDashStyle(Gdiplus::DashStyle style)
{
    if (!m_pNative)
        return SetStatus(Gdiplus::InvalidParameter);
    return SetStatus(GdipSetPenDashStyle(m_pNative, style));
}

} // namespace Gdip
