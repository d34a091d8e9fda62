#include "CWnd.h"
#include "AFX_MODULE_STATE.h"
#include "AFX_THREAD_STATE.h"
#include "AfxMsgMap.h"
#include "CBusyScope.h"
#include "CDC.h"
#include "CFont.h"
#include "CTempHandleMap.h"

IMPLEMENT_DYNCREATE(CWnd, CCmdTarget)

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
    ON_WM_DRAWITEM()
END_MESSAGE_MAP()

const CWnd CWnd::wndTop(HWND_TOP);
const CWnd CWnd::wndBottom(HWND_BOTTOM);
const CWnd CWnd::wndTopMost(HWND_TOPMOST);
const CWnd CWnd::wndNoTopMost(HWND_NOTOPMOST);

// Class of windows created without a class name (as MFC's "AfxWnd"); its
// procedure is ::DefWindowProc, replaced by subclassing at creation.
static const wchar_t kDefaultClassName[] = L"TavrinFrameworkWnd";

static LPCWSTR RegisterDefaultClass()
{
    HINSTANCE hInst = AfxGetInstanceHandle();
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof(wc);
    if (!::GetClassInfoExW(hInst, kDefaultClassName, &wc)) {
        wc.style = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
        wc.lpfnWndProc = ::DefWindowProcW;
        wc.hInstance = hInst;
        wc.hCursor = ::LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)); // IDC_ARROW
        wc.lpszClassName = kDefaultClassName;
        ::RegisterClassExW(&wc);
    }
    return kDefaultClassName;
}

static CTempHandleMap<HWND, CWnd>& TempWindows()
{
    static CTempHandleMap<HWND, CWnd> s_map(
        [](HWND h) { return ::IsWindow(h) != FALSE; },
        [](CWnd* p, HWND h) { p->m_hWnd = h; });
    return s_map;
}

// The IME windows that the system may create while another window is being
// created are never taken for the object waiting for its window.
static bool IsImeWindow(HWND hWnd)
{
    if (::GetClassLongPtrW(hWnd, GCL_STYLE) & CS_IME)
        return true;
    wchar_t szClass[8] = {};
    ::GetClassNameW(hWnd, szClass, 8);
    return _wcsicmp(szClass, L"ime") == 0;
}

LRESULT CALLBACK AfxCbtFilterHook(int nCode, WPARAM wParam, LPARAM lParam)
{
    AFX_THREAD_STATE* pThread = AfxGetThreadState();
    HWND hWnd = reinterpret_cast<HWND>(wParam);
    if (nCode == HCBT_CREATEWND && pThread->m_pWndInit && !IsImeWindow(hWnd)) {
        CWnd* pWnd = pThread->m_pWndInit;
        pThread->m_pWndInit = nullptr;
        try {
            pWnd->LinkCreatedWindow(hWnd);
        } catch (...) {
            // Nothing may leave a hook; the window goes on unlinked.
        }
    }
    return ::CallNextHookEx(pThread->m_hHookCbt, nCode, wParam, lParam);
}

// Nothing may leave a window procedure into the system's (and the host's)
// frames. As MFC does, a creation that threw fails and a paint that threw
// ends, so that it is not asked for again and again; other messages answer 0.
static LRESULT WindowProcNoThrow(CWnd* pWnd, HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    try {
        return pWnd->WindowProc(message, wParam, lParam);
    } catch (...) {
        if (message == WM_CREATE)
            return -1;
        if (message == WM_PAINT)
            ::ValidateRect(hWnd, nullptr);
        return 0;
    }
}

LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    if (!pWnd)
        return ::DefWindowProcW(hWnd, message, wParam, lParam);
    // The object outlives this message, whatever the handler asks for.
    CBusyScope busy;

    // The message being handled, for Default(); nested messages restore it.
    AFX_THREAD_STATE* pThread = AfxGetThreadState();
    MSG prevMsg = pThread->m_lastSentMsg;
    pThread->m_lastSentMsg.hwnd = hWnd;
    pThread->m_lastSentMsg.message = message;
    pThread->m_lastSentMsg.wParam = wParam;
    pThread->m_lastSentMsg.lParam = lParam;

    LRESULT lResult = WindowProcNoThrow(pWnd, hWnd, message, wParam, lParam);
    if (message == WM_NCDESTROY)
        pWnd->UnlinkDestroyedWindow();

    pThread->m_lastSentMsg = prevMsg;
    return lResult;
}

