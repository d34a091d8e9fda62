// Message-map entry macros, as MFC's afxmsg_.h. Each macro is the one place
// where its message's wParam/lParam are unpacked into the handler's typed
// arguments and the handler's result is turned into the message's LRESULT.
// The handler's signature is written above each macro; the static_cast
// rejects a handler declared with another signature, as in MFC.
// Use inside BEGIN_MESSAGE_MAP(theClass, baseClass) ... END_MESSAGE_MAP().
#pragma once
#include "CCmdTarget.h"
#include "CPoint.h"

class CDC;
class CWnd;
class CScrollBar;

// Entry for window message msg whose handler body uses pThis, wParam and lParam.
#define AFX_MSG_ENTRY(msg, ...) \
    { msg, 0, 0, 0, [](CCmdTarget* pTarget, [[maybe_unused]] WPARAM wParam, [[maybe_unused]] LPARAM lParam) -> LRESULT { \
        ThisClass* pThis = static_cast<ThisClass*>(pTarget); \
        __VA_ARGS__ } },

template <class Signature, class Class>
using AfxMemberFn = Signature Class::*;

// Calls member function fn of pThis, checked against signature sig (a function type).
#define AFX_MSG_CALL(sig, fn) (pThis->*static_cast<AfxMemberFn<sig, ThisClass>>(fn))

// int OnCreate(LPCREATESTRUCT lpCreateStruct)   (-1 fails the creation)
#define ON_WM_CREATE() AFX_MSG_ENTRY(WM_CREATE, \
    return AFX_MSG_CALL(int(LPCREATESTRUCT), &ThisClass::OnCreate)(reinterpret_cast<LPCREATESTRUCT>(lParam));)

// void OnPaint()
#define ON_WM_PAINT() AFX_MSG_ENTRY(WM_PAINT, \
    AFX_MSG_CALL(void(), &ThisClass::OnPaint)(); return 0;)

// BOOL OnEraseBkgnd(CDC* pDC)   (nonzero: background erased)
// Anyone may send the message: without a device context nothing is erased
// and the handler is not called.
#define ON_WM_ERASEBKGND() AFX_MSG_ENTRY(WM_ERASEBKGND, \
    CDC* pDC = CDC::FromHandle(reinterpret_cast<HDC>(wParam)); \
    return pDC ? AFX_MSG_CALL(BOOL(CDC*), &ThisClass::OnEraseBkgnd)(pDC) : FALSE;)

// void OnPrintClient(CDC* pDC, UINT nFlags)   (nFlags: PRF_* drawing options)
#define ON_WM_PRINTCLIENT() AFX_MSG_ENTRY(WM_PRINTCLIENT, \
    AFX_MSG_CALL(void(CDC*, UINT), &ThisClass::OnPrintClient)( \
        CDC::FromHandle(reinterpret_cast<HDC>(wParam)), static_cast<UINT>(lParam)); return 0;)

// void OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct)
#define ON_WM_DRAWITEM() AFX_MSG_ENTRY(WM_DRAWITEM, \
    AFX_MSG_CALL(void(int, LPDRAWITEMSTRUCT), &ThisClass::OnDrawItem)( \
        static_cast<int>(wParam), reinterpret_cast<LPDRAWITEMSTRUCT>(lParam)); return TRUE;)

// void OnLButtonDown(UINT nFlags, CPoint point)
#define ON_WM_LBUTTONDOWN() AFX_MSG_ENTRY(WM_LBUTTONDOWN, \
    AFX_MSG_CALL(void(UINT, CPoint), &ThisClass::OnLButtonDown)(static_cast<UINT>(wParam), CPoint(lParam)); return 0;)

// void OnLButtonUp(UINT nFlags, CPoint point)
#define ON_WM_LBUTTONUP() AFX_MSG_ENTRY(WM_LBUTTONUP, \
    AFX_MSG_CALL(void(UINT, CPoint), &ThisClass::OnLButtonUp)(static_cast<UINT>(wParam), CPoint(lParam)); return 0;)

