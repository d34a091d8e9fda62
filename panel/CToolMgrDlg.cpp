#include "panel/CToolMgrDlg.h"
#include <oleacc.h>
#include <shlwapi.h>
#include <memory>
#include <new>
#include <unordered_set>
#include "controls/CKdBmpButton.h"
#include "controls/DrawHelpers.h"
#include "controls/GdipGraphics.h"
#include "controls/GdipSolidBrush.h"
#include "controls/WindowDpi.h"
#include "diag/CLogTrace.h"
#include "panel/CScrollBarAccessible.h"
#include "panel/CToolGridAccessible.h"
#include "panel/CToolTipPattern.h"
#include "panel/PluginRecord.h"
#include "include/PellixSDK.h"
#include "res/resource.h"
#include "skin/CSkinLoadScope.h"
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
// The records come from another library: a chain that loops back, or one
// too long to be a tool list, is cut there.
const int kMaxToolRecords = 1000000;
}

IMPLEMENT_DYNAMIC(CToolMgrDlg, CKdCommonDlg)

BEGIN_MESSAGE_MAP(CToolMgrDlg, CKdCommonDlg)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_PRINTCLIENT()
    ON_WM_VSCROLL()
    ON_WM_MOUSEWHEEL()
    ON_WM_SYSCOMMAND()
    ON_COMMAND(IDOK, &CToolMgrDlg::OnEnterIgnored)
    ON_COMMAND(IDCANCEL, &CToolMgrDlg::OnEscapeIgnored)
    ON_MESSAGE(WM_TOOLLIST_ITEMCLICK, &CToolMgrDlg::OnItemClick)
    ON_MESSAGE(WM_TOOLLIST_REDRAW, &CToolMgrDlg::OnListRedraw)
    ON_MESSAGE(WM_TOOLLIST_UPDATED, &CToolMgrDlg::OnPluginListUpdated)
    ON_WM_GETDLGCODE()
    ON_WM_KEYDOWN()
    ON_WM_CHAR()
    ON_WM_SETFOCUS()
    ON_WM_KILLFOCUS()
    ON_WM_ACTIVATE()
    ON_MESSAGE(WM_NEXTDLGCTL, &CToolMgrDlg::OnNextDlgCtl)
    ON_WM_GETOBJECT()
    ON_WM_DESTROY()
    ON_WM_DPICHANGED()
    ON_WM_NCCALCSIZE()
    ON_WM_TIMER()
END_MESSAGE_MAP()

CToolMgrDlg::CToolMgrDlg() = default;

CToolMgrDlg::~CToolMgrDlg() = default;

BOOL CToolMgrDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    CString strSkinFile = GetSkinFilePath(AfxGetModuleState()->m_hCurrentInstanceHandle);
    {
        CSkinLoadScope oneParse; // the three sections come from one parse of the file
        InitSkinWindow(strSkinFile, kDialogSection, CString(), kSkinName);
        TraceSkinLoadFailure(strSkinFile);
        m_list.ApplyDpi(m_dpi);
        m_list.LoadSkin(strSkinFile, kListSection, CString(), kSkinName);
        m_scrollBar.ApplyDpi(m_dpi);
        m_scrollBar.LoadSkin(strSkinFile, kSkinName);
    }
    GetPlugin();
    // FALSE: the system gives the focus to no control; activation gives it to the grid (OnActivate).
    return FALSE;
}

void CToolMgrDlg::TraceSkinLoadFailure(const CString& strSkinFile) const
{
    if (!m_loadError.bFailed)
        return;
    if (m_loadError.nLine > 0)
        g_LogTrace.Trace(kTraceLevel, L"Skin file %s failed to load: line %d, column %d: %s",
                         strSkinFile.GetString(), static_cast<int>(m_loadError.nLine),
                         static_cast<int>(m_loadError.nColumn),
                         m_loadError.strMessage.GetString());
    else
        g_LogTrace.Trace(kTraceLevel, L"Skin file %s failed to load: %s", strSkinFile.GetString(),
                         m_loadError.strMessage.GetString());
}