CWndCreationScope::CWndCreationScope(CWnd* pWnd) : m_pWnd(pWnd)
{
    AFX_THREAD_STATE* pThread = AfxGetThreadState();
    // Installed for the outermost creation only and removed right after it,
    // so no hook of this module outlives the call (the module may be unloaded).
    if (!pThread->m_hHookCbt) {
        pThread->m_hHookCbt = ::SetWindowsHookExW(WH_CBT, AfxCbtFilterHook, nullptr, ::GetCurrentThreadId());
        m_bInstalledHook = pThread->m_hHookCbt != nullptr;
    }
    pThread->m_pWndInit = pWnd;
}

CWndCreationScope::~CWndCreationScope()
{
    AFX_THREAD_STATE* pThread = AfxGetThreadState();
    if (pThread->m_pWndInit == m_pWnd)
        pThread->m_pWndInit = nullptr;
    if (m_bInstalledHook) {
        ::UnhookWindowsHookEx(pThread->m_hHookCbt);
        pThread->m_hHookCbt = nullptr;
    }
}

BOOL CWndCreationScope::Linked() const
{
    return AfxGetThreadState()->m_pWndInit != m_pWnd;
}

CWnd::~CWnd()
{
    if (!m_hWnd || IsPlacementValue() || FromHandlePermanent(m_hWnd) != this)
        return;
    // Only this class's part of the object is left: messages sent while the
    // window goes away reach CWnd's handlers, never those of a derived class.
    if (::IsWindow(m_hWnd))
        CWnd::DestroyWindow();
    else
        Detach();
}

bool CWnd::IsPlacementValue() const
{
    return this == &wndTop || this == &wndBottom || this == &wndTopMost || this == &wndNoTopMost;
}

// Called on null pointers by design (a window without a parent, the screen's
// DC); the build keeps null checks of this (-fno-delete-null-pointer-checks).
#pragma clang diagnostic push
#pragma clang diagnostic ignored "-Wundefined-bool-conversion"
HWND CWnd::GetSafeHwnd() const
{
    return this ? m_hWnd : nullptr;
}
#pragma clang diagnostic pop

CWnd* CWnd::FromHandlePermanent(HWND hWnd)
{
    CWnd* pWnd = nullptr;
    if (hWnd)
        AfxGetModuleState()->m_mapHWND.Lookup(hWnd, pWnd);
    return pWnd;
}

CWnd* CWnd::FromHandle(HWND hWnd)
{
    CWnd* pWnd = FromHandlePermanent(hWnd);
    return pWnd ? pWnd : TempWindows().FromHandle(hWnd);
}

CWnd* CWnd::WindowFromPoint(POINT point)
{
    return FromHandle(::WindowFromPoint(point));
}

BOOL CWnd::Attach(HWND hWndNew)
{
    if (m_hWnd || !hWndNew || FromHandlePermanent(hWndNew))
        return FALSE;
    m_hWnd = hWndNew;
    AfxGetModuleState()->m_mapHWND.SetAt(hWndNew, this);
    return TRUE;
}

HWND CWnd::Detach()
{
    HWND hWnd = m_hWnd;
    if (!hWnd)
        return nullptr;
    if (m_pfnSuper && reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(hWnd, GWLP_WNDPROC)) == AfxWndProc)
        ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
    m_pfnSuper = nullptr;
    AfxGetModuleState()->m_mapHWND.RemoveKey(hWnd);
    m_hWnd = nullptr;
    return hWnd;
}

void CWnd::LinkCreatedWindow(HWND hWnd)
{
    Attach(hWnd);
    PreSubclassWindow();
    m_pfnSuper = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AfxWndProc)));
}

void CWnd::UnlinkDestroyedWindow()
{
    Detach();
    PostNcDestroy();
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCWSTR lpszClassName, LPCWSTR lpszWindowName, DWORD dwStyle,
                    int x, int y, int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu, LPVOID lpParam)
{
    if (m_hWnd)
        return FALSE;
    if (!lpszClassName)
        lpszClassName = RegisterDefaultClass();
    HWND hWnd;
    BOOL bLinked;
    {
        CWndCreationScope scope(this);
        hWnd = ::CreateWindowExW(dwExStyle, lpszClassName, lpszWindowName, dwStyle, x, y, nWidth, nHeight,
                                 hWndParent, nIDorHMenu, AfxGetInstanceHandle(), lpParam);
        bLinked = scope.Linked();
    }
    return FinishCreate(hWnd, bLinked);
}

