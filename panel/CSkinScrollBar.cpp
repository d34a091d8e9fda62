#include "panel/CSkinScrollBar.h"
#include <windowsx.h>
#include <algorithm>
#include <cstdint>
#include "controls/GdipBitmap.h"
#include "controls/SkinImageFile.h"
#include "controls/SkinImageFit.h"
#include "controls/WindowDpi.h"
#include "panel/ScrollThumb.h"

namespace {

const wchar_t kSection[] = L"CommonWindow\\ToolMgrScrollBar";
const int kDefaultMinLength = 24; // skin pixels
const int kThumbFrames = 3;       // normal, hot, pressed
enum ThumbFrame { kFrameNormal = 0, kFrameHot = 1, kFramePressed = 2 };
// The system bar's pace for a held press on the track.
const UINT kRepeatDelay = 200;
const UINT kRepeatInterval = 50;
const UINT kHideDelay = 1000;
// A drag holds while the pointer stays this many bar widths beside the bar,
// and beyond its ends, as the system bar's does.
const int kSnapSideWidths = 8;
const int kSnapEndWidths = 2;

RECT SliceOf(const int (&parts)[4])
{
    return RECT{parts[0], parts[1], parts[2], parts[3]};
}

} // namespace

void CSkinScrollBar::LoadSkin(const CString& strSkinFile, const CString& strSkinName)
{
    m_mapWindowInfo.RemoveAll();
    ParseSkinFile(strSkinFile, this, kSection, CString(), strSkinName);
    ReadGeometry();
    ReadImages();
}

void CSkinScrollBar::ApplyDpi(const CDpiScale& dpi)
{
    if (dpi == m_dpi)
        return;
    m_dpi = dpi;
    ReadGeometry();
    ReadImages();
}

void CSkinScrollBar::ReadGeometry()
{
    GetInfoLength(L"Width", m_nWidth);
    m_nWidth = std::max(m_nWidth, 0);
    GetInfoLengthPoint(L"Inset", m_inset);
    if (!GetInfoLength(L"ThumbMinLength", m_nMinLength))
        m_nMinLength = m_dpi.Length(kDefaultMinLength);
    m_nMinLength = std::max(m_nMinLength, 0);
    int nAutoHide = 0;
    GetInfoNumber(L"AutoHide", nAutoHide);
    m_bAutoHide = nAutoHide != 0;
    // Insets count pixels of the image, which is resampled with the DPI.
    int parts[4];
    GetInfoLengthList(L"TrackSlice", parts, 4);
    m_trackSlice = SliceOf(parts);
    GetInfoLengthList(L"ThumbSlice", parts, 4);
    m_thumbSlice = SliceOf(parts);
}

void CSkinScrollBar::ReadImages()
{
    m_track.Reset();
    m_thumb.Reset();
    if (!IsSkinned())
        return;
    CString strPath;
    GetInfoString(L"TrackBmp", TRUE, strPath);
    if (auto pTrack = LoadSkinBitmap(strPath, m_dpi, SkinImageFit::OwnSize()))
        m_track.Load(*pTrack);
    GetInfoString(L"ThumbBmp", TRUE, strPath);
    if (auto pThumb = LoadSkinBitmap(strPath, m_dpi, SkinImageFit::Strip(kThumbFrames)))
        m_thumb.Load(*pThumb);
}

// ---- Geometry ---------------------------------------------------------------

bool CSkinScrollBar::IsNeeded() const
{
    SCROLLINFO si = m_owner.BarScrollInfo();
    return si.nPage > 0 && si.nMax >= static_cast<int>(si.nPage);
}

bool CSkinScrollBar::IsShown() const
{
    if (!IsSkinned() || !IsNeeded())
        return false;
    return !m_bAutoHide || m_bPointerInside || m_bDragging || m_bTrackHeld || m_bRecentScroll;
}

RECT CSkinScrollBar::BarRect() const
{
    int nRight = m_rcList.right - m_inset.x;
    return RECT{nRight - m_nWidth, m_rcList.top + m_inset.y, nRight, m_rcList.bottom - m_inset.y};
}

RECT CSkinScrollBar::ThumbRect() const
{
    RECT rc = BarRect();
    SCROLLINFO si = m_owner.BarScrollInfo();
    int nTrack = std::max(0, static_cast<int>(rc.bottom - rc.top));
    int nPage = static_cast<int>(si.nPage);
    int nLength = ScrollThumb::Length(nTrack, nPage, si.nMax, m_nMinLength);
    rc.top += ScrollThumb::Offset(nTrack, nLength, si.nPos, ScrollThumb::MaxPosition(si.nMax, nPage));
    rc.bottom = rc.top + nLength;
    return rc;
}

