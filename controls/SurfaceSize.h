// The one limit on the drawing surfaces that the module makes from sizes it
// reads from a skin (sheet, list area, controls): a hostile or careless size
// must not ask the graphics libraries for gigabytes, whose size computation
// can overflow inside them and take the host down. A surface that is refused
// is simply not made, and nothing is drawn into it, as with a missing image.
#pragma once

constexpr int kMaxSurfaceSide = 16384;            // pixels, either side
constexpr long long kMaxSurfacePixels = 1LL << 26; // 256 MiB at 4 bytes per pixel

// True when a surface of nWidth x nHeight may be made: each side from 1 to
// kMaxSurfaceSide pixels, and at most kMaxSurfacePixels pixels in all.
bool IsSurfaceSizeAllowed(int nWidth, int nHeight);
