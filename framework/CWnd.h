// Window object, as MFC's CWnd. An object is linked to its window from the
// first message of the window's creation: CreateEx (and CDialog::Create)
// record the object as "being created" for the thread and a creation hook
// (WH_CBT, HCBT_CREATEWND) attaches it to the new window, enters it in the
// module's permanent map, calls PreSubclassWindow and subclasses the window
// with the framework's window procedure, keeping the previous procedure for
// DefWindowProc. Messages then go WindowProc -> OnWndMsg (message map) ->
// DefWindowProc, each inside a CBusyScope, and no exception leaves
// AfxWndProc. At WM_NCDESTROY the link is cut (procedure restored, map
// entry removed, m_hWnd null) before PostNcDestroy, so no later message can
// reach the object.
#pragma once
#include "CCmdTarget.h"
#include "CRect.h"
#include "CString.h"

class CDC;
class CFont;
class CScrollBar;

class CWnd : public CCmdTarget
{
    DECLARE_DYNCREATE(CWnd)
public:
    CWnd() = default;
    // Destroys a window that is still linked to the object.
    ~CWnd() override;

    HWND m_hWnd = nullptr;

    // Placement values for SetWindowPos's pWndInsertAfter.
    static const CWnd wndTop;
    static const CWnd wndBottom;
    static const CWnd wndTopMost;
    static const CWnd wndNoTopMost;

    // The window's permanent object, else a temporary wrapper (null for null).
    static CWnd* FromHandle(HWND hWnd);
    // The window's permanent object of this module, else null.
    static CWnd* FromHandlePermanent(HWND hWnd);
    static CWnd* WindowFromPoint(POINT point);

    operator HWND() const { return m_hWnd; }
    // Null also when called through a null pointer, as in MFC.
    HWND GetSafeHwnd() const;

    // Links the object to an existing window without subclassing it.
    BOOL Attach(HWND hWndNew);
    // Cuts the link (restoring the window's procedure if this object
    // subclassed it) and returns the handle.
    HWND Detach();

    // lpszClassName null: the framework's own window class.
    BOOL CreateEx(DWORD dwExStyle, LPCWSTR lpszClassName, LPCWSTR lpszWindowName, DWORD dwStyle,
                  int x, int y, int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu,
                  LPVOID lpParam = nullptr);
    BOOL CreateEx(DWORD dwExStyle, LPCWSTR lpszClassName, LPCWSTR lpszWindowName, DWORD dwStyle,
                  const RECT& rect, CWnd* pParentWnd, UINT nID, LPVOID lpParam = nullptr);
    // A child window (WS_CHILD is added) with control identifier nID.
    BOOL Create(LPCWSTR lpszClassName, LPCWSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                CWnd* pParentWnd, UINT nID);
    virtual BOOL DestroyWindow();

    // Message processing.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // Dispatches through the message map; FALSE when no entry handled it.
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // The window's previous procedure (its class's), or ::DefWindowProc.
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // The default processing of the message being handled, with its original
    // wParam and lParam whatever arguments the handler was given.
    LRESULT Default();
    // The message being handled, as the window procedure received it.
    static const MSG* GetCurrentMessage();
    // Offered the thread's messages before dispatch; TRUE when translated.
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    // WM_COMMAND: reflects a control's notification to the control's object
    // (OnChildNotify), then routes the command through the message map.
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    // A notification reflected from the parent (WM_COMMAND, WM_DRAWITEM);
    // TRUE when the control handled it.
    virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // Called after the object is attached, before the window is subclassed,
    // while the window is being created.
    virtual void PreSubclassWindow();
    // Called after the last message (WM_NCDESTROY), once the link is cut.
    virtual void PostNcDestroy();

    BOOL IsDialogMessage(LPMSG lpMsg);

