// Owner of a GDI+ solid brush, released once with GdipDeleteBrush.
#pragma once
#include "controls/GdipLastStatus.h"

namespace Gdip {

class SolidBrush : public LastStatus
{
public:
    explicit SolidBrush(Gdiplus::ARGB color); // GdipCreateSolidFill
    ~SolidBrush();
    SolidBrush(const SolidBrush&) = delete;
    SolidBrush& operator=(const SolidBrush&) = delete;

    Gdiplus::GpBrush* Native() const { return m_pNative; }

private:
    Gdiplus::GpSolidFill* m_pNative = nullptr;
};

} // namespace Gdip
