#include "panel/ScrollThumb.h"
#include <algorithm>
#include <cstdint>

namespace ScrollThumb {

int MaxPosition(int nContent, int nPage)
{
    return std::max(1, nContent - nPage + 1);
}

int Length(int nTrack, int nPage, int nContent, int nMinLength)
{
    if (nTrack <= 0)
        return 0;
    std::int64_t nShown = nContent > 0 ? static_cast<std::int64_t>(nTrack) * nPage / nContent : nTrack;
    int nLength = static_cast<int>(std::min<std::int64_t>(nTrack, nShown));
    return std::min(nTrack, std::max(nMinLength, nLength));
}

int Offset(int nTrack, int nLength, int nPos, int nMaxPos)
{
    int nRoom = nTrack - nLength;
    if (nRoom <= 0 || nMaxPos <= 0)
        return 0;
    nPos = std::clamp(nPos, 0, nMaxPos);
    return static_cast<int>(static_cast<std::int64_t>(nRoom) * nPos / nMaxPos);
}

int PositionAt(int nTrack, int nLength, int nOffset, int nMaxPos)
{
    int nRoom = nTrack - nLength;
    if (nRoom <= 0)
        return 0;
    nOffset = std::clamp(nOffset, 0, nRoom);
    return static_cast<int>(static_cast<std::int64_t>(nOffset) * nMaxPos / nRoom);
}

} // namespace ScrollThumb