// void OnLButtonDblClk(UINT nFlags, CPoint point)
#define ON_WM_LBUTTONDBLCLK() AFX_MSG_ENTRY(WM_LBUTTONDBLCLK, \
    AFX_MSG_CALL(void(UINT, CPoint), &ThisClass::OnLButtonDblClk)(static_cast<UINT>(wParam), CPoint(lParam)); return 0;)

// void OnMouseMove(UINT nFlags, CPoint point)
#define ON_WM_MOUSEMOVE() AFX_MSG_ENTRY(WM_MOUSEMOVE, \
    AFX_MSG_CALL(void(UINT, CPoint), &ThisClass::OnMouseMove)(static_cast<UINT>(wParam), CPoint(lParam)); return 0;)

// void OnMouseLeave()
#define ON_WM_MOUSELEAVE() AFX_MSG_ENTRY(WM_MOUSELEAVE, \
    AFX_MSG_CALL(void(), &ThisClass::OnMouseLeave)(); return 0;)

// BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt)   (pt in screen coordinates)
#define ON_WM_MOUSEWHEEL() AFX_MSG_ENTRY(WM_MOUSEWHEEL, \
    return AFX_MSG_CALL(BOOL(UINT, short, CPoint), &ThisClass::OnMouseWheel)( \
        GET_KEYSTATE_WPARAM(wParam), GET_WHEEL_DELTA_WPARAM(wParam), CPoint(lParam));)

// void OnSize(UINT nType, int cx, int cy)
#define ON_WM_SIZE() AFX_MSG_ENTRY(WM_SIZE, \
    AFX_MSG_CALL(void(UINT, int, int), &ThisClass::OnSize)( \
        static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam)); return 0;)

// UINT OnGetDlgCode()
#define ON_WM_GETDLGCODE() AFX_MSG_ENTRY(WM_GETDLGCODE, \
    return AFX_MSG_CALL(UINT(), &ThisClass::OnGetDlgCode)();)

// void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
#define ON_WM_KEYDOWN() AFX_MSG_ENTRY(WM_KEYDOWN, \
    AFX_MSG_CALL(void(UINT, UINT, UINT), &ThisClass::OnKeyDown)( \
        static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam)); return 0;)

// void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags)
#define ON_WM_KEYUP() AFX_MSG_ENTRY(WM_KEYUP, \
    AFX_MSG_CALL(void(UINT, UINT, UINT), &ThisClass::OnKeyUp)( \
        static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam)); return 0;)

// void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
#define ON_WM_CHAR() AFX_MSG_ENTRY(WM_CHAR, \
    AFX_MSG_CALL(void(UINT, UINT, UINT), &ThisClass::OnChar)( \
        static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam)); return 0;)

// void OnSetFocus(CWnd* pOldWnd)   (null when no window had the focus)
#define ON_WM_SETFOCUS() AFX_MSG_ENTRY(WM_SETFOCUS, \
    AFX_MSG_CALL(void(CWnd*), &ThisClass::OnSetFocus)(CWnd::FromHandle(reinterpret_cast<HWND>(wParam))); return 0;)

// void OnKillFocus(CWnd* pNewWnd)   (null when no window receives the focus)
#define ON_WM_KILLFOCUS() AFX_MSG_ENTRY(WM_KILLFOCUS, \
    AFX_MSG_CALL(void(CWnd*), &ThisClass::OnKillFocus)(CWnd::FromHandle(reinterpret_cast<HWND>(wParam))); return 0;)

// void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized)
#define ON_WM_ACTIVATE() AFX_MSG_ENTRY(WM_ACTIVATE, \
    AFX_MSG_CALL(void(UINT, CWnd*, BOOL), &ThisClass::OnActivate)(LOWORD(wParam), \
        CWnd::FromHandle(reinterpret_cast<HWND>(lParam)), HIWORD(wParam) != 0); return 0;)

// LRESULT OnGetObject(WPARAM wFlags, LONG nObjectId)   (wFlags go to LresultFromObject unchanged)
#define ON_WM_GETOBJECT() AFX_MSG_ENTRY(WM_GETOBJECT, \
    return AFX_MSG_CALL(LRESULT(WPARAM, LONG), &ThisClass::OnGetObject)( \
        wParam, static_cast<LONG>(static_cast<DWORD>(lParam)));)