BOOL CWnd::FinishCreate(HWND hWnd, BOOL bLinked)
{
    if (!bLinked) {
        // Creation failed before the window existed: the object never saw
        // WM_NCDESTROY, so its clean-up runs here, as MFC's does.
        if (hWnd)
            ::DestroyWindow(hWnd);
        PostNcDestroy();
        return FALSE;
    }
    return hWnd != nullptr;
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCWSTR lpszClassName, LPCWSTR lpszWindowName, DWORD dwStyle,
                    const RECT& rect, CWnd* pParentWnd, UINT nID, LPVOID lpParam)
{
    return CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top,
                    rect.right - rect.left, rect.bottom - rect.top, pParentWnd->GetSafeHwnd(),
                    reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)), lpParam);
}

BOOL CWnd::Create(LPCWSTR lpszClassName, LPCWSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                  CWnd* pParentWnd, UINT nID)
{
    return CreateEx(0, lpszClassName, lpszWindowName, dwStyle | WS_CHILD, rect, pParentWnd, nID);
}

BOOL CWnd::DestroyWindow()
{
    HWND hWnd = m_hWnd;
    if (!hWnd)
        return FALSE;
    bool bPermanent = FromHandlePermanent(hWnd) == this;
    BOOL bResult = ::DestroyWindow(hWnd);
    if (::IsWindow(hWnd))
        return bResult;
    // A subclassed object was unlinked at WM_NCDESTROY and may have been
    // deleted by PostNcDestroy; one that was only attached is unlinked here.
    if (!bPermanent)
        m_hWnd = nullptr;
    else if (CWnd* pStillLinked = FromHandlePermanent(hWnd))
        pStillLinked->Detach();
    return bResult;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT lResult = 0;
    if (!OnWndMsg(message, wParam, lParam, &lResult))
        lResult = DefWindowProc(message, wParam, lParam);
    return lResult;
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    LRESULT lResult;
    if (message == WM_COMMAND) {
        if (!OnCommand(wParam, lParam))
            return FALSE;
        lResult = 1;
    } else {
        const AFX_MSGMAP_ENTRY* pEntry = FindMessageEntry(message, 0, 0);
        if (!pEntry)
            return FALSE;
        lResult = pEntry->pfn(this, wParam, lParam);
    }
    if (pResult)
        *pResult = lResult;
    return TRUE;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_pfnSuper)
        return ::CallWindowProcW(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcW(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default()
{
    const MSG& msg = AfxGetThreadState()->m_lastSentMsg;
    return DefWindowProc(msg.message, msg.wParam, msg.lParam);
}

const MSG* CWnd::GetCurrentMessage()
{
    return &AfxGetThreadState()->m_lastSentMsg;
}

BOOL CWnd::PreTranslateMessage(MSG* pMsg)
{
    return FALSE;
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    UINT nID = LOWORD(wParam);
    int nCode = HIWORD(wParam);
    HWND hWndCtrl = reinterpret_cast<HWND>(lParam);
    if (!hWndCtrl) {
        // A menu command (code 0) or an accelerator (code 1).
        nCode = CN_COMMAND;
    } else if (ReflectToChild(hWndCtrl, WM_COMMAND, wParam, lParam, nullptr)) {
        return TRUE;
    }
    if (nID == 0)
        return FALSE;
    return OnCmdMsg(nID, nCode);
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    return FALSE;
}

BOOL CWnd::ReflectToChild(HWND hWndChild, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    CWnd* pChild = FromHandlePermanent(hWndChild);
    return pChild && pChild->OnChildNotify(message, wParam, lParam, pResult);
}

void CWnd::PreSubclassWindow()
{
}

void CWnd::PostNcDestroy()
{
}

BOOL CWnd::IsDialogMessage(LPMSG lpMsg)
{
    return ::IsDialogMessageW(m_hWnd, lpMsg);
}

// A null window handle would invalidate every window on the desktop, so an
// object without a window (never created, or already destroyed) does nothing.
void CWnd::Invalidate(BOOL bErase)
{
    InvalidateRect(nullptr, bErase);
}

void CWnd::InvalidateRect(LPCRECT lpRect, BOOL bErase)
{
    if (::IsWindow(m_hWnd))
        ::InvalidateRect(m_hWnd, lpRect, bErase);
}

void CWnd::UpdateWindow()
{
    ::UpdateWindow(m_hWnd);
}

BOOL CWnd::ShowWindow(int nCmdShow)
{
    return ::ShowWindow(m_hWnd, nCmdShow);
}

BOOL CWnd::IsWindowVisible() const
{
    return ::IsWindowVisible(m_hWnd);
}

BOOL CWnd::EnableWindow(BOOL bEnable)
{
    return ::EnableWindow(m_hWnd, bEnable);
}

BOOL CWnd::IsWindowEnabled() const
{
    return ::IsWindowEnabled(m_hWnd);
}

BOOL CWnd::IsIconic() const
{
    return ::IsIconic(m_hWnd);
}

CWnd* CWnd::SetFocus()
{
    return FromHandle(::SetFocus(m_hWnd));
}

CWnd* CWnd::SetCapture()
{
    return FromHandle(::SetCapture(m_hWnd));
}

CWnd* CWnd::GetParent() const
{
    return FromHandle(::GetParent(m_hWnd));
}

CWnd* CWnd::GetWindow(UINT nCmd) const
{
    return FromHandle(::GetWindow(m_hWnd, nCmd));
}

CWnd* CWnd::GetDlgItem(int nID) const
{
    return FromHandle(::GetDlgItem(m_hWnd, nID));
}

int CWnd::GetDlgCtrlID() const
{
    return ::GetDlgCtrlID(m_hWnd);
}

CWnd* CWnd::GetNextDlgGroupItem(CWnd* pWndCtl, BOOL bPrevious) const
{
    return FromHandle(::GetNextDlgGroupItem(m_hWnd, pWndCtl->GetSafeHwnd(), bPrevious));
}

DWORD CWnd::GetStyle() const
{
    return static_cast<DWORD>(::GetWindowLongW(m_hWnd, GWL_STYLE));
}

DWORD CWnd::GetExStyle() const
{
    return static_cast<DWORD>(::GetWindowLongW(m_hWnd, GWL_EXSTYLE));
}

static BOOL ModifyWindowLong(HWND hWnd, int nIndex, DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    DWORD dwStyle = static_cast<DWORD>(::GetWindowLongW(hWnd, nIndex));
    DWORD dwNewStyle = (dwStyle & ~dwRemove) | dwAdd;
    if (dwStyle == dwNewStyle)
        return FALSE;
    ::SetWindowLongW(hWnd, nIndex, static_cast<LONG>(dwNewStyle));
    if (nFlags)
        ::SetWindowPos(hWnd, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | nFlags);
    return TRUE;
}

BOOL CWnd::ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    return ModifyWindowLong(m_hWnd, GWL_STYLE, dwRemove, dwAdd, nFlags);
}

BOOL CWnd::ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    return ModifyWindowLong(m_hWnd, GWL_EXSTYLE, dwRemove, dwAdd, nFlags);
}

