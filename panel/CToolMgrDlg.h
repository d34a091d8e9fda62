// The tool manager panel: a skinned dialog that lists the tools of the
// tool-service library as a scrolling grid of icons and names, starts a tool
// when its item is clicked and reloads the grid when a refresh completes.
//
// Scroll state lives in the window's standard vertical scroll bar (minimum 0,
// maximum the content height, page the list area's height, or 0 and 0 while
// nothing needs scrolling); every operation leaves the grid's m_nOffsetY at
// minus the scroll position. A skin may draw its own bar (CSkinScrollBar):
// the state stays in the window's scroll information, and the window gives
// the system's bar no room, so it never shows.
//
// The panel window is also the grid's keyboard focus: m_keyboard moves and
// starts the focus item, and WM_GETOBJECT hands screen readers the grid's
// accessible object (CToolGridAccessible), which the panel cuts off from
// itself when its window is destroyed.
//
// Painting composes the panel in an off-screen canvas that is kept between
// paints: a paint composes and copies only the part that the system asks
// for, and the panel asks only for what changed (the frames of the items
// whose hover or pressed state changed, the list area after a scroll, all
// after a refill or a new background).
#pragma once
#include "controls/CKdCommonDlg.h"
#include "controls/CKdWindowLessList.h"
#include "framework/CHandleOwner.h"
#include "include/PellixSDK.h"
#include "panel/CPanelCanvas.h"
#include "panel/CSkinScrollBar.h"
#include "panel/CToolGridKeyboard.h"

class CToolGridAccessible;
class CScrollBarAccessible;

// Messages between the grid, the tool-service library and the panel.
#define WM_TOOLLIST_ITEMCLICK (WM_USER + 1)
#define WM_TOOLLIST_REDRAW (WM_USER + 2)
#define WM_TOOLLIST_UPDATED (WM_USER + 3)

class CToolMgrDlg : public CKdCommonDlg, private CSkinScrollBar::IOwner
{
    DECLARE_DYNAMIC(CToolMgrDlg)

public:
    CToolMgrDlg();
    ~CToolMgrDlg() override;

    BOOL PreTranslateMessage(MSG* pMsg) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL OnInitDialog() override;
    int OnDynamicItemCreated(_XmlDynamicItem* pItem) override;
    int OnDynamicItemCommand(_XmlDynamicItem* pItem) override;
    // The base's background, then the panel's pictures made from it are stale.
    int LoadBackground() override;
    // The base's parts, then the grid's look and layout; the first visible row stays at the top.
    void ApplyDpi(int nDpi) override;

    // Refills the grid from the tool-service library; returns the tools listed.
    int GetPlugin();
    void FormatToolTip(const CString& strName, const CString& strVersion, const CString& strDesc,
                       CString& strToolTip) const;
    // The grid's area in client coordinates: the sheet less "PluginWndMarge".
    void GetListRect(RECT& rc) const;
    void UpdateListLayout(int nCount);
    void UpdateScrollRange();
    // Draws the whole panel onto the device context in one copy of the
    // off-screen canvas, composing first what went stale there.
    void DrawPanel(CDC* pDC);
    // Moves the scroll bar to nPos (the system keeps it in range) and the grid with it.
    void ScrollListTo(int nPos);

