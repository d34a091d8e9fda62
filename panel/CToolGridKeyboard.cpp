#include "panel/CToolGridKeyboard.h"
#include <algorithm>
#include "panel/CToolMgrDlg.h"

namespace {
const DWORD kTypeAheadMs = 1000; // longest pause inside one type-ahead prefix

bool Contains(const RECT& rcOuter, const RECT& rcInner)
{
    return rcInner.left >= rcOuter.left && rcInner.top >= rcOuter.top && rcInner.right <= rcOuter.right &&
           rcInner.bottom <= rcOuter.bottom;
}
}

CToolGridKeyboard::CToolGridKeyboard(CToolMgrDlg& panel) : m_panel(panel) {}

int CToolGridKeyboard::ItemCount() const
{
    return m_panel.m_list.m_arrItems.GetSize();
}

int CToolGridKeyboard::FocusItem() const
{
    return m_panel.m_list.m_nFocus;
}

// ---- Focus item -------------------------------------------------------------

void CToolGridKeyboard::SetFocusItem(int nItem, bool bReveal)
{
    if (nItem < 0 || nItem >= ItemCount())
        return;
    if (bReveal)
        RevealItem(nItem);
    CKdWindowLessList& list = m_panel.m_list;
    if (nItem == list.m_nFocus)
        return;
    list.m_nFocus = nItem;
    if (list.m_bShowFocus)
        RequestRedraw();
    ::NotifyWinEvent(EVENT_OBJECT_FOCUS, m_panel.m_hWnd, OBJID_CLIENT, nItem + 1);
}

bool CToolGridKeyboard::StartFocusItem()
{
    if (FocusItem() < 0)
        return false;
    m_panel.m_list.ClickItem(FocusItem());
    return true;
}

// Scrolls as little as possible: down until the bottom edge shows, then up
// until the top edge shows (an item taller than the area shows its top).
void CToolGridKeyboard::RevealItem(int nItem)
{
    const CKdWindowLessList& list = m_panel.m_list;
    RECT rc;
    if (!list.GetItemDrawRect(nItem, rc))
        return;
    int nPos = -list.m_nOffsetY;
    int nTop = rc.top - list.m_nTop + nPos; // content coordinates
    int nBottom = rc.bottom - list.m_nTop + nPos;
    int nNewPos = nPos;
    if (nBottom > nNewPos + list.m_nHeight)
        nNewPos = nBottom - list.m_nHeight;
    if (nTop < nNewPos)
        nNewPos = nTop;
    if (nNewPos != nPos)
        m_panel.ScrollListTo(nNewPos);
}

// The first item wholly inside the list area; else the first that shows at
// least in part; else the first item.
int CToolGridKeyboard::FirstVisibleItem() const
{
    const CKdWindowLessList& list = m_panel.m_list;
    RECT rcArea = list.GetVisibleRect();
    int nPartly = -1;
    RECT rc, rcCommon;
    for (int i = 0; list.GetItemDrawRect(i, rc); ++i) {
        if (Contains(rcArea, rc))
            return i;
        if (nPartly < 0 && IntersectRect(&rcCommon, &rcArea, &rc))
            nPartly = i;
    }
    return nPartly >= 0 ? nPartly : 0;
}

int CToolGridKeyboard::RowsPerPage() const
{
    int nWidth = 0, nHeight = 0, nSpaceX = 0, nSpaceY = 0;
    m_panel.m_list.GetItemSpec(nWidth, nHeight, nSpaceX, nSpaceY);
    int nPitch = nHeight + nSpaceY;
    return nPitch > 0 ? std::max(1, m_panel.m_list.m_nHeight / nPitch) : 1;
}

int CToolGridKeyboard::Step(int nFrom, UINT nKey) const
{
    int nLast = ItemCount() - 1;
    int nCols = std::max(1, m_panel.m_list.GetColumnCount());
    switch (nKey) {
    case VK_LEFT: return std::max(nFrom - 1, 0);
    case VK_RIGHT: return std::min(nFrom + 1, nLast);
    case VK_UP: return nFrom >= nCols ? nFrom - nCols : nFrom;
    case VK_DOWN: return nFrom + nCols <= nLast ? nFrom + nCols : nFrom;
    case VK_HOME: return 0;
    case VK_END: return nLast;
    // As many rows as fit, fewer where the column ends.
    case VK_PRIOR: return nFrom - nCols * std::min(RowsPerPage(), nFrom / nCols);
    case VK_NEXT: return nFrom + nCols * std::min(RowsPerPage(), (nLast - nFrom) / nCols);
    default: return nFrom;
    }
}

// ---- Keys ---------------------------------------------------------------------

UINT CToolGridKeyboard::GetDlgCode(const MSG* pMsg) const
{
    UINT nCode = DLGC_WANTARROWS | DLGC_WANTCHARS;
    // Without a focus item Enter stays the dialog's IDOK, which the panel ignores.
    if (pMsg && pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_RETURN && FocusItem() >= 0)
        nCode |= DLGC_WANTMESSAGE;
    return nCode;
}

void CToolGridKeyboard::NoteMessage(const MSG& msg)
{
    if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN)
        return;
    m_bKeyboardUsed = true;
    ShowCues(::GetFocus() == m_panel.m_hWnd);
}