void CWnd::GetClientRect(LPRECT lpRect) const
{
    ::GetClientRect(m_hWnd, lpRect);
}

void CWnd::GetWindowRect(LPRECT lpRect) const
{
    ::GetWindowRect(m_hWnd, lpRect);
}

void CWnd::ScreenToClient(LPPOINT lpPoint) const
{
    ::ScreenToClient(m_hWnd, lpPoint);
}

void CWnd::ScreenToClient(LPRECT lpRect) const
{
    ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<LPPOINT>(lpRect), 2);
}

void CWnd::ClientToScreen(LPPOINT lpPoint) const
{
    ::ClientToScreen(m_hWnd, lpPoint);
}

void CWnd::ClientToScreen(LPRECT lpRect) const
{
    ::MapWindowPoints(m_hWnd, nullptr, reinterpret_cast<LPPOINT>(lpRect), 2);
}

BOOL CWnd::SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags)
{
    return ::SetWindowPos(m_hWnd, pWndInsertAfter->GetSafeHwnd(), x, y, cx, cy, nFlags);
}

void CWnd::MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint)
{
    ::MoveWindow(m_hWnd, x, y, nWidth, nHeight, bRepaint);
}

void CWnd::MoveWindow(LPCRECT lpRect, BOOL bRepaint)
{
    MoveWindow(lpRect->left, lpRect->top, lpRect->right - lpRect->left, lpRect->bottom - lpRect->top, bRepaint);
}