    _XmlDynamicItem* m_pLabel1 = nullptr;
    _XmlDynamicItem* m_pIcon = nullptr;
    _XmlDynamicItem* m_pLabel2 = nullptr;
    _XmlDynamicItem* m_pLabel3 = nullptr;
    _XmlDynamicItem* m_pRefresh = nullptr;
    CKdWindowLessList m_list;
    CToolGridKeyboard m_keyboard{*this};
    CSkinScrollBar m_scrollBar{*this};

protected:
    // void OnPaint()
    void OnPaint();
    // BOOL OnEraseBkgnd(CDC* pDC)
    BOOL OnEraseBkgnd(CDC* pDC);
    // void OnPrintClient(CDC* pDC, UINT nFlags)
    void OnPrintClient(CDC* pDC, UINT nFlags);
    // void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
    void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    // BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt)
    BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
    // void OnSysCommand(UINT nID, LPARAM lParam)
    void OnSysCommand(UINT nID, LPARAM lParam);
    // Enter and Escape keep the panel open.
    void OnEnterIgnored();
    void OnEscapeIgnored();
    // LRESULT (WPARAM: the clicked _WLL_LIST_CTRL_ITEM*, LPARAM: 0 click, 1 double click)
    LRESULT OnItemClick(WPARAM wParam, LPARAM lParam);
    LRESULT OnListRedraw(WPARAM wParam, LPARAM lParam);
    LRESULT OnPluginListUpdated(WPARAM wParam, LPARAM lParam);
    // Keyboard and screen-reader access to the grid (CToolGridKeyboard, CToolGridAccessible).
    // UINT OnGetDlgCode()
    UINT OnGetDlgCode();
    // void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    // void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
    void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    // void OnSetFocus(CWnd* pOldWnd)
    void OnSetFocus(CWnd* pOldWnd);
    // void OnKillFocus(CWnd* pNewWnd)
    void OnKillFocus(CWnd* pNewWnd);
    // void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized)
    void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    // LRESULT (WPARAM: previous flag or target window, LPARAM: nonzero when wParam is the window)
    LRESULT OnNextDlgCtl(WPARAM wParam, LPARAM lParam);
    // LRESULT OnGetObject(WPARAM wFlags, LONG nObjectId)
    LRESULT OnGetObject(WPARAM wFlags, LONG nObjectId);
    // void OnDestroy()
    void OnDestroy();
    // void OnDpiChanged(UINT nDpi, const RECT* pSuggested)
    void OnDpiChanged(UINT nDpi, const RECT* pSuggested);
    // void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp)
    void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    // void OnTimer(UINT_PTR nIDEvent)
    void OnTimer(UINT_PTR nIDEvent);
    DECLARE_MESSAGE_MAP()

private:
    // One trace line when the skin file could not be loaded, with the
    // parser's position for an XML error.
    void TraceSkinLoadFailure(const CString& strSkinFile) const;
    int AddToolItems(const _PLUGIN_INFO* pHead);
    // The grid's item that wParam points to, or null when it points elsewhere.
    const _WLL_LIST_CTRL_ITEM* OwnListItem(WPARAM wParam) const;
    void ShowPlaceholders(int nShow);
    void InvalidateList();
    // Marks the part stale in the canvas and invalidates it without erasing:
    // the paint covers every pixel of it.
    void InvalidatePart(const RECT& rc);
    bool PrepareCanvas();
    void ComposeSheet();
    void ComposePart(const RECT& rc);
    static void ShowItemControl(_XmlDynamicItem* pItem, int nShow);
    // Scroll moves from the position in si: each hands the new position to
    // the scroll bar and then follows the position that the bar holds.
    void ScrollUp(SCROLLINFO& si, int nBy);
    void ScrollDown(SCROLLINFO& si, int nBy);
    void ScrollTo(SCROLLINFO& si, int nPos);
    // Hands si to the window's scroll information; the system's bar is
    // redrawn only while it is the one that shows.
    void SetScrollState(const SCROLLINFO& si);
    // m_nOffsetY := minus the scroll bar's position; a move is announced.
    void FollowScrollBar();
    static int RoomBelow(const SCROLLINFO& si);
    // Adds a wheel delta to the sum; true when it makes a move, up or down.
    bool AddWheelDelta(short zDelta, bool& bUp);
    // The grid's row pitch (item height and vertical spacing), in device pixels.
    int RowPitch() const;
    // A refill: no focus item, and screen readers learn that the children changed.
    void OnGridRefilled();
    // Push buttons join the Tab ring; an image-only button is named after its tooltip.
    static void MakeReachable(_XmlDynamicItem* pItem);
    LRESULT ScrollBarObject(WPARAM wFlags);

    // CSkinScrollBar::IOwner
    HWND BarWindow() const override { return m_hWnd; }
    SCROLLINFO BarScrollInfo() const override;
    void ScrollFromBar(int nPos) override;
    void PageFromBar(bool bUp) override;
    void InvalidateBar(const RECT& rc) override;
    void PointerOverBar() override;

    struct AccessibleTraits
    {
        using Handle = CToolGridAccessible*;
        static Handle Invalid() { return nullptr; }
        static void Close(Handle pAccessible);
    };
    // Created at the first WM_GETOBJECT; cut off from the panel when its window goes.
    CHandleOwner<AccessibleTraits> m_accessible;
    struct BarAccessibleTraits
    {
        using Handle = CScrollBarAccessible*;
        static Handle Invalid() { return nullptr; }
        static void Close(Handle pAccessible);
    };
    CHandleOwner<BarAccessibleTraits> m_barAccessible;
    // The control that had the focus when the panel was deactivated, if any.
    HWND m_hWndFocusBeforeDeactivation = nullptr;

    // Wheel deltas short of a notch, kept until they make one.
    int m_nWheelSum = 0;
    CPanelCanvas m_canvas; // the composed panel
    CPanelCanvas m_sheet;  // the background alone, over the face colour
};