int CToolMgrDlg::OnDynamicItemCreated(_XmlDynamicItem* pItem)
{
    MakeReachable(pItem);
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
    m_nWheelSum = 0;
    m_list.DeleteAllItems();
    m_list.SetOwner(this);
    _PLUGIN_INFO* pHead = nullptr;
    PxGetAllPluginList(&pHead);
    // Given back to the library however the refill ends (it may run out of memory).
    std::unique_ptr<_PLUGIN_INFO, decltype(&PxFreePluginListBuffer)> list(pHead, &PxFreePluginListBuffer);
    int nCount = AddToolItems(pHead);
    UpdateListLayout(nCount);
    UpdateScrollRange();
    ShowPlaceholders(nCount == 0 ? SW_SHOW : SW_HIDE);
    OnGridRefilled();
    m_canvas.MarkAllStale();
    Invalidate(FALSE);
    g_LogTrace.Trace(kTraceLevel, L"%s", L"Exit  Fun GetPlugin");
    return nCount;
}

int CToolMgrDlg::AddToolItems(const _PLUGIN_INFO* pHead)
{
    // The list checks at an item's first drawing whether its icon file
    // exists, and draws the default icon instead when it does not.
    CString strDefaultIcon;
    GetInfoString(L"DefaultToolIcon", TRUE, strDefaultIcon);
    m_list.SetDefaultIcon(strDefaultIcon);
    int nCount = 0, nRecords = 0;
    std::unordered_set<const _PLUGIN_INFO*> seen;
    for (const _PLUGIN_INFO* pInfo = pHead; pInfo; pInfo = pInfo->pNext, ++nRecords) {
        bool bLoops = !seen.insert(pInfo).second;
        if (bLoops || nRecords == kMaxToolRecords) {
            g_LogTrace.Trace(kTraceLevel, L"--Tool list cut after %d records: %s", nRecords,
                             bLoops ? L"a record links back to an earlier one" : L"too many records");
            break;
        }
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

// Worked out in skin pixels, then its edges are scaled: the area meets the
// sheet's scaled edges where it met them in the skin.
void CToolMgrDlg::GetListRect(RECT& rc) const
{
    POINT sheet = {0, 0};
    GetInfoPoint(L"SheetSize", sheet);
    RECT margin = {0, 0, 0, 0};
    GetInfoRect(L"PluginWndMarge", margin);
    RECT rcSkin;
    rcSkin.left = margin.left;
    rcSkin.top = margin.top;
    rcSkin.right = margin.left + sheet.x - margin.right;
    rcSkin.bottom = margin.top + sheet.y - margin.bottom;
    rc = m_dpi.Rect(rcSkin);
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
    int nScrollBar = m_scrollBar.IsSkinned() ? m_scrollBar.LayoutWidth() : SystemMetricForDpi(SM_CXHSCROLL, m_dpi.Dpi());
    m_scrollBar.SetListRect(rc);
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
    SetScrollState(si);
    FollowScrollBar();
}

void CToolMgrDlg::SetScrollState(const SCROLLINFO& si)
{
    SetScrollInfo(SB_VERT, const_cast<SCROLLINFO*>(&si), !m_scrollBar.IsSkinned());
}

SCROLLINFO CToolMgrDlg::BarScrollInfo() const
{
    SCROLLINFO si = {sizeof(si), SIF_ALL, 0, 0, 0, 0, 0};
    ::GetScrollInfo(m_hWnd, SB_VERT, &si);
    return si;
}

void CToolMgrDlg::FollowScrollBar()
{
    // The scroll bar limits the position it is given (to 0 when there is no
    // bar at all), so the grid takes the position back from it.
    int nOffset = -BarScrollInfo().nPos;
    if (nOffset == m_list.m_nOffsetY)
        return;
    m_list.m_nOffsetY = nOffset;
    if (!m_scrollBar.IsSkinned())
        return;
    ::NotifyWinEvent(EVENT_OBJECT_VALUECHANGE, m_hWnd, OBJID_VSCROLL, CHILDID_SELF);
    m_scrollBar.OnScrolled();
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
    InvalidatePart(rc);
}

void CToolMgrDlg::InvalidatePart(const RECT& rc)
{
    m_canvas.MarkStale(rc);
    InvalidateRect(&rc, FALSE);
}

LRESULT CToolMgrDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    // The skinned bar sees mouse messages first, then the grid; what either
    // consumes goes no further.
    m_keyboard.OnMouseMessage(message, lParam);
    if (m_scrollBar.OnMouseMessage(message, lParam))
        return 0;
    if (m_list.OnMouseMessage(message, lParam))
        return 1;
    return CKdCommonDlg::WindowProc(message, wParam, lParam);
}

BOOL CToolMgrDlg::PreTranslateMessage(MSG* pMsg)
{
    m_keyboard.NoteMessage(*pMsg);
    if (m_list.m_toolTip.GetSafeHwnd())
        m_list.m_toolTip.SendMessage(TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(pMsg));
    if (m_toolTip.GetSafeHwnd())
        m_toolTip.SendMessage(TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(pMsg));
    return CDialog::PreTranslateMessage(pMsg);
}

int CToolMgrDlg::LoadBackground()
{
    int nResult = CKdCommonDlg::LoadBackground();
    m_sheet.MarkAllStale();
    m_canvas.MarkAllStale();
    return nResult;
}

// Both canvases have the sheet's size; the background sheet is composed
// again whenever it went stale (a new size or a new background).
bool CToolMgrDlg::PrepareCanvas()
{
    SIZE sheet = GetSheetSize();
    if (!m_sheet.Prepare(sheet.cx, sheet.cy) || !m_canvas.Prepare(sheet.cx, sheet.cy))
        return false;
    if (!IsRectEmpty(&m_sheet.Stale()))
        ComposeSheet();
    return true;
}

// The face colour shows where the background image is transparent or ends.
void CToolMgrDlg::ComposeSheet()
{
    {
        Gdip::Graphics graphics(m_sheet.Surface());
        graphics.FillRectangle(Gdip::SolidBrush(FaceColor()), 0, 0, m_sheet.Width(), m_sheet.Height());
        if (m_pBackBitmap)
            graphics.DrawImage(m_pBackBitmap.get(), 0, 0);
    }
    m_sheet.MarkComposed(m_sheet.Bounds());
    m_canvas.MarkAllStale();
}

void CToolMgrDlg::ComposePart(const RECT& rc)
{
    RECT rcBounds = m_canvas.Bounds();
    RECT rcPart;
    if (!IntersectRect(&rcPart, &rc, &rcBounds))
        return;
    m_canvas.CopyFrom(m_sheet, rcPart);
    {
        Gdip::Graphics graphics(m_canvas.Surface());
        RECT rcList;
        GetListRect(rcList);
        m_list.DrawPart(graphics, m_canvas.Pixels(), POINT{rcList.left, rcList.top}, rcPart);
    }
    m_scrollBar.Draw(m_canvas.Pixels(), rcPart);
    m_canvas.MarkComposed(rcPart);
}

void CToolMgrDlg::DrawPanel(CDC* pDC)
{
    if (!PrepareCanvas())
        return;
    RECT rcStale = m_canvas.Stale();
    if (!IsRectEmpty(&rcStale))
        ComposePart(rcStale);
    m_canvas.CopyTo(pDC->GetSafeHdc(), m_canvas.Bounds());
}

// A paint composes exactly what the system asks for, whether or not it is
// stale: what lies under a moved window is drawn from the current state.
void CToolMgrDlg::OnPaint()
{
    CPaintDC dc(this);
    if (!PrepareCanvas())
        return;
    ComposePart(dc.m_ps.rcPaint);
    m_canvas.CopyTo(dc.GetSafeHdc(), dc.m_ps.rcPaint);
}

BOOL CToolMgrDlg::OnEraseBkgnd(CDC* pDC)
{
    DrawPanel(pDC);
    return TRUE;
}

void CToolMgrDlg::OnPrintClient(CDC* pDC, UINT)
{
    DrawPanel(pDC);
}

void CToolMgrDlg::OnDpiChanged(UINT nDpi, const RECT* pSuggested)
{
    ApplyDpi(static_cast<int>(nDpi));
    if (pSuggested)
        SetWindowPos(nullptr, pSuggested->left, pSuggested->top, pSuggested->right - pSuggested->left,
                     pSuggested->bottom - pSuggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
    Invalidate(FALSE);
}

void CToolMgrDlg::ApplyDpi(int nDpi)
{
    int nPitch = RowPitch();
    int nFirstRow = nPitch > 0 ? -m_list.m_nOffsetY / nPitch : 0;
    CKdCommonDlg::ApplyDpi(nDpi);
    m_list.ApplyDpi(m_dpi);
    m_scrollBar.ApplyDpi(m_dpi);
    int nCount = m_list.m_arrItems.GetSize();
    UpdateListLayout(nCount);
    UpdateScrollRange();
    ShowPlaceholders(nCount == 0 ? SW_SHOW : SW_HIDE);
    ScrollListTo(nFirstRow * RowPitch());
    m_sheet.MarkAllStale();
    m_canvas.MarkAllStale();
}

int CToolMgrDlg::RowPitch() const
{
    int w = 0, h = 0, sx = 0, sy = 0;
    m_list.GetItemSpec(w, h, sx, sy);
    return h + sy;
}

int CToolMgrDlg::RoomBelow(const SCROLLINFO& si)
{
    return si.nMax - si.nPos - static_cast<int>(si.nPage) + 1;
}

void CToolMgrDlg::ScrollUp(SCROLLINFO& si, int nBy)
{
    ScrollTo(si, si.nPos - nBy);
}

void CToolMgrDlg::ScrollDown(SCROLLINFO& si, int nBy)
{
    ScrollTo(si, si.nPos + nBy);
}

void CToolMgrDlg::ScrollTo(SCROLLINFO& si, int nPos)
{
    si.nPos = nPos;
    SetScrollState(si);
    FollowScrollBar();
}

void CToolMgrDlg::OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
{
    m_nWheelSum = 0;
    SCROLLINFO si = {sizeof(si), SIF_ALL, 0, 0, 0, 0, 0};
    GetScrollInfo(SB_VERT, &si, SIF_ALL);
    int nPage = static_cast<int>(si.nPage);
    switch (nSBCode) {
    case SB_LINEUP: ScrollUp(si, std::min(nPage / 2, si.nPos)); break;
    case SB_LINEDOWN: ScrollDown(si, std::min(nPage / 2, RoomBelow(si))); break;
    case SB_PAGEUP: ScrollUp(si, std::min(nPage, si.nPos)); break;
    case SB_PAGEDOWN: ScrollDown(si, std::min(nPage, RoomBelow(si))); break;
    case SB_THUMBTRACK: ScrollTo(si, si.nTrackPos); break;
    case SB_TOP: ScrollTo(si, 0); break;
    case SB_BOTTOM: ScrollDown(si, RoomBelow(si)); break;
    default: break; // SB_THUMBPOSITION, SB_ENDSCROLL
    }
    InvalidateList();
    CWnd::OnVScroll(nSBCode, nPos, pScrollBar);
}

// Touchpads send many deltas below a notch for one swipe: they add up until
// they make a notch (WHEEL_DELTA), and each notch, or a message of several,
// moves one page. A turn the other way starts the sum anew; a delta of 0
// clears it and moves down, as a notch down does.
bool CToolMgrDlg::AddWheelDelta(short zDelta, bool& bUp)
{
    if (zDelta == 0) {
        m_nWheelSum = 0;
        bUp = false;
        return true;
    }
    bool bSameWay = m_nWheelSum != 0 && (m_nWheelSum > 0) == (zDelta > 0);
    m_nWheelSum = bSameWay ? m_nWheelSum + zDelta : zDelta;
    if (m_nWheelSum > -WHEEL_DELTA && m_nWheelSum < WHEEL_DELTA)
        return false;
    bUp = m_nWheelSum > 0;
    m_nWheelSum -= WHEEL_DELTA * (m_nWheelSum / WHEEL_DELTA);
    return true;
}

BOOL CToolMgrDlg::OnMouseWheel(UINT nFlags, short zDelta, CPoint pt)
{
    bool bUp = false;
    if (!AddWheelDelta(zDelta, bUp))
        return static_cast<BOOL>(Default());
    SCROLLINFO si = {sizeof(si), SIF_ALL, 0, 0, 0, 0, 0};
    GetScrollInfo(SB_VERT, &si, SIF_ALL);
    int nPage = static_cast<int>(si.nPage);
    // One page per message, however many notches the delta holds.
    if (bUp)
        ScrollUp(si, std::min(nPage, si.nPos));
    else
        ScrollDown(si, std::min(nPage, RoomBelow(si)));
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

const _WLL_LIST_CTRL_ITEM* CToolMgrDlg::OwnListItem(WPARAM wParam) const
{
    // Anyone can post this message (the dialog manager itself sends it as
    // DM_SETDEFID), so its pointer is compared, never read, until it is
    // known to be one of the grid's items.
    const int nCount = m_list.m_arrItems.GetSize();
    if (nCount == 0)
        return nullptr;
    const UINT_PTR uFirst = reinterpret_cast<UINT_PTR>(m_list.m_arrItems.GetData());
    const UINT_PTR uOffset = static_cast<UINT_PTR>(wParam) - uFirst;
    if (static_cast<UINT_PTR>(wParam) < uFirst || uOffset % sizeof(_WLL_LIST_CTRL_ITEM) != 0 ||
        uOffset / sizeof(_WLL_LIST_CTRL_ITEM) >= static_cast<UINT_PTR>(nCount))
        return nullptr;
    return &m_list.m_arrItems[static_cast<int>(uOffset / sizeof(_WLL_LIST_CTRL_ITEM))];
}

LRESULT CToolMgrDlg::OnItemClick(WPARAM wParam, LPARAM lParam)
{
    if (lParam != 0)
        return 1; // a double click was already started by its release
    const _WLL_LIST_CTRL_ITEM* pItem = OwnListItem(wParam);
    if (!pItem)
        return 1;
    CString strId = pItem->strId;
    DWORD dwResult;
    PxRunTool(strId, kRunToolMode, kRunToolShow, m_hWnd, &dwResult, kRunToolReserved);
    return 1;
}

// Only the items whose look changed are repainted; a notification without
// such items repaints the whole list area, as it asks.
LRESULT CToolMgrDlg::OnListRedraw(WPARAM, LPARAM)
{
    std::vector<RECT> areas;
    m_list.TakeChangedAreas(areas);
    if (areas.empty())
        InvalidateList();
    for (const RECT& rc : areas)
        InvalidatePart(rc);
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

// ---- Keyboard and screen-reader access --------------------------------------

void CToolMgrDlg::MakeReachable(_XmlDynamicItem* pItem)
{
    CWnd* pControl = pItem->pControl;
    if (!pControl || !pControl->IsKindOf(RUNTIME_CLASS(CKdBmpButton)))
        return;
    if (static_cast<CKdBmpButton*>(pControl)->GetKind() == CKdBmpButton::KIND_PUSH)
        pControl->ModifyStyle(0, WS_TABSTOP);
    // The button draws its own text, never the window text, which screen
    // readers take as its name.
    if (pItem->strName.IsEmpty() && !pItem->strToolTip.IsEmpty())
        pControl->SetWindowText(pItem->strToolTip);
}

void CToolMgrDlg::OnGridRefilled()
{
    m_keyboard.OnRefilled();
    ::NotifyWinEvent(EVENT_OBJECT_REORDER, m_hWnd, OBJID_CLIENT, CHILDID_SELF);
}

void CToolMgrDlg::ScrollListTo(int nPos)
{
    m_nWheelSum = 0;
    SCROLLINFO si = {sizeof(si), SIF_POS, 0, 0, 0, nPos, 0};
    SetScrollState(si);
    FollowScrollBar();
    InvalidateList();
}

// ---- The skinned scroll bar ---------------------------------------------------

void CToolMgrDlg::ScrollFromBar(int nPos)
{
    ScrollListTo(nPos);
}

// A track press pages as the system bar's does, through WM_VSCROLL.
void CToolMgrDlg::PageFromBar(bool bUp)
{
    SendMessage(WM_VSCROLL, MAKEWPARAM(bUp ? SB_PAGEUP : SB_PAGEDOWN, 0), 0);
}

void CToolMgrDlg::InvalidateBar(const RECT& rc)
{
    InvalidatePart(rc);
}

void CToolMgrDlg::PointerOverBar()
{
    m_list.OnMouseMessage(WM_MOUSELEAVE, 0);
}

// The skinned bar takes the system bar's place: the window keeps its scroll
// information, and with it the style that shows the system's bar, but the
// client area keeps the room that bar would take.
void CToolMgrDlg::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS*)
{
    DWORD dwStyle = GetStyle();
    bool bHideSystemBar = m_scrollBar.IsSkinned() && (dwStyle & WS_VSCROLL) != 0;
    if (bHideSystemBar)
        ::SetWindowLongW(m_hWnd, GWL_STYLE, static_cast<LONG>(dwStyle & ~static_cast<DWORD>(WS_VSCROLL)));
    Default();
    if (bHideSystemBar)
        ::SetWindowLongW(m_hWnd, GWL_STYLE, static_cast<LONG>(dwStyle));
}

void CToolMgrDlg::OnTimer(UINT_PTR nIDEvent)
{
    if (!m_scrollBar.OnTimer(nIDEvent))
        Default();
}

UINT CToolMgrDlg::OnGetDlgCode()
{
    return m_keyboard.GetDlgCode(reinterpret_cast<const MSG*>(GetCurrentMessage()->lParam));
}

void CToolMgrDlg::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (!m_keyboard.OnKeyDown(nChar))
        Default();
}

void CToolMgrDlg::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    m_keyboard.OnChar(nChar);
}

// The panel keeps the focus for the grid: the dialog's default handling
// would pass it on to the first control.
void CToolMgrDlg::OnSetFocus(CWnd* pOldWnd)
{
    m_keyboard.OnFocusChanged(true);
}

void CToolMgrDlg::OnKillFocus(CWnd* pNewWnd)
{
    m_nWheelSum = 0;
    m_keyboard.OnFocusChanged(false);
    Default();
}

// Activation gives the focus back to the control that had it when the panel
// was deactivated, and otherwise to the grid.
void CToolMgrDlg::OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized)
{
    if (nState == WA_INACTIVE) {
        HWND hFocus = ::GetFocus();
        m_hWndFocusBeforeDeactivation = hFocus && ::IsChild(m_hWnd, hFocus) ? hFocus : nullptr;
        return;
    }
    if (bMinimized)
        return;
    HWND hFocus = m_hWndFocusBeforeDeactivation;
    m_hWndFocusBeforeDeactivation = nullptr;
    bool bControl = hFocus && ::IsChild(m_hWnd, hFocus) && ::IsWindowVisible(hFocus) && ::IsWindowEnabled(hFocus);
    ::SetFocus(bControl ? hFocus : m_hWnd);
}

