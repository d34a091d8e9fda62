// The tool manager panel: a skinned dialog that lists the tools of the
// tool-service library as a scrolling grid of icons and names, starts a tool
// when its item is clicked and reloads the grid when a refresh completes.
//
// Scroll state lives in the window's standard vertical scroll bar (minimum 0,
// maximum the content height, page the list area's height, or 0 and 0 while
// nothing needs scrolling); every operation leaves the grid's m_nOffsetY at
// minus the scroll position.
#pragma once
#include "controls/CKdCommonDlg.h"
#include "controls/CKdWindowLessList.h"
#include "include/PellixSDK.h"

// Messages between the grid, the tool-service library and the panel.
#define WM_TOOLLIST_ITEMCLICK (WM_USER + 1)
#define WM_TOOLLIST_REDRAW (WM_USER + 2)
#define WM_TOOLLIST_UPDATED (WM_USER + 3)

class CToolMgrDlg : public CKdCommonDlg
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

    // Refills the grid from the tool-service library; returns the tools listed.
    int GetPlugin();
    void FormatToolTip(const CString& strName, const CString& strVersion, const CString& strDesc,
                       CString& strToolTip) const;
    // The grid's area in client coordinates: the sheet less "PluginWndMarge".
    void GetListRect(RECT& rc) const;
    void UpdateListLayout(int nCount);
    void UpdateScrollRange();
    // Composes the background and the grid off screen and copies them in one draw.
    void DrawPanel(CDC* pDC);

    _XmlDynamicItem* m_pLabel1 = nullptr;
    _XmlDynamicItem* m_pIcon = nullptr;
    _XmlDynamicItem* m_pLabel2 = nullptr;
    _XmlDynamicItem* m_pLabel3 = nullptr;
    _XmlDynamicItem* m_pRefresh = nullptr;
    CKdWindowLessList m_list;

protected:
    // void OnPaint()
    void OnPaint();
    // BOOL OnEraseBkgnd(CDC* pDC)
    BOOL OnEraseBkgnd(CDC* pDC);
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
    DECLARE_MESSAGE_MAP()

private:
    int AddToolItems(const _PLUGIN_INFO* pHead);
    void ShowPlaceholders(int nShow);
    void InvalidateList();
    static void ShowItemControl(_XmlDynamicItem* pItem, int nShow);
    // Scroll moves on a SCROLLINFO; each keeps m_nOffsetY equal to -nPos.
    void ScrollUp(SCROLLINFO& si, int nBy);
    void ScrollDown(SCROLLINFO& si, int nBy);
    void ScrollTo(SCROLLINFO& si, int nPos);
    static int RoomBelow(const SCROLLINFO& si);
};
