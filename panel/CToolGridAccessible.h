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
// A screen reader may keep the object after the panel has gone, so it holds
// only a weak link to the panel, which the panel cuts when its window is
// destroyed (Disconnect); every call then answers CO_E_OBJNOTCONNECTED.
// All calls arrive on the panel's thread, the thread of the window's
// apartment; the object starts nothing there and keeps no state of its own.
#pragma once
#include <windows.h>
#include <oleacc.h>

class CToolMgrDlg;

class CToolGridAccessible final : public IAccessible, public IOleWindow
{
public:
    // Holds one reference for the caller.
    explicit CToolGridAccessible(CToolMgrDlg* pPanel);
    CToolGridAccessible(const CToolGridAccessible&) = delete;
    CToolGridAccessible& operator=(const CToolGridAccessible&) = delete;

    // Cuts the link to the panel and the references that clients in other
    // processes hold through COM's stubs.
    void Disconnect();

    // IUnknown
    STDMETHODIMP QueryInterface(REFIID riid, void** ppvObject) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;

    // IDispatch: no type information; clients call through the vtable.
    STDMETHODIMP GetTypeInfoCount(UINT* pctinfo) override;
    STDMETHODIMP GetTypeInfo(UINT iTInfo, LCID lcid, ITypeInfo** ppTInfo) override;
    STDMETHODIMP GetIDsOfNames(REFIID riid, LPOLESTR* rgszNames, UINT cNames, LCID lcid, DISPID* rgDispId) override;
    STDMETHODIMP Invoke(DISPID dispIdMember, REFIID riid, LCID lcid, WORD wFlags, DISPPARAMS* pDispParams,
                        VARIANT* pVarResult, EXCEPINFO* pExcepInfo, UINT* puArgErr) override;

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
    STDMETHODIMP get_accHelpTopic(BSTR* pszHelpFile, VARIANT varID, LONG* pidTopic) override;
    STDMETHODIMP get_accKeyboardShortcut(VARIANT varID, BSTR* pszKeyboardShortcut) override;
    STDMETHODIMP get_accFocus(VARIANT* pvarID) override;
    STDMETHODIMP get_accSelection(VARIANT* pvarID) override;
    STDMETHODIMP get_accDefaultAction(VARIANT varID, BSTR* pszDefaultAction) override;
    STDMETHODIMP accSelect(LONG flagsSelect, VARIANT varID) override;
    STDMETHODIMP accLocation(LONG* pxLeft, LONG* pyTop, LONG* pcxWidth, LONG* pcyHeight, VARIANT varID) override;
    STDMETHODIMP accNavigate(LONG navDir, VARIANT varStart, VARIANT* pvarEnd) override;
    STDMETHODIMP accHitTest(LONG xLeft, LONG yTop, VARIANT* pvarID) override;
    STDMETHODIMP accDoDefaultAction(VARIANT varID) override;
    STDMETHODIMP put_accName(VARIANT varID, BSTR pszName) override;
    STDMETHODIMP put_accValue(VARIANT varID, BSTR pszValue) override;

    // IOleWindow: the panel's window.
    STDMETHODIMP GetWindow(HWND* phwnd) override;
    STDMETHODIMP ContextSensitiveHelp(BOOL fEnterMode) override;

private:
    ~CToolGridAccessible();

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

    LONG m_nRefs = 1;
    CToolMgrDlg* m_pPanel; // null once disconnected
};
