// Where a scroll bar's thumb lies for a scroll state, and the state that a
// dragged thumb stands for. The content is nContent pixels high and shows
// nPage of them; positions run from 0 to nContent - nPage + 1, the room that
// the window's scroll information leaves below its page.
#pragma once

namespace ScrollThumb {

// The last position: nContent - nPage + 1, at least 1.
int MaxPosition(int nContent, int nPage);
// max(nMinLength, min(nTrack, floor(nTrack * nPage / nContent))), and never
// longer than the track.
int Length(int nTrack, int nPage, int nContent, int nMinLength);
// The thumb's offset from the track's top: floor((nTrack - nLength) * nPos / nMaxPos).
int Offset(int nTrack, int nLength, int nPos, int nMaxPos);
// The inverse: the position whose thumb lies at nOffset (limited to the
// track), floor(nOffset * nMaxPos / (nTrack - nLength)).
int PositionAt(int nTrack, int nLength, int nOffset, int nMaxPos);

} // namespace ScrollThumb
