// The header of a top-down 32-bit DIB, whose rows run from the top like the
// screen's, so pixel (x, y) sits at index y * width + x.
#pragma once
#include <windows.h>

BITMAPINFO TopDownDibInfo(int nWidth, int nHeight);