void CWnd::SetWindowText(LPCWSTR lpszString)
{
    ::SetWindowTextW(m_hWnd, lpszString);
}

void CWnd::GetWindowText(CString& rString) const
{
    int nLen = ::GetWindowTextLengthW(m_hWnd);
    ::GetWindowTextW(m_hWnd, rString.GetBuffer(nLen), nLen + 1);
    rString.ReleaseBuffer();
}

int CWnd::GetWindowText(LPWSTR lpszStringBuf, int nMaxCount) const
{
    return ::GetWindowTextW(m_hWnd, lpszStringBuf, nMaxCount);
}

HICON CWnd::SetIcon(HICON hIcon, BOOL bBigIcon)
{
    return reinterpret_cast<HICON>(SendMessage(WM_SETICON, bBigIcon ? ICON_BIG : ICON_SMALL,
                                               reinterpret_cast<LPARAM>(hIcon)));
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return ::SendMessageW(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return ::PostMessageW(m_hWnd, message, wParam, lParam);
}

void CWnd::SetFont(CFont* pFont, BOOL bRedraw)
{
    SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(pFont->GetSafeHandle()), bRedraw);
}

CFont* CWnd::GetFont() const
{
    return CFont::FromHandle(reinterpret_cast<HFONT>(SendMessage(WM_GETFONT)));
}

BOOL CWnd::SetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, BOOL bRedraw)
{
    lpScrollInfo->cbSize = sizeof(SCROLLINFO);
    ::SetScrollInfo(m_hWnd, nBar, lpScrollInfo, bRedraw);
    return TRUE;
}

BOOL CWnd::GetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, UINT nMask) const
{
    lpScrollInfo->cbSize = sizeof(SCROLLINFO);
    lpScrollInfo->fMask = nMask;
    return ::GetScrollInfo(m_hWnd, nBar, lpScrollInfo);
}

int CWnd::GetScrollPos(int nBar) const
{
    return ::GetScrollPos(m_hWnd, nBar);
}

CDC* CWnd::GetDC()
{
    return CDC::FromHandle(::GetDC(m_hWnd));
}

int CWnd::ReleaseDC(CDC* pDC)
{
    return ::ReleaseDC(m_hWnd, pDC->GetSafeHdc());
}

int CWnd::OnCreate(LPCREATESTRUCT)
{
    return static_cast<int>(Default());
}

void CWnd::OnPaint()
{
    Default();
}

BOOL CWnd::OnEraseBkgnd(CDC*)
{
    return static_cast<BOOL>(Default());
}

void CWnd::OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    if (lpDrawItemStruct->CtlType != ODT_MENU &&
        ReflectToChild(lpDrawItemStruct->hwndItem, WM_DRAWITEM, static_cast<WPARAM>(nIDCtl),
                       reinterpret_cast<LPARAM>(lpDrawItemStruct), nullptr))
        return;
    Default();
}

void CWnd::OnLButtonDown(UINT, CPoint)
{
    Default();
}

void CWnd::OnLButtonUp(UINT, CPoint)
{
    Default();
}

void CWnd::OnLButtonDblClk(UINT, CPoint)
{
    Default();
}

void CWnd::OnMouseMove(UINT, CPoint)
{
    Default();
}

void CWnd::OnMouseLeave()
{
    Default();
}

BOOL CWnd::OnMouseWheel(UINT, short, CPoint)
{
    return static_cast<BOOL>(Default());
}

void CWnd::OnSize(UINT, int, int)
{
    Default();
}

UINT CWnd::OnGetDlgCode()
{
    return static_cast<UINT>(Default());
}

void CWnd::OnKeyDown(UINT, UINT, UINT)
{
    Default();
}

void CWnd::OnKeyUp(UINT, UINT, UINT)
{
    Default();
}

BOOL CWnd::OnSetCursor(CWnd*, UINT, UINT)
{
    return static_cast<BOOL>(Default());
}

void CWnd::OnVScroll(UINT, UINT, CScrollBar*)
{
    Default();
}

void CWnd::OnHScroll(UINT, UINT, CScrollBar*)
{
    Default();
}

void CWnd::OnSysCommand(UINT, LPARAM)
{
    Default();
}
