#include "controls/SurfaceSize.h"

bool IsSurfaceSizeAllowed(int nWidth, int nHeight)
{
    if (nWidth < 1 || nHeight < 1 || nWidth > kMaxSurfaceSide || nHeight > kMaxSurfaceSide)
        return false;
    return static_cast<long long>(nWidth) * nHeight <= kMaxSurfacePixels;
}
