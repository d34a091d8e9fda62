#include "skin/CDpiScale.h"
#include <climits>

CDpiScale::CDpiScale(int nDpi) : m_nDpi(nDpi > 0 ? nDpi : kBaseDpi) {}

int CDpiScale::Length(int nSkin) const
{
    // Exact integer rounding of v * dpi / 96, halves away from zero.
    long long nScaled = static_cast<long long>(nSkin) * m_nDpi;
    long long nHalf = kBaseDpi / 2;
    long long nDevice = nScaled >= 0 ? (nScaled + nHalf) / kBaseDpi : -((-nScaled + nHalf) / kBaseDpi);
    if (nDevice > INT_MAX)
        return INT_MAX;
    if (nDevice < INT_MIN)
        return INT_MIN;
    return static_cast<int>(nDevice);
}

int CDpiScale::PenWidth(int nSkin) const
{
    int nDevice = Length(nSkin);
    return nDevice < 1 ? 1 : nDevice;
}

POINT CDpiScale::Point(POINT pt) const
{
    return POINT{Length(pt.x), Length(pt.y)};
}

SIZE CDpiScale::Size(SIZE size) const
{
    return SIZE{Length(size.cx), Length(size.cy)};
}

RECT CDpiScale::Rect(const RECT& rc) const
{
    return RECT{Length(rc.left), Length(rc.top), Length(rc.right), Length(rc.bottom)};
}
