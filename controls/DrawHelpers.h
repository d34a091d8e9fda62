// Off-screen composition shared by the skinned controls: they build their
// picture in a 32-bit ARGB bitmap and copy the finished picture in one call.
#pragma once
#include <memory>
#include "controls/GdipBitmap.h"
#include "skin/CDpiScale.h"

namespace Gdip {
class Graphics;
}

// Replaces the slot's bitmap by a new, fully transparent ARGB bitmap of the
// size. A size of 0, or one too large to be made (see SurfaceSize.h), leaves
// an owner whose creation failed: drawing into it draws nothing. Returns TRUE.
BOOL ResetBitmap(std::unique_ptr<Gdip::Bitmap>& slot, int nWidth, int nHeight);

// Copies the part rc (left, top, right, bottom) of the source, unscaled, to
// the top-left corner of the target. A null target or source draws nothing.
// Returns TRUE.
BOOL DrawImagePart(Gdip::Image* pTarget, Gdip::Image* pSource, const RECT& rc);

// Draws a dotted black one-pixel frame 3 pixels inside rc on the target (both
// lengths scaled to the DPI); its last dotted column and row lie inside the
// shrunk rectangle. A null target draws nothing. Returns TRUE.
BOOL DrawFocusFrame(Gdip::Image* pTarget, const RECT& rc, const CDpiScale& dpi = CDpiScale());

// The system colour nIndex (GetSysColor) as an opaque ARGB colour.
Gdiplus::ARGB SystemColorArgb(int nIndex);

// Fills a frame nWidth pixels wide along the inside of rc (left, top, right,
// bottom); a width of more than half the smaller side fills the rectangle.
void FillFrame(Gdip::Graphics& graphics, const RECT& rc, int nWidth, Gdiplus::ARGB color);
