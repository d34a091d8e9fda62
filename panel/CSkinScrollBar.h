// The panel's own vertical scroll bar, drawn from the skin's section
// "CommonWindow\ToolMgrScrollBar": a track image and a thumb strip (normal,
// hot, pressed), each drawn in nine slices, at the right edge of the list
// area. The bar is skinned when the section gives a "Width" above 0;
// otherwise the panel keeps the system's bar and this one does nothing.
//
// The scroll state stays in the owner's window (its standard vertical scroll
// information): the bar reads it to draw and hit-test, and moves it only
// through its owner (IOwner). The bar takes the mouse before the grid: a
// press on the thumb drags it (with the system bar's snap-back while the
// pointer is far away), a press on the track pages toward the pointer and
// repeats while held. With "AutoHide" the bar overlays the grid and shows
// only while the pointer is over the panel, during a drag, or for a second
// after a scroll. Its two timers live on the owner's window.
#pragma once
#include "controls/CPremultipliedPixels.h"
#include "skin/CQmXMLParseBase.h"

class CSkinScrollBar : public CQmXMLParseBase
{
public:
    // What the bar asks of the window it lives in.
    class IOwner
    {
    public:
        virtual HWND BarWindow() const = 0;
        // Content height (nMax), page and position of the window's scroll information.
        virtual SCROLLINFO BarScrollInfo() const = 0;
        // The bar moved the position (a drag) or asked for a page (a track press).
        virtual void ScrollFromBar(int nPos) = 0;
        virtual void PageFromBar(bool bUp) = 0;
        // The part of the bar changed its look.
        virtual void InvalidateBar(const RECT& rc) = 0;
        // The pointer came over the bar: no grid item is hovered now.
        virtual void PointerOverBar() = 0;

    protected:
        ~IOwner() = default;
    };

    // Its parts, as screen readers number the children of a scroll bar.
    enum Part { kLineUp = 1, kPageUp, kThumb, kPageDown, kLineDown };
    static constexpr UINT_PTR kRepeatTimer = 0x5B01;
    static constexpr UINT_PTR kHideTimer = 0x5B02;

    explicit CSkinScrollBar(IOwner& owner) : m_owner(owner) {}
    ~CSkinScrollBar() override = default;

    // Reads the section (none: the bar is not skinned) and its images.
    void LoadSkin(const CString& strSkinFile, const CString& strSkinName);
    // Lengths and images at the DPI from now on.
    void ApplyDpi(const CDpiScale& dpi);

    bool IsSkinned() const { return m_nWidth > 0; }
    // What the grid gives up for the bar while it is needed: Width + Inset.x,
    // or 0 for a bar that overlays the grid.
    int LayoutWidth() const { return m_bAutoHide ? 0 : m_nWidth + m_inset.x; }
    // The list area (client coordinates) at whose right edge the bar lies.
    void SetListRect(const RECT& rc) { m_rcList = rc; }

    // The content is taller than the page.
    bool IsNeeded() const;
    // Skinned, needed and not hidden: drawn, and taking input.
    bool IsShown() const;
    RECT BarRect() const;
    // A part in client coordinates (the line arrows are empty: there are none).
    RECT PartRect(Part part) const;
    // round(100 * position / last position), 0 to 100.
    int ValuePercent() const;

    // Mouse messages with the client point in lParam (WM_MOUSEMOVE,
    // WM_LBUTTONDOWN, WM_LBUTTONDBLCLK, WM_LBUTTONUP, WM_MOUSELEAVE,
    // WM_CAPTURECHANGED); true when the bar consumed it.
    bool OnMouseMessage(UINT nMsg, LPARAM lParam);
    // True for the bar's own timers.
    bool OnTimer(UINT_PTR nIDEvent);
    // The position moved, by whatever means: an overlay bar shows for a while.
    void OnScrolled();
    // Ends a drag or a held press and kills the timers (the window goes).
    void Stop();

    // Draws the shown bar on the surface, touching only pixels in rcClip.
    void Draw(const PixelSurface& target, const RECT& rcClip) const;

private:
    void ReadGeometry();
    void ReadImages();
    RECT ThumbRect() const;
    int ThumbFrame() const;

    bool OnMouseMove(POINT pt);
    bool OnButtonDown(POINT pt);
    bool OnButtonUp();
    void OnMouseLeave();
    void TrackLeave();
    void SetHot(bool bHot);
    void DragTo(POINT pt);
    // True when the pointer is too far from the bar for a drag to hold.
    bool IsFarFromBar(POINT pt) const;
    void PageTowardPointer();
    void EndPress();
    void InvalidateIfShownChanged(bool bWasShown);

    IOwner& m_owner;
    // From the skin, in device pixels.
    int m_nWidth = 0;
    POINT m_inset = {0, 0};
    int m_nMinLength = 0;
    bool m_bAutoHide = false;
    RECT m_trackSlice = {0, 0, 0, 0};
    RECT m_thumbSlice = {0, 0, 0, 0};
    CPremultipliedPixels m_track;
    CPremultipliedPixels m_thumb; // three frames side by side
    RECT m_rcList = {0, 0, 0, 0};

    bool m_bHot = false;
    bool m_bDragging = false;
    int m_nGrabOffset = 0;   // where on the thumb the drag took hold
    int m_nDragStartPos = 0; // where a snap-back returns to
    bool m_bTrackHeld = false;
    bool m_bRepeating = false; // the repeat timer runs at its fast pace
    POINT m_ptPointer = {0, 0};
    bool m_bPointerInside = false;
    bool m_bTrackingLeave = false;
    bool m_bRecentScroll = false; // until the hide timer fires; without the timer the bar stays
};