// Tab and Shift+Tab reach the dialog as the relative form; they go round the
// grid and the controls. The form that names a control keeps the default.
LRESULT CToolMgrDlg::OnNextDlgCtl(WPARAM wParam, LPARAM lParam)
{
    if (LOWORD(lParam) != 0)
        return Default();
    HWND hNext = m_keyboard.NextTabStop(::GetFocus(), wParam != 0);
    if (hNext == m_hWnd)
        ::SetFocus(m_hWnd);
    else
        DefWindowProc(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(hNext), TRUE);
    return 0;
}

LRESULT CToolMgrDlg::OnGetObject(WPARAM wFlags, LONG nObjectId)
{
    if (nObjectId == OBJID_VSCROLL && m_scrollBar.IsSkinned())
        return ScrollBarObject(wFlags);
    if (nObjectId != OBJID_CLIENT)
        return Default();
    if (!m_accessible.IsValid())
        m_accessible.Attach(new (std::nothrow) CToolGridAccessible(this));
    if (!m_accessible.IsValid())
        return Default();
    // __uuidof: MinGW's oleacc import library gives IID_IAccessible as a code stub, not the GUID.
    return LresultFromObject(__uuidof(IAccessible), wFlags, static_cast<IAccessible*>(m_accessible.Get()));
}

LRESULT CToolMgrDlg::ScrollBarObject(WPARAM wFlags)
{
    if (!m_barAccessible.IsValid())
        m_barAccessible.Attach(new (std::nothrow) CScrollBarAccessible(m_hWnd, m_scrollBar));
    if (!m_barAccessible.IsValid())
        return Default();
    return LresultFromObject(__uuidof(IAccessible), wFlags, static_cast<IAccessible*>(m_barAccessible.Get()));
}

void CToolMgrDlg::OnDestroy()
{
    m_scrollBar.Stop();
    m_accessible.Close();
    m_barAccessible.Close();
    Default();
}

void CToolMgrDlg::BarAccessibleTraits::Close(CScrollBarAccessible* pAccessible)
{
    pAccessible->Disconnect();
    pAccessible->Release();
}

void CToolMgrDlg::AccessibleTraits::Close(CToolGridAccessible* pAccessible)
{
    pAccessible->Disconnect();
    pAccessible->Release();
}