    // Window operations (thin wrappers of the functions of the same names).
    // Both do nothing while the object has no window.
    void Invalidate(BOOL bErase = TRUE);
    void InvalidateRect(LPCRECT lpRect, BOOL bErase = TRUE);
    void UpdateWindow();
    BOOL ShowWindow(int nCmdShow);
    BOOL IsWindowVisible() const;
    BOOL EnableWindow(BOOL bEnable = TRUE);
    BOOL IsWindowEnabled() const;
    BOOL IsIconic() const;
    CWnd* SetFocus();
    CWnd* SetCapture();
    CWnd* GetParent() const;
    CWnd* GetWindow(UINT nCmd) const;
    CWnd* GetDlgItem(int nID) const;
    int GetDlgCtrlID() const;
    CWnd* GetNextDlgGroupItem(CWnd* pWndCtl, BOOL bPrevious = FALSE) const;
    DWORD GetStyle() const;
    DWORD GetExStyle() const;
    // Removes then adds style bits; with nFlags, also SetWindowPos(nFlags) so
    // the frame follows. FALSE when the style did not change.
    BOOL ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
    BOOL ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
    void GetClientRect(LPRECT lpRect) const;
    void GetWindowRect(LPRECT lpRect) const;
    void ScreenToClient(LPPOINT lpPoint) const;
    void ScreenToClient(LPRECT lpRect) const;
    void ClientToScreen(LPPOINT lpPoint) const;
    void ClientToScreen(LPRECT lpRect) const;
    BOOL SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags);
    void MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint = TRUE);
    void MoveWindow(LPCRECT lpRect, BOOL bRepaint = TRUE);
    void SetWindowText(LPCWSTR lpszString);
    void GetWindowText(CString& rString) const;
    int GetWindowText(LPWSTR lpszStringBuf, int nMaxCount) const;
    HICON SetIcon(HICON hIcon, BOOL bBigIcon);
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    void SetFont(CFont* pFont, BOOL bRedraw = TRUE);
    CFont* GetFont() const;
    // Fill cbSize (and for GetScrollInfo fMask = nMask) themselves, as MFC's.
    BOOL SetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, BOOL bRedraw = TRUE);
    BOOL GetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, UINT nMask = SIF_ALL) const;
    int GetScrollPos(int nBar) const;
    // A temporary wrapper of the window's client DC; give it back with ReleaseDC.
    CDC* GetDC();
    int ReleaseDC(CDC* pDC);

protected:
    // Default handlers: each passes the message on with Default().
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnPaint();
    BOOL OnEraseBkgnd(CDC* pDC);
    // Reflects the message to the control's object (OnChildNotify) first.
    void OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnLButtonDblClk(UINT nFlags, CPoint point);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnMouseLeave();
    BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
    void OnSize(UINT nType, int cx, int cy);
    UINT OnGetDlgCode();
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
    BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    void OnSysCommand(UINT nID, LPARAM lParam);

    // Hands a notification to the control's object (OnChildNotify); FALSE
    // when the control has no object of this module or did not handle it.
    static BOOL ReflectToChild(HWND hWndChild, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);

    // The procedure the window had before this object subclassed it.
    WNDPROC m_pfnSuper = nullptr;

    // Ends a creation made inside a CWndCreationScope: when the window was
    // never linked, nothing will see WM_NCDESTROY, so the clean-up runs here.
    BOOL FinishCreate(HWND hWnd, BOOL bLinked);

    DECLARE_MESSAGE_MAP()

private:
    explicit CWnd(HWND hWndPlacement) : m_hWnd(hWndPlacement) {}
    bool IsPlacementValue() const;

    friend LRESULT CALLBACK AfxWndProc(HWND, UINT, WPARAM, LPARAM);
    friend LRESULT CALLBACK AfxCbtFilterHook(int, WPARAM, LPARAM);
    friend class CWndCreationScope;

    // The one path that links the object to a window being created.
    void LinkCreatedWindow(HWND hWnd);
    // Cuts the link at WM_NCDESTROY and calls PostNcDestroy.
    void UnlinkDestroyedWindow();
};

// The framework's window procedure for subclassed windows.
LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
// The creation hook that links the thread's waiting object to its window.
LRESULT CALLBACK AfxCbtFilterHook(int nCode, WPARAM wParam, LPARAM lParam);

// Records pWnd as the object for the next window the thread creates, for the
// scope's lifetime; Linked() tells whether the hook found the window.
class CWndCreationScope
{
public:
    explicit CWndCreationScope(CWnd* pWnd);
    ~CWndCreationScope();
    CWndCreationScope(const CWndCreationScope&) = delete;
    CWndCreationScope& operator=(const CWndCreationScope&) = delete;
    BOOL Linked() const;

private:
    CWnd* m_pWnd;
    BOOL m_bInstalledHook = FALSE;
};