RECT CSkinScrollBar::PartRect(Part part) const
{
    RECT bar = BarRect(), thumb = ThumbRect();
    switch (part) {
    case kLineUp: return RECT{bar.left, bar.top, bar.left, bar.top};
    case kPageUp: return RECT{bar.left, bar.top, bar.right, thumb.top};
    case kThumb: return thumb;
    case kPageDown: return RECT{bar.left, thumb.bottom, bar.right, bar.bottom};
    case kLineDown: return RECT{bar.left, bar.bottom, bar.left, bar.bottom};
    }
    return RECT{0, 0, 0, 0};
}

int CSkinScrollBar::ValuePercent() const
{
    SCROLLINFO si = m_owner.BarScrollInfo();
    std::int64_t nMax = ScrollThumb::MaxPosition(si.nMax, static_cast<int>(si.nPage));
    std::int64_t nPos = std::clamp<std::int64_t>(si.nPos, 0, nMax);
    return static_cast<int>((200 * nPos + nMax) / (2 * nMax));
}

// ---- Input ------------------------------------------------------------------

bool CSkinScrollBar::OnMouseMessage(UINT nMsg, LPARAM lParam)
{
    if (!IsSkinned())
        return false;
    POINT pt = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    switch (nMsg) {
    case WM_MOUSEMOVE: return OnMouseMove(pt);
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: return OnButtonDown(pt);
    case WM_LBUTTONUP: return OnButtonUp();
    case WM_MOUSELEAVE: OnMouseLeave(); return false;
    case WM_CAPTURECHANGED: EndPress(); return false;
    default: return false;
    }
}

bool CSkinScrollBar::OnMouseMove(POINT pt)
{
    bool bWasShown = IsShown();
    m_bPointerInside = true;
    TrackLeave();
    if (m_bDragging) {
        DragTo(pt);
        return true;
    }
    if (m_bTrackHeld) {
        m_ptPointer = pt;
        return true;
    }
    InvalidateIfShownChanged(bWasShown);
    RECT bar = BarRect(), thumb = ThumbRect();
    bool bOverBar = IsShown() && PtInRect(&bar, pt);
    SetHot(bOverBar && PtInRect(&thumb, pt));
    if (bOverBar)
        m_owner.PointerOverBar();
    return bOverBar;
}

bool CSkinScrollBar::OnButtonDown(POINT pt)
{
    RECT bar = BarRect();
    if (!IsShown() || !PtInRect(&bar, pt))
        return false;
    HWND hWnd = m_owner.BarWindow();
    RECT thumb = ThumbRect();
    if (PtInRect(&thumb, pt)) {
        m_bDragging = true;
        m_nGrabOffset = pt.y - thumb.top;
        m_nDragStartPos = m_owner.BarScrollInfo().nPos;
        ::SetCapture(hWnd);
        m_owner.InvalidateBar(thumb);
        return true;
    }
    m_bTrackHeld = true;
    m_bRepeating = false;
    m_ptPointer = pt;
    ::SetCapture(hWnd);
    PageTowardPointer();
    // Without the timer a press pages once.
    ::SetTimer(hWnd, kRepeatTimer, kRepeatDelay, nullptr);
    return true;
}

bool CSkinScrollBar::OnButtonUp()
{
    if (!m_bDragging && !m_bTrackHeld)
        return false;
    EndPress();
    return true;
}

void CSkinScrollBar::OnMouseLeave()
{
    m_bTrackingLeave = false;
    bool bWasShown = IsShown();
    m_bPointerInside = false;
    SetHot(false);
    InvalidateIfShownChanged(bWasShown);
}

void CSkinScrollBar::TrackLeave()
{
    if (m_bTrackingLeave)
        return;
    TRACKMOUSEEVENT tme = {sizeof(tme), TME_LEAVE, m_owner.BarWindow(), 0};
    m_bTrackingLeave = ::TrackMouseEvent(&tme) != FALSE;
}

void CSkinScrollBar::SetHot(bool bHot)
{
    if (bHot == m_bHot)
        return;
    m_bHot = bHot;
    m_owner.InvalidateBar(ThumbRect());
}

