// The accessible object (MSAA) of the panel's client area, which the panel
// hands out for WM_GETOBJECT with OBJID_CLIENT. It is a list named after the
// panel's title ("Tools" without one). Children 1..n are the listed tools in
// grid order (list items: name, tooltip text as description, default action
// "Start"); after them come the panel's visible child windows, the skin's
// controls, each given as the system's object for that window (OBJID_WINDOW).
// The object implements everything itself: the system's standard client
// object is not complete everywhere (Wine's lacks location, hit testing and
// navigation).
//
// Like every accessible object of the panel it holds only a weak link to
// the panel (CAccessibleObject).
// All calls arrive on the panel's thread, the thread of the window's
// apartment; the object starts nothing there and keeps no state of its own.
#pragma once
#include <windows.h>
#include <oleacc.h>
#include "panel/CAccessibleObject.h"

class CToolMgrDlg;

class CToolGridAccessible final : public CAccessibleObject
{
public:
    // Holds one reference for the caller.
    explicit CToolGridAccessible(CToolMgrDlg* pPanel);

    // IAccessible
    STDMETHODIMP get_accParent(IDispatch** ppdispParent) override;
    STDMETHODIMP get_accChildCount(LONG* pcountChildren) override;
    STDMETHODIMP get_accChild(VARIANT varChildID, IDispatch** ppdispChild) override;
    STDMETHODIMP get_accName(VARIANT varID, BSTR* pszName) override;
    STDMETHODIMP get_accValue(VARIANT varID, BSTR* pszValue) override;
    STDMETHODIMP get_accDescription(VARIANT varID, BSTR* pszDescription) override;
    STDMETHODIMP get_accRole(VARIANT varID, VARIANT* pvarRole) override;
    STDMETHODIMP get_accState(VARIANT varID, VARIANT* pvarState) override;
    STDMETHODIMP get_accHelp(VARIANT varID, BSTR* pszHelp) override;
    STDMETHODIMP get_accKeyboardShortcut(VARIANT varID, BSTR* pszKeyboardShortcut) override;
    STDMETHODIMP get_accFocus(VARIANT* pvarID) override;
    STDMETHODIMP get_accSelection(VARIANT* pvarID) override;
    STDMETHODIMP get_accDefaultAction(VARIANT varID, BSTR* pszDefaultAction) override;
    STDMETHODIMP accSelect(LONG flagsSelect, VARIANT varID) override;
    STDMETHODIMP accLocation(LONG* pxLeft, LONG* pyTop, LONG* pcxWidth, LONG* pcyHeight, VARIANT varID) override;
    STDMETHODIMP accNavigate(LONG navDir, VARIANT varStart, VARIANT* pvarEnd) override;
    STDMETHODIMP accHitTest(LONG xLeft, LONG yTop, VARIANT* pvarID) override;
    STDMETHODIMP accDoDefaultAction(VARIANT varID) override;

private:
    ~CToolGridAccessible() override;
    HWND ConnectedWindow() const override;
    void Unlink() override { m_pPanel = nullptr; }

    // What a child id names: the list itself, item nItem, or child window hWnd.
    struct Child
    {
        enum Kind { kSelf, kItem, kWindow } kind = kSelf;
        int nItem = -1;
        HWND hWnd = nullptr;
    };

    // S_OK with the child, CO_E_OBJNOTCONNECTED once the panel is gone,
    // E_INVALIDARG for anything but a VT_I4 id of the list or a child.
    HRESULT Resolve(const VARIANT& varID, Child& child) const;
    // As Resolve, and E_INVALIDARG unless the id names the list or an item;
    // the forms with an output first check it and clear it.
    HRESULT ResolveOwn(const VARIANT& varID, Child& child) const;
    HRESULT ResolveOwn(const VARIANT& varID, BSTR* pbstr, Child& child) const;
    HRESULT ResolveOwn(const VARIANT& varID, VARIANT* pvar, Child& child) const;
    bool IsConnected() const;
    int ItemCount() const;
    int ChildCount() const;
    // The panel's visible child windows in Z order, and their positions there.
    HWND VisibleChild(int nIndex) const;
    int VisibleChildIndex(HWND hWnd) const;
    // Child id nId (1-based) as a VARIANT: VT_I4 for an item, VT_DISPATCH
    // (the window's object) for a child window, VT_EMPTY and S_FALSE for none.
    HRESULT ChildVariant(int nId, VARIANT* pvar) const;
    LONG ItemState(int nItem) const;
    // The item's neighbour in a direction, -1 for none.
    int Neighbour(int nItem, LONG navDir) const;

    CToolMgrDlg* m_pPanel; // null once disconnected
};
