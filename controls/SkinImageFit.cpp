#include "controls/SkinImageFit.h"

namespace {

// n * device / skin, rounded; n unscaled when the cell has no size.
int ByCell(long nBase, long nSkinCell, long nDeviceCell)
{
    if (nSkinCell <= 0 || nDeviceCell <= 0)
        return static_cast<int>(nBase);
    long long nScaled = static_cast<long long>(nBase) * nDeviceCell;
    return static_cast<int>((nScaled + nSkinCell / 2) / nSkinCell);
}

} // namespace

SIZE SkinImageFit::DeviceSize(SIZE sizeBase, const CDpiScale& dpi) const
{
    if (m_nFrames == 0)
        return SIZE{ByCell(sizeBase.cx, m_sizeSkinCell.cx, m_sizeDeviceCell.cx),
                    ByCell(sizeBase.cy, m_sizeSkinCell.cy, m_sizeDeviceCell.cy)};
    int nFrameWidth = static_cast<int>(sizeBase.cx / m_nFrames);
    int nWidth = m_nFrames == 1 ? dpi.Length(sizeBase.cx) : m_nFrames * dpi.Length(nFrameWidth);
    return SIZE{nWidth, dpi.Length(sizeBase.cy)};
}
