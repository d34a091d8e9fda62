// Colours of test pixels: comparison with a tolerance, for pixels that
// smoothing, stretching or format conversion may shift by a few steps.
#pragma once
#include <windows.h>
#include <gdiplus.h>

// True when none of the lowest nChannels channels of a and b (blue, green,
// red, then alpha: 3 compares the colour only, 4 the alpha too) differs by
// more than nTolerance.
bool ChannelsNear(Gdiplus::ARGB a, Gdiplus::ARGB b, int nTolerance, int nChannels);

// COLORREF to opaque ARGB.
Gdiplus::ARGB OpaqueArgb(COLORREF color);
