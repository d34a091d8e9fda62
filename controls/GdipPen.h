// Owner of a GDI+ pen, released once with GdipDeletePen.
#pragma once
#include "controls/GdipLastStatus.h"

namespace Gdip {

class Pen : public LastStatus
{
public:
    // GdipCreatePen1: colour, width, unit of the width (world units by default).
    Pen(Gdiplus::ARGB color, Gdiplus::REAL width, Gdiplus::Unit unit = Gdiplus::UnitWorld);
    ~Pen();
    Pen(const Pen&) = delete;
    Pen& operator=(const Pen&) = delete;

    Status SetDashStyle(Gdiplus::DashStyle style); // GdipSetPenDashStyle

    Gdiplus::GpPen* Native() const { return m_pNative; }

private:
    Gdiplus::GpPen* m_pNative = nullptr;
};

} // namespace Gdip
