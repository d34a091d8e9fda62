#include "panel/CToolMgrDlg.h"
#include <shlwapi.h>
#include "controls/DrawHelpers.h"
#include "controls/GdipGraphics.h"
#include "diag/CLogTrace.h"
#include "panel/CToolTipPattern.h"
#include "panel/PluginRecord.h"
#include "include/PellixSDK.h"
#include "res/resource.h"
#include "skin/ValueText.h"

namespace {
const int kTraceLevel = 4;
const wchar_t kDialogSection[] = L"CommonWindow\\ToolMgrUIDlg";
const wchar_t kListSection[] = L"CommonWindow\\ToolMgrList";
const wchar_t kSkinName[] = L"Default";
// PxRunTool's fixed arguments for starting a tool from the panel.
const int kRunToolMode = 4;
const int kRunToolShow = 1;
const int kRunToolReserved = 0;
}

IMPLEMENT_DYNAMIC(CToolMgrDlg, CKdCommonDlg)

BEGIN_MESSAGE_MAP(CToolMgrDlg, CKdCommonDlg)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_VSCROLL()
    ON_WM_MOUSEWHEEL()
    ON_WM_SYSCOMMAND()
    ON_COMMAND(IDOK, &CToolMgrDlg::OnEnterIgnored)
    ON_COMMAND(IDCANCEL, &CToolMgrDlg::OnEscapeIgnored)
    ON_MESSAGE(WM_TOOLLIST_ITEMCLICK, &CToolMgrDlg::OnItemClick)
    ON_MESSAGE(WM_TOOLLIST_REDRAW, &CToolMgrDlg::OnListRedraw)
    ON_MESSAGE(WM_TOOLLIST_UPDATED, &CToolMgrDlg::OnPluginListUpdated)
END_MESSAGE_MAP()

CToolMgrDlg::CToolMgrDlg() = default;

CToolMgrDlg::~CToolMgrDlg() = default;

BOOL CToolMgrDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    CString strSkinFile = GetSkinFilePath(AfxGetModuleState()->m_hCurrentInstanceHandle);
    InitSkinWindow(strSkinFile, kDialogSection, CString(), kSkinName);
    m_list.LoadSkin(strSkinFile, kListSection, CString(), kSkinName);
    GetPlugin();
    return TRUE;
}

int CToolMgrDlg::OnDynamicItemCreated(_XmlDynamicItem* pItem)
{
    struct Role
    {
        const wchar_t* pszId;
        _XmlDynamicItem* CToolMgrDlg::*pMember;
        bool bPlaceholder;
    };
    static const Role roles[] = {
        {L"LABEL1", &CToolMgrDlg::m_pLabel1, true}, {L"LABEL2", &CToolMgrDlg::m_pLabel2, true},
        {L"LABEL3", &CToolMgrDlg::m_pLabel3, true}, {L"ICON", &CToolMgrDlg::m_pIcon, true},
        {L"Refresh", &CToolMgrDlg::m_pRefresh, false},
    };
    for (const Role& role : roles) {
        if (pItem->strID.CompareNoCase(role.pszId) != 0)
            continue;
        this->*role.pMember = pItem;
        if (role.bPlaceholder)
            ShowItemControl(pItem, SW_HIDE);
        break;
    }
    return 0;
}

int CToolMgrDlg::GetPlugin()
{
    g_LogTrace.Trace(kTraceLevel, L"%s", L"Enter Fun GetPlugin");
    m_list.DeleteAllItems();
    m_list.SetOwner(this);
    _PLUGIN_INFO* pHead = nullptr;
    PxGetAllPluginList(&pHead);
    int nCount = AddToolItems(pHead);
    PxFreePluginListBuffer(pHead);
    UpdateListLayout(nCount);
    UpdateScrollRange();
    ShowPlaceholders(nCount == 0 ? SW_SHOW : SW_HIDE);
    Invalidate(TRUE);
    g_LogTrace.Trace(kTraceLevel, L"%s", L"Exit  Fun GetPlugin");
    return nCount;
}

int CToolMgrDlg::AddToolItems(const _PLUGIN_INFO* pHead)
{
    CString strDefaultIcon;
    GetInfoString(L"DefaultToolIcon", TRUE, strDefaultIcon);
    int nCount = 0;
    for (const _PLUGIN_INFO* pInfo = pHead; pInfo; pInfo = pInfo->pNext) {
        CPluginRecord record(*pInfo);
        CString strName = record.GetName(), strVersion = record.GetVersion();
        CString strDesc = record.GetDescription(), strIconPath = record.GetIconPath();
        // The texts come from the library: they are arguments, never the format.
        g_LogTrace.Trace(kTraceLevel, L"--ToolTipName is %s, Version is %s, Desc is %s, Icon Path is %s",
                         strName.GetString(), strVersion.GetString(), strDesc.GetString(), strIconPath.GetString());
        if (!record.IsListed())
            continue;
        CString strTip;
        FormatToolTip(strName, strVersion, strDesc, strTip);
        if (!PathFileExistsW(strIconPath))
            strIconPath = strDefaultIcon;
        m_list.AddItem(record.GetId(), strName, strTip, strIconPath);
        ++nCount;
    }
    return nCount;
}

