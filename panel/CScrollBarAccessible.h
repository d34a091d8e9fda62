// The accessible object (MSAA) of the panel's skinned scroll bar, which the
// panel hands out for WM_GETOBJECT with OBJID_VSCROLL. It is shaped like the
// system bar's object: a scroll bar named "Vertical" whose value is the
// position in percent ("0" to "100"), with five simple children: the line
// arrows (which this bar does not have: empty and invisible), the page
// regions above and below the thumb, and the thumb, an indicator. The bar
// and its children are invisible while the bar is not shown.
#pragma once
#include <windows.h>
#include <oleacc.h>
#include "panel/CAccessibleObject.h"

class CSkinScrollBar;

class CScrollBarAccessible final : public CAccessibleObject
{
public:
    // Holds one reference for the caller.
    CScrollBarAccessible(HWND hPanel, const CSkinScrollBar& bar) : m_hPanel(hPanel), m_pBar(&bar) {}

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
    ~CScrollBarAccessible() override = default;
    HWND ConnectedWindow() const override;
    void Unlink() override { m_pBar = nullptr; }

    // S_OK with the child id (0 for the bar itself), CO_E_OBJNOTCONNECTED
    // once the panel is gone, E_INVALIDARG for anything but a VT_I4 id of 0 to 5.
    HRESULT Resolve(const VARIANT& varID, LONG& nChild) const;
    // The same after checking the output and clearing it.
    HRESULT Resolve(const VARIANT& varID, BSTR* pbstr, LONG& nChild) const;
    HRESULT Resolve(const VARIANT& varID, VARIANT* pvar, LONG& nChild) const;
    // The bar (0) or a part, in client coordinates.
    RECT ChildRect(LONG nChild) const;
    // A page region's default action is a page.
    static bool IsPageRegion(LONG nChild);

    HWND m_hPanel;
    const CSkinScrollBar* m_pBar; // null once disconnected
};
