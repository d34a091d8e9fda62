#include "panel/CScrollBarAccessible.h"
#include <string>
#include "panel/AccessibleResults.h"
#include "panel/CSkinScrollBar.h"

namespace {

const LONG kChildCount = 5;
const wchar_t kBarName[] = L"Vertical";
const wchar_t kPageAction[] = L"Press";
// The names the system gives the parts of its scroll bar.
const wchar_t* const kPartNames[kChildCount + 1] = {kBarName, L"Line up", L"Page up", L"Position", L"Page down",
                                                   L"Line down"};

bool IsArrow(LONG nChild)
{
    return nChild == CSkinScrollBar::kLineUp || nChild == CSkinScrollBar::kLineDown;
}

} // namespace

HWND CScrollBarAccessible::ConnectedWindow() const
{
    return m_pBar && ::IsWindow(m_hPanel) ? m_hPanel : nullptr;
}

HRESULT CScrollBarAccessible::Resolve(const VARIANT& varID, LONG& nChild) const
{
    if (!ConnectedWindow())
        return CO_E_OBJNOTCONNECTED;
    if (varID.vt != VT_I4 || varID.lVal < 0 || varID.lVal > kChildCount)
        return E_INVALIDARG;
    nChild = varID.lVal;
    return S_OK;
}

RECT CScrollBarAccessible::ChildRect(LONG nChild) const
{
    if (nChild == CHILDID_SELF)
        return m_pBar->BarRect();
    return m_pBar->PartRect(static_cast<CSkinScrollBar::Part>(nChild));
}

HRESULT CScrollBarAccessible::Resolve(const VARIANT& varID, BSTR* pbstr, LONG& nChild) const
{
    HRESULT hr = ClearedOutput(pbstr);
    return FAILED(hr) ? hr : Resolve(varID, nChild);
}

HRESULT CScrollBarAccessible::Resolve(const VARIANT& varID, VARIANT* pvar, LONG& nChild) const
{
    HRESULT hr = ClearedOutput(pvar);
    return FAILED(hr) ? hr : Resolve(varID, nChild);
}

bool CScrollBarAccessible::IsPageRegion(LONG nChild)
{
    return nChild == CSkinScrollBar::kPageUp || nChild == CSkinScrollBar::kPageDown;
}

STDMETHODIMP CScrollBarAccessible::get_accParent(IDispatch** ppdispParent)
{
    if (!ppdispParent)
        return E_POINTER;
    *ppdispParent = nullptr;
    if (!ConnectedWindow())
        return CO_E_OBJNOTCONNECTED;
    return ::AccessibleObjectFromWindow(m_hPanel, static_cast<DWORD>(OBJID_WINDOW), __uuidof(IDispatch),
                                        reinterpret_cast<void**>(ppdispParent));
}

STDMETHODIMP CScrollBarAccessible::get_accChildCount(LONG* pcountChildren)
{
    if (!pcountChildren)
        return E_POINTER;
    *pcountChildren = ConnectedWindow() ? kChildCount : 0;
    return ConnectedWindow() ? S_OK : CO_E_OBJNOTCONNECTED;
}

// The parts are simple elements, answered through the bar's object.
STDMETHODIMP CScrollBarAccessible::get_accChild(VARIANT varChildID, IDispatch** ppdispChild)
{
    if (!ppdispChild)
        return E_POINTER;
    *ppdispChild = nullptr;
    LONG nChild = 0;
    HRESULT hr = Resolve(varChildID, nChild);
    return FAILED(hr) ? hr : nChild == CHILDID_SELF ? E_INVALIDARG : S_FALSE;
}

STDMETHODIMP CScrollBarAccessible::get_accName(VARIANT varID, BSTR* pszName)
{
    LONG nChild = 0;
    HRESULT hr = Resolve(varID, pszName, nChild);
    return FAILED(hr) ? hr : TextResult(kPartNames[nChild], pszName);
}

STDMETHODIMP CScrollBarAccessible::get_accValue(VARIANT varID, BSTR* pszValue)
{
    LONG nChild = 0;
    HRESULT hr = Resolve(varID, pszValue, nChild);
    if (FAILED(hr) || nChild != CHILDID_SELF)
        return FAILED(hr) ? hr : S_FALSE;
    return TextResult(std::to_wstring(m_pBar->ValuePercent()).c_str(), pszValue);
}

STDMETHODIMP CScrollBarAccessible::get_accDescription(VARIANT varID, BSTR* pszDescription)
{
    LONG nChild = 0;
    HRESULT hr = Resolve(varID, pszDescription, nChild);
    return FAILED(hr) ? hr : S_FALSE;
}

STDMETHODIMP CScrollBarAccessible::get_accRole(VARIANT varID, VARIANT* pvarRole)
{
    LONG nChild = 0;
    HRESULT hr = Resolve(varID, pvarRole, nChild);
    if (FAILED(hr))
        return hr;
    LONG nRole = nChild == CHILDID_SELF            ? ROLE_SYSTEM_SCROLLBAR
                 : nChild == CSkinScrollBar::kThumb ? ROLE_SYSTEM_INDICATOR
                                                    : ROLE_SYSTEM_PUSHBUTTON;
    return I4Result(nRole, pvarRole);
}