void CToolMgrDlg::FormatToolTip(const CString& strName, const CString& strVersion, const CString& strDesc,
                                CString& strToolTip) const
{
    CString strPattern;
    m_mapWindowInfo.Lookup(L"ToolTipParttern", strPattern);
    strToolTip = CToolTipPattern::Format(strPattern, strName, strVersion, strDesc);
}

void CToolMgrDlg::GetListRect(RECT& rc) const
{
    POINT sheet = {0, 0};
    GetInfoPoint(L"SheetSize", sheet);
    RECT margin = {0, 0, 0, 0};
    GetInfoRect(L"PluginWndMarge", margin);
    rc.left = margin.left;
    rc.top = margin.top;
    rc.right = margin.left + sheet.x - margin.right;
    rc.bottom = margin.top + sheet.y - margin.bottom;
}

// Content height of nCount items in nWidth pixels; 0 when no column fits, so
// that a list narrower than one item never asks for a scroll bar.
static int ContentHeight(const CKdWindowLessList& list, int nWidth, int nCount)
{
    int w = 0, h = 0, sx = 0, sy = 0;
    list.GetItemSpec(w, h, sx, sy);
    RECT rcSheet = {0, 0, 0, 0};
    int nCols = 0, nRows = 0;
    if (!CKdWindowLessList::CalcSheetSize(w, nWidth, sx, h, sy, nCount, rcSheet, nCols, nRows))
        return 0;
    return rcSheet.bottom - rcSheet.top;
}

void CToolMgrDlg::UpdateListLayout(int nCount)
{
    RECT rc;
    GetListRect(rc);
    int nWidth = rc.right - rc.left, nHeight = rc.bottom - rc.top;
    int nScrollBar = GetSystemMetrics(SM_CXHSCROLL);
    m_list.m_nLeft = rc.left;
    m_list.m_nTop = rc.top;
    m_list.m_nHeight = nHeight;
    m_list.m_nWidth = nHeight < ContentHeight(m_list, nWidth, nCount) ? nWidth - nScrollBar : nWidth;
}

void CToolMgrDlg::UpdateScrollRange()
{
    int nContent = ContentHeight(m_list, m_list.m_nWidth, m_list.m_arrItems.GetSize());
    RECT rc;
    GetListRect(rc);
    int nView = rc.bottom - rc.top;
    SCROLLINFO si = {sizeof(si), SIF_RANGE | SIF_PAGE, 0, 0, 0, 0, 0};
    if (nView < nContent) {
        si.nMax = nContent;
        si.nPage = static_cast<UINT>(nView);
    }
    SetScrollInfo(SB_VERT, &si, TRUE);
    SCROLLINFO now = {sizeof(now), SIF_ALL, 0, 0, 0, 0, 0};
    GetScrollInfo(SB_VERT, &now, SIF_ALL);
    m_list.m_nOffsetY = -now.nPos;
}

void CToolMgrDlg::ShowItemControl(_XmlDynamicItem* pItem, int nShow)
{
    if (pItem && pItem->pControl)
        pItem->pControl->ShowWindow(nShow);
}

void CToolMgrDlg::ShowPlaceholders(int nShow)
{
    for (_XmlDynamicItem* pItem : {m_pLabel1, m_pLabel2, m_pLabel3, m_pIcon})
        ShowItemControl(pItem, nShow);
}

void CToolMgrDlg::InvalidateList()
{
    RECT rc;
    GetListRect(rc);
    InvalidateRect(&rc, TRUE);
}

LRESULT CToolMgrDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    // The grid sees mouse messages first; what it consumes goes no further.
    if (m_list.OnMouseMessage(message, lParam))
        return 1;
    return CKdCommonDlg::WindowProc(message, wParam, lParam);
}

BOOL CToolMgrDlg::PreTranslateMessage(MSG* pMsg)
{
    if (m_list.m_toolTip.GetSafeHwnd())
        m_list.m_toolTip.SendMessage(TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(pMsg));
    if (m_toolTip.GetSafeHwnd())
        m_toolTip.SendMessage(TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(pMsg));
    return CDialog::PreTranslateMessage(pMsg);
}

void CToolMgrDlg::DrawPanel(CDC* pDC)
{
    Gdip::Graphics screen(pDC->GetSafeHdc());
    POINT sheet = {0, 0};
    GetInfoPoint(L"SheetSize", sheet);
    std::unique_ptr<Gdip::Bitmap> pCanvas;
    ResetBitmap(pCanvas, sheet.x, sheet.y);
    {
        Gdip::Graphics canvas(pCanvas.get());
        if (m_pBackBitmap)
            canvas.DrawImage(m_pBackBitmap.get(), 0, 0);
        RECT rc;
        GetListRect(rc);
        m_list.Draw(POINT{rc.left, rc.top}, &canvas);
    }
    screen.DrawImage(pCanvas.get(), 0, 0);
}