// void OnDpiChanged(UINT nDpi, const RECT* pSuggested)   (the new DPI; the window's suggested rectangle)
#define ON_WM_DPICHANGED() AFX_MSG_ENTRY(WM_DPICHANGED, \
    AFX_MSG_CALL(void(UINT, const RECT*), &ThisClass::OnDpiChanged)( \
        HIWORD(wParam), reinterpret_cast<const RECT*>(lParam)); return 0;)

// void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp)   (lpncsp holds the
// proposed window rectangle in rgrc[0] and receives the client rectangle there; with
// bCalcValidRects FALSE the parameter is a RECT*, read here as rgrc[0] alone)
#define ON_WM_NCCALCSIZE() AFX_MSG_ENTRY(WM_NCCALCSIZE, \
    AFX_MSG_CALL(void(BOOL, NCCALCSIZE_PARAMS*), &ThisClass::OnNcCalcSize)( \
        wParam != 0, reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)); return 0;)

// void OnTimer(UINT_PTR nIDEvent)
#define ON_WM_TIMER() AFX_MSG_ENTRY(WM_TIMER, \
    AFX_MSG_CALL(void(UINT_PTR), &ThisClass::OnTimer)(static_cast<UINT_PTR>(wParam)); return 0;)

// void OnDestroy()
#define ON_WM_DESTROY() AFX_MSG_ENTRY(WM_DESTROY, \
    AFX_MSG_CALL(void(), &ThisClass::OnDestroy)(); return 0;)

// BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)   (TRUE: cursor set, stop)
#define ON_WM_SETCURSOR() AFX_MSG_ENTRY(WM_SETCURSOR, \
    return AFX_MSG_CALL(BOOL(CWnd*, UINT, UINT), &ThisClass::OnSetCursor)( \
        CWnd::FromHandle(reinterpret_cast<HWND>(wParam)), LOWORD(lParam), HIWORD(lParam));)

// void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)   (null for the window's own bar)
#define ON_WM_VSCROLL() AFX_MSG_ENTRY(WM_VSCROLL, \
    AFX_MSG_CALL(void(UINT, UINT, CScrollBar*), &ThisClass::OnVScroll)(LOWORD(wParam), HIWORD(wParam), \
        static_cast<CScrollBar*>(CWnd::FromHandle(reinterpret_cast<HWND>(lParam)))); return 0;)

// void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)   (null for the window's own bar)
#define ON_WM_HSCROLL() AFX_MSG_ENTRY(WM_HSCROLL, \
    AFX_MSG_CALL(void(UINT, UINT, CScrollBar*), &ThisClass::OnHScroll)(LOWORD(wParam), HIWORD(wParam), \
        static_cast<CScrollBar*>(CWnd::FromHandle(reinterpret_cast<HWND>(lParam)))); return 0;)

// void OnSysCommand(UINT nID, LPARAM lParam)
#define ON_WM_SYSCOMMAND() AFX_MSG_ENTRY(WM_SYSCOMMAND, \
    AFX_MSG_CALL(void(UINT, LPARAM), &ThisClass::OnSysCommand)(static_cast<UINT>(wParam), lParam); return 0;)

// LRESULT memberFxn(WPARAM wParam, LPARAM lParam)   (any message, e.g. WM_USER + n)
#define ON_MESSAGE(message, memberFxn) AFX_MSG_ENTRY(message, \
    return AFX_MSG_CALL(LRESULT(WPARAM, LPARAM), memberFxn)(wParam, lParam);)

// void memberFxn()   for WM_COMMAND with notification code wNotifyCode from control id
#define ON_CONTROL(wNotifyCode, id, memberFxn) \
    { WM_COMMAND, static_cast<UINT>(wNotifyCode), static_cast<UINT>(id), static_cast<UINT>(id), \
      [](CCmdTarget* pTarget, WPARAM, LPARAM) -> LRESULT { \
        ThisClass* pThis = static_cast<ThisClass*>(pTarget); \
        AFX_MSG_CALL(void(), memberFxn)(); return 0; } },

// void memberFxn()   for a menu command or accelerator, and a button's BN_CLICKED (code 0)
#define ON_COMMAND(id, memberFxn) ON_CONTROL(CN_COMMAND, id, memberFxn)

// void memberFxn()
#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)