void CSkinScrollBar::DragTo(POINT pt)
{
    SCROLLINFO si = m_owner.BarScrollInfo();
    int nPos = m_nDragStartPos;
    if (!IsFarFromBar(pt)) {
        RECT bar = BarRect();
        int nTrack = bar.bottom - bar.top;
        int nPage = static_cast<int>(si.nPage);
        int nLength = ScrollThumb::Length(nTrack, nPage, si.nMax, m_nMinLength);
        nPos = ScrollThumb::PositionAt(nTrack, nLength, pt.y - m_nGrabOffset - bar.top,
                                       ScrollThumb::MaxPosition(si.nMax, nPage));
    }
    if (nPos != si.nPos)
        m_owner.ScrollFromBar(nPos);
}

bool CSkinScrollBar::IsFarFromBar(POINT pt) const
{
    RECT bar = BarRect();
    int nWidth = std::max(m_nWidth, SystemMetricForDpi(SM_CXVSCROLL, m_dpi.Dpi()));
    int nBeside = std::max(bar.left - pt.x, pt.x - (bar.right - 1));
    int nBeyond = std::max(bar.top - pt.y, pt.y - (bar.bottom - 1));
    return nBeside > kSnapSideWidths * nWidth || nBeyond > kSnapEndWidths * nWidth;
}

void CSkinScrollBar::PageTowardPointer()
{
    RECT bar = BarRect(), thumb = ThumbRect();
    if (!PtInRect(&bar, m_ptPointer))
        return;
    if (m_ptPointer.y < thumb.top)
        m_owner.PageFromBar(true);
    else if (m_ptPointer.y >= thumb.bottom)
        m_owner.PageFromBar(false);
}

// A release, or the capture lost: the position stays where it is.
void CSkinScrollBar::EndPress()
{
    if (!m_bDragging && !m_bTrackHeld)
        return;
    bool bWasShown = IsShown();
    HWND hWnd = m_owner.BarWindow();
    if (m_bDragging) {
        m_bDragging = false;
        m_owner.InvalidateBar(ThumbRect());
    }
    if (m_bTrackHeld) {
        m_bTrackHeld = false;
        ::KillTimer(hWnd, kRepeatTimer);
    }
    if (::GetCapture() == hWnd)
        ::ReleaseCapture();
    InvalidateIfShownChanged(bWasShown);
}

bool CSkinScrollBar::OnTimer(UINT_PTR nIDEvent)
{
    HWND hWnd = m_owner.BarWindow();
    if (nIDEvent == kRepeatTimer) {
        if (!m_bTrackHeld) {
            ::KillTimer(hWnd, kRepeatTimer);
            return true;
        }
        if (!m_bRepeating)
            m_bRepeating = ::SetTimer(hWnd, kRepeatTimer, kRepeatInterval, nullptr) != 0;
        PageTowardPointer();
        return true;
    }
    if (nIDEvent == kHideTimer) {
        ::KillTimer(hWnd, kHideTimer);
        bool bWasShown = IsShown();
        m_bRecentScroll = false;
        InvalidateIfShownChanged(bWasShown);
        return true;
    }
    return false;
}

void CSkinScrollBar::OnScrolled()
{
    if (!IsSkinned() || !m_bAutoHide)
        return;
    bool bWasShown = IsShown();
    m_bRecentScroll = true;
    // Without the timer nothing ends the recent scroll: the bar stays shown.
    ::SetTimer(m_owner.BarWindow(), kHideTimer, kHideDelay, nullptr);
    InvalidateIfShownChanged(bWasShown);
}

void CSkinScrollBar::Stop()
{
    EndPress();
    HWND hWnd = m_owner.BarWindow();
    ::KillTimer(hWnd, kRepeatTimer);
    ::KillTimer(hWnd, kHideTimer);
    m_bRecentScroll = false;
}

void CSkinScrollBar::InvalidateIfShownChanged(bool bWasShown)
{
    if (IsShown() != bWasShown)
        m_owner.InvalidateBar(BarRect());
}

// ---- Drawing ----------------------------------------------------------------

int CSkinScrollBar::ThumbFrame() const
{
    return m_bDragging ? kFramePressed : m_bHot ? kFrameHot : kFrameNormal;
}

void CSkinScrollBar::Draw(const PixelSurface& target, const RECT& rcClip) const
{
    if (!IsShown())
        return;
    if (!m_track.IsEmpty())
        m_track.BlendSliced(target, RECT{0, 0, m_track.Width(), m_track.Height()}, m_trackSlice, BarRect(), rcClip);
    int nFrameWidth = m_thumb.Width() / kThumbFrames;
    if (nFrameWidth <= 0)
        return;
    int nLeft = ThumbFrame() * nFrameWidth;
    m_thumb.BlendSliced(target, RECT{nLeft, 0, nLeft + nFrameWidth, m_thumb.Height()}, m_thumbSlice, ThumbRect(),
                        rcClip);
}
