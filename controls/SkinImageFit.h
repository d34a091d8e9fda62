// The device size that a skin image is resampled to at a DPI, from the size
// of its base image (what the skin addresses inside an image is measured in
// base-image pixels). A strip is scaled frame by frame, so its frames keep
// whole, equal device widths: 4 frames of 30 pixels at 1.25 become 4 x 38
// pixels, not 150 / 4.
#pragma once
#include <windows.h>
#include "skin/CDpiScale.h"

class SkinImageFit
{
public:
    // Drawn at its own size: round(width * s) x round(height * s).
    static SkinImageFit OwnSize() { return SkinImageFit(1, SIZE{0, 0}, SIZE{0, 0}); }
    // nFrames frames side by side, each of the base width / nFrames.
    static SkinImageFit Strip(int nFrames) { return SkinImageFit(nFrames, SIZE{0, 0}, SIZE{0, 0}); }
    // Frames of a control's size: a cell of sizeSkin becomes one of sizeDevice.
    static SkinImageFit Cells(SIZE sizeSkin, SIZE sizeDevice) { return SkinImageFit(0, sizeSkin, sizeDevice); }

    SIZE DeviceSize(SIZE sizeBase, const CDpiScale& dpi) const;

private:
    SkinImageFit(int nFrames, SIZE sizeSkinCell, SIZE sizeDeviceCell)
        : m_nFrames(nFrames), m_sizeSkinCell(sizeSkinCell), m_sizeDeviceCell(sizeDeviceCell) {}

    int m_nFrames;        // 0: scaled by the cells
    SIZE m_sizeSkinCell;  // with m_nFrames 0
    SIZE m_sizeDeviceCell;
};
