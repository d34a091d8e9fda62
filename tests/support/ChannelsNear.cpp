#include "ChannelsNear.h"

bool ChannelsNear(Gdiplus::ARGB a, Gdiplus::ARGB b, int nTolerance, int nChannels)
{
    for (int shift = 0; shift < nChannels * 8; shift += 8) {
        int ca = static_cast<int>((a >> shift) & 0xFF);
        int cb = static_cast<int>((b >> shift) & 0xFF);
        if (ca - cb > nTolerance || cb - ca > nTolerance)
            return false;
    }
    return true;
}

Gdiplus::ARGB OpaqueArgb(COLORREF color)
{
    return 0xFF000000u | (GetRValue(color) << 16) | (GetGValue(color) << 8) | GetBValue(color);
}