STDMETHODIMP CScrollBarAccessible::get_accState(VARIANT varID, VARIANT* pvarState)
{
    LONG nChild = 0;
    HRESULT hr = Resolve(varID, pvarState, nChild);
    if (FAILED(hr))
        return hr;
    bool bInvisible = !m_pBar->IsShown() || IsArrow(nChild);
    return I4Result(bInvisible ? STATE_SYSTEM_INVISIBLE : 0, pvarState);
}

STDMETHODIMP CScrollBarAccessible::get_accHelp(VARIANT varID, BSTR* pszHelp)
{
    return get_accDescription(varID, pszHelp); // no help text
}

STDMETHODIMP CScrollBarAccessible::get_accKeyboardShortcut(VARIANT varID, BSTR* pszKeyboardShortcut)
{
    return get_accDescription(varID, pszKeyboardShortcut);
}

STDMETHODIMP CScrollBarAccessible::get_accFocus(VARIANT* pvarID)
{
    if (!pvarID)
        return E_POINTER;
    ::VariantInit(pvarID);
    return ConnectedWindow() ? S_FALSE : CO_E_OBJNOTCONNECTED; // the bar never has the focus
}

STDMETHODIMP CScrollBarAccessible::get_accSelection(VARIANT* pvarID)
{
    return get_accFocus(pvarID);
}

STDMETHODIMP CScrollBarAccessible::get_accDefaultAction(VARIANT varID, BSTR* pszDefaultAction)
{
    LONG nChild = 0;
    HRESULT hr = Resolve(varID, pszDefaultAction, nChild);
    if (FAILED(hr))
        return hr;
    return IsPageRegion(nChild) ? TextResult(kPageAction, pszDefaultAction) : S_FALSE;
}

STDMETHODIMP CScrollBarAccessible::accSelect(LONG, VARIANT varID)
{
    LONG nChild = 0;
    HRESULT hr = Resolve(varID, nChild);
    return FAILED(hr) ? hr : DISP_E_MEMBERNOTFOUND;
}

STDMETHODIMP CScrollBarAccessible::accLocation(LONG* pxLeft, LONG* pyTop, LONG* pcxWidth, LONG* pcyHeight,
                                               VARIANT varID)
{
    if (!pxLeft || !pyTop || !pcxWidth || !pcyHeight)
        return E_POINTER;
    *pxLeft = *pyTop = *pcxWidth = *pcyHeight = 0;
    LONG nChild = 0;
    HRESULT hr = Resolve(varID, nChild);
    if (FAILED(hr))
        return hr;
    return LocationResult(ClientToScreenRect(m_hPanel, ChildRect(nChild)), pxLeft, pyTop, pcxWidth, pcyHeight);
}

// The parts follow one another from top to bottom; the bar leads to its first and last.
STDMETHODIMP CScrollBarAccessible::accNavigate(LONG navDir, VARIANT varStart, VARIANT* pvarEnd)
{
    if (!pvarEnd)
        return E_POINTER;
    ::VariantInit(pvarEnd);
    LONG nChild = 0;
    HRESULT hr = Resolve(varStart, nChild);
    if (FAILED(hr))
        return hr;
    LONG nTarget = 0;
    if (nChild == CHILDID_SELF)
        nTarget = navDir == NAVDIR_FIRSTCHILD ? 1 : navDir == NAVDIR_LASTCHILD ? kChildCount : 0;
    else if (navDir == NAVDIR_NEXT || navDir == NAVDIR_DOWN)
        nTarget = nChild + 1;
    else if (navDir == NAVDIR_PREVIOUS || navDir == NAVDIR_UP)
        nTarget = nChild - 1;
    if (nTarget < 1 || nTarget > kChildCount)
        return S_FALSE;
    return I4Result(nTarget, pvarEnd);
}

STDMETHODIMP CScrollBarAccessible::accHitTest(LONG xLeft, LONG yTop, VARIANT* pvarID)
{
    if (!pvarID)
        return E_POINTER;
    ::VariantInit(pvarID);
    if (!ConnectedWindow())
        return CO_E_OBJNOTCONNECTED;
    POINT pt = {xLeft, yTop};
    ::ScreenToClient(m_hPanel, &pt);
    RECT bar = m_pBar->BarRect();
    if (!m_pBar->IsShown() || !PtInRect(&bar, pt))
        return S_FALSE;
    for (LONG nChild : {CSkinScrollBar::kPageUp, CSkinScrollBar::kThumb, CSkinScrollBar::kPageDown}) {
        RECT rc = ChildRect(nChild);
        if (PtInRect(&rc, pt))
            return I4Result(nChild, pvarID);
    }
    return I4Result(CHILDID_SELF, pvarID);
}

// A page region pages as a press on it does, through WM_VSCROLL.
STDMETHODIMP CScrollBarAccessible::accDoDefaultAction(VARIANT varID)
{
    LONG nChild = 0;
    HRESULT hr = Resolve(varID, nChild);
    if (FAILED(hr))
        return hr;
    if (!IsPageRegion(nChild) || !m_pBar->IsShown())
        return DISP_E_MEMBERNOTFOUND;
    WPARAM wCode = nChild == CSkinScrollBar::kPageUp ? SB_PAGEUP : SB_PAGEDOWN;
    ::SendMessageW(m_hPanel, WM_VSCROLL, MAKEWPARAM(wCode, 0), 0);
    return S_OK;
}