bool CToolGridKeyboard::OnKeyDown(UINT nChar)
{
    m_bKeyboardUsed = true;
    ShowCues(::GetFocus() == m_panel.m_hWnd);
    switch (nChar) {
    case VK_SPACE:
        if (!PrefixActive(::GetMessageTime()))
            StartFocusItem();
        return true;
    case VK_RETURN:
        StartFocusItem();
        return true;
    case VK_LEFT: case VK_RIGHT: case VK_UP: case VK_DOWN:
    case VK_HOME: case VK_END: case VK_PRIOR: case VK_NEXT:
        if (ItemCount() > 0)
            SetFocusItem(FocusItem() < 0 ? FirstVisibleItem() : Step(FocusItem(), nChar), true);
        return true;
    default:
        return false;
    }
}

bool CToolGridKeyboard::PrefixActive(DWORD dwTime) const
{
    return !m_strPrefix.IsEmpty() && dwTime - m_dwLastChar < kTypeAheadMs;
}

void CToolGridKeyboard::OnChar(UINT nChar)
{
    DWORD dwTime = ::GetMessageTime();
    bool bGrows = PrefixActive(dwTime);
    // Control characters (Enter, Tab, Escape, Backspace) are no part of a name;
    // a space only continues a prefix.
    if (nChar < L' ' || nChar == 0x7F || (nChar == L' ' && !bGrows))
        return;
    if (!bGrows)
        m_strPrefix.Empty();
    m_strPrefix += static_cast<wchar_t>(nChar);
    m_dwLastChar = dwTime;
    int nFocus = FocusItem();
    int nFound = FindByPrefix(nFocus < 0 ? 0 : bGrows ? nFocus : nFocus + 1);
    if (nFound >= 0)
        SetFocusItem(nFound, true);
}

int CToolGridKeyboard::FindByPrefix(int nStart) const
{
    int nCount = ItemCount();
    int nLength = m_strPrefix.GetLength();
    for (int n = 0; n < nCount; ++n) {
        int i = (nStart + n) % nCount;
        if (m_panel.m_list.m_arrItems[i].strName.Left(nLength).CompareNoCase(m_strPrefix) == 0)
            return i;
    }
    return -1;
}

// ---- Mouse, focus and refills -------------------------------------------------

void CToolGridKeyboard::OnMouseMessage(UINT nMsg, LPARAM lParam)
{
    if (nMsg != WM_LBUTTONUP && nMsg != WM_LBUTTONDBLCLK)
        return;
    const CKdWindowLessList& list = m_panel.m_list;
    SetFocusItem(list.HitTest(list.ContentPoint(lParam)), false);
}

void CToolGridKeyboard::OnFocusChanged(bool bFocused)
{
    ShowCues(bFocused);
    // The system announces the panel; the reader also needs the item in it.
    if (bFocused && FocusItem() >= 0)
        ::NotifyWinEvent(EVENT_OBJECT_FOCUS, m_panel.m_hWnd, OBJID_CLIENT, FocusItem() + 1);
}

void CToolGridKeyboard::OnRefilled()
{
    m_strPrefix.Empty();
}

void CToolGridKeyboard::ShowCues(bool bFocused)
{
    CKdWindowLessList& list = m_panel.m_list;
    BOOL bShow = m_bKeyboardUsed && bFocused;
    if (list.m_bShowFocus == bShow)
        return;
    list.m_bShowFocus = bShow;
    if (list.m_nFocus >= 0)
        RequestRedraw();
}

void CToolGridKeyboard::RequestRedraw() const
{
    m_panel.SendMessage(WM_TOOLLIST_REDRAW, 0, 0);
}

// ---- Tab ring -----------------------------------------------------------------

bool CToolGridKeyboard::IsTabStop(HWND hWnd) const
{
    return ::GetParent(hWnd) == m_panel.m_hWnd && (::GetWindowLongW(hWnd, GWL_STYLE) & WS_TABSTOP) &&
           ::IsWindowVisible(hWnd) && ::IsWindowEnabled(hWnd);
}

// The first tab stop from hStart on (hStart included) in nDirection.
HWND CToolGridKeyboard::ChildTabStop(HWND hStart, UINT nDirection) const
{
    for (HWND hWnd = hStart; hWnd; hWnd = ::GetWindow(hWnd, nDirection)) {
        if (IsTabStop(hWnd))
            return hWnd;
    }
    return nullptr;
}

HWND CToolGridKeyboard::NextTabStop(HWND hFrom, bool bPrevious) const
{
    HWND hPanel = m_panel.m_hWnd;
    UINT nDirection = bPrevious ? GW_HWNDPREV : GW_HWNDNEXT;
    HWND hStart = nullptr;
    if (hFrom && hFrom != hPanel && ::GetParent(hFrom) == hPanel) {
        hStart = ::GetWindow(hFrom, nDirection);
    } else if (HWND hFirst = ::GetWindow(hPanel, GW_CHILD)) {
        hStart = bPrevious ? ::GetWindow(hFirst, GW_HWNDLAST) : hFirst;
    }
    // Past the last control (or before the first) the ring comes back to the grid.
    HWND hNext = ChildTabStop(hStart, nDirection);
    return hNext ? hNext : hPanel;
}