void CToolMgrDlg::OnPaint()
{
    CPaintDC dc(this);
    DrawPanel(&dc);
}

BOOL CToolMgrDlg::OnEraseBkgnd(CDC* pDC)
{
    DrawPanel(pDC);
    return TRUE;
}

int CToolMgrDlg::RoomBelow(const SCROLLINFO& si)
{
    return si.nMax - si.nPos - static_cast<int>(si.nPage) + 1;
}

void CToolMgrDlg::ScrollUp(SCROLLINFO& si, int nBy)
{
    m_list.m_nOffsetY += nBy;
    si.nPos -= nBy;
}

void CToolMgrDlg::ScrollDown(SCROLLINFO& si, int nBy)
{
    m_list.m_nOffsetY -= nBy;
    si.nPos += nBy;
}

void CToolMgrDlg::ScrollTo(SCROLLINFO& si, int nPos)
{
    m_list.m_nOffsetY += si.nPos - nPos;
    si.nPos = nPos;
}

void CToolMgrDlg::OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
{
    SCROLLINFO si = {sizeof(si), SIF_ALL, 0, 0, 0, 0, 0};
    GetScrollInfo(SB_VERT, &si, SIF_ALL);
    int nPage = static_cast<int>(si.nPage);
    bool bMoved = true;
    switch (nSBCode) {
    case SB_LINEUP: ScrollUp(si, std::min(nPage / 2, si.nPos)); break;
    case SB_LINEDOWN: ScrollDown(si, std::min(nPage / 2, RoomBelow(si))); break;
    case SB_PAGEUP: ScrollUp(si, std::min(nPage, si.nPos)); break;
    case SB_PAGEDOWN: ScrollDown(si, std::min(nPage, RoomBelow(si))); break;
    case SB_THUMBTRACK: ScrollTo(si, si.nTrackPos); break;
    case SB_TOP: ScrollTo(si, 0); break;
    case SB_BOTTOM: ScrollDown(si, RoomBelow(si)); break;
    default: bMoved = false; break; // SB_THUMBPOSITION, SB_ENDSCROLL
    }
    if (bMoved)
        SetScrollInfo(SB_VERT, &si, TRUE);
    InvalidateList();
    CWnd::OnVScroll(nSBCode, nPos, pScrollBar);
}

BOOL CToolMgrDlg::OnMouseWheel(UINT nFlags, short zDelta, CPoint pt)
{
    SCROLLINFO si = {sizeof(si), SIF_ALL, 0, 0, 0, 0, 0};
    GetScrollInfo(SB_VERT, &si, SIF_ALL);
    int nPage = static_cast<int>(si.nPage);
    bool bUp = zDelta > 0;
    // One page per message, however many notches the delta holds.
    if (bUp)
        ScrollUp(si, std::min(nPage, si.nPos));
    else
        ScrollDown(si, std::min(nPage, RoomBelow(si)));
    SetScrollInfo(SB_VERT, &si, TRUE);
    InvalidateList();
    CWnd::OnVScroll(bUp ? SB_PAGEUP : SB_PAGEDOWN, 0, nullptr);
    return static_cast<BOOL>(Default());
}

void CToolMgrDlg::OnSysCommand(UINT nID, LPARAM lParam)
{
    // The keyboard (Alt, F10) never opens the panel's window menu.
    if ((nID & 0xFFF0) == SC_KEYMENU)
        return;
    Default();
}

void CToolMgrDlg::OnEnterIgnored()
{
}

void CToolMgrDlg::OnEscapeIgnored()
{
}

LRESULT CToolMgrDlg::OnItemClick(WPARAM wParam, LPARAM lParam)
{
    if (lParam != 0)
        return 1; // a double click was already started by its release
    CString strId = reinterpret_cast<const _WLL_LIST_CTRL_ITEM*>(wParam)->strId;
    DWORD dwResult;
    PxRunTool(strId, kRunToolMode, kRunToolShow, m_hWnd, &dwResult, kRunToolReserved);
    return 1;
}

LRESULT CToolMgrDlg::OnListRedraw(WPARAM, LPARAM)
{
    InvalidateList();
    return 1;
}

int CToolMgrDlg::OnDynamicItemCommand(_XmlDynamicItem* pItem)
{
    if (pItem->strID.CompareNoCase(L"Refresh") == 0) {
        if (pItem->pControl)
            pItem->pControl->EnableWindow(FALSE);
        PxGetAllPluginListFromInternet(m_hWnd, WM_TOOLLIST_UPDATED);
    }
    return 1;
}

LRESULT CToolMgrDlg::OnPluginListUpdated(WPARAM, LPARAM)
{
    GetPlugin();
    if (m_pRefresh && m_pRefresh->pControl)
        m_pRefresh->pControl->EnableWindow(TRUE);
    return 1;
}
