#include "panel/CToolGridAccessible.h"
#include "panel/AccessibleResults.h"
#include "panel/CToolMgrDlg.h"

namespace {

const wchar_t kDefaultName[] = L"Tools";   // the list's name while the panel has no title
const wchar_t kDefaultAction[] = L"Start"; // what an item's default action does

} // namespace

CToolGridAccessible::CToolGridAccessible(CToolMgrDlg* pPanel) : m_pPanel(pPanel) {}

CToolGridAccessible::~CToolGridAccessible() = default;

HWND CToolGridAccessible::ConnectedWindow() const
{
    return IsConnected() ? m_pPanel->m_hWnd : nullptr;
}

// ---- Children -------------------------------------------------------------------

bool CToolGridAccessible::IsConnected() const
{
    return m_pPanel && ::IsWindow(m_pPanel->m_hWnd);
}

int CToolGridAccessible::ItemCount() const
{
    return m_pPanel->m_list.m_arrItems.GetSize();
}

HWND CToolGridAccessible::VisibleChild(int nIndex) const
{
    for (HWND hWnd = ::GetWindow(m_pPanel->m_hWnd, GW_CHILD); hWnd; hWnd = ::GetWindow(hWnd, GW_HWNDNEXT)) {
        if (::IsWindowVisible(hWnd) && nIndex-- == 0)
            return hWnd;
    }
    return nullptr;
}

int CToolGridAccessible::VisibleChildIndex(HWND hChild) const
{
    int nIndex = 0;
    for (HWND hWnd = ::GetWindow(m_pPanel->m_hWnd, GW_CHILD); hWnd; hWnd = ::GetWindow(hWnd, GW_HWNDNEXT)) {
        if (!::IsWindowVisible(hWnd))
            continue;
        if (hWnd == hChild)
            return nIndex;
        ++nIndex;
    }
    return -1;
}

int CToolGridAccessible::ChildCount() const
{
    int nCount = ItemCount();
    for (HWND hWnd = ::GetWindow(m_pPanel->m_hWnd, GW_CHILD); hWnd; hWnd = ::GetWindow(hWnd, GW_HWNDNEXT))
        nCount += ::IsWindowVisible(hWnd) ? 1 : 0;
    return nCount;
}

HRESULT CToolGridAccessible::Resolve(const VARIANT& varID, Child& child) const
{
    if (!IsConnected())
        return CO_E_OBJNOTCONNECTED;
    if (varID.vt != VT_I4 || varID.lVal < 0)
        return E_INVALIDARG;
    int nId = varID.lVal;
    if (nId == CHILDID_SELF) {
        child.kind = Child::kSelf;
    } else if (nId <= ItemCount()) {
        child.kind = Child::kItem;
        child.nItem = nId - 1;
    } else {
        child.kind = Child::kWindow;
        child.hWnd = VisibleChild(nId - 1 - ItemCount());
        if (!child.hWnd)
            return E_INVALIDARG;
    }
    return S_OK;
}

// A child window answers for itself through its own object.
HRESULT CToolGridAccessible::ResolveOwn(const VARIANT& varID, Child& child) const
{
    HRESULT hr = Resolve(varID, child);
    return SUCCEEDED(hr) && child.kind == Child::kWindow ? E_INVALIDARG : hr;
}

HRESULT CToolGridAccessible::ResolveOwn(const VARIANT& varID, BSTR* pbstr, Child& child) const
{
    HRESULT hr = ClearedOutput(pbstr);
    return FAILED(hr) ? hr : ResolveOwn(varID, child);
}

HRESULT CToolGridAccessible::ResolveOwn(const VARIANT& varID, VARIANT* pvar, Child& child) const
{
    HRESULT hr = ClearedOutput(pvar);
    return FAILED(hr) ? hr : ResolveOwn(varID, child);
}

HRESULT CToolGridAccessible::ChildVariant(int nId, VARIANT* pvar) const
{
    if (nId < 1 || nId > ChildCount())
        return EmptyResult(pvar);
    if (nId <= ItemCount())
        return I4Result(nId, pvar);
    return WindowResult(VisibleChild(nId - 1 - ItemCount()), pvar);
}

STDMETHODIMP CToolGridAccessible::get_accParent(IDispatch** ppdispParent)
{
    if (!ppdispParent)
        return E_POINTER;
    *ppdispParent = nullptr;
    if (!IsConnected())
        return CO_E_OBJNOTCONNECTED;
    return ::AccessibleObjectFromWindow(m_pPanel->m_hWnd, static_cast<DWORD>(OBJID_WINDOW), __uuidof(IDispatch),
                                        reinterpret_cast<void**>(ppdispParent));
}

STDMETHODIMP CToolGridAccessible::get_accChildCount(LONG* pcountChildren)
{
    if (!pcountChildren)
        return E_POINTER;
    *pcountChildren = 0;
    if (!IsConnected())
        return CO_E_OBJNOTCONNECTED;
    *pcountChildren = ChildCount();
    return S_OK;
}

STDMETHODIMP CToolGridAccessible::get_accChild(VARIANT varChildID, IDispatch** ppdispChild)
{
    if (!ppdispChild)
        return E_POINTER;
    *ppdispChild = nullptr;
    Child child;
    HRESULT hr = Resolve(varChildID, child);
    if (FAILED(hr) || child.kind == Child::kSelf)
        return FAILED(hr) ? hr : E_INVALIDARG;
    if (child.kind == Child::kItem)
        return S_FALSE; // an item is a simple element of the list
    return ::AccessibleObjectFromWindow(child.hWnd, static_cast<DWORD>(OBJID_WINDOW), __uuidof(IDispatch),
                                        reinterpret_cast<void**>(ppdispChild));
}

// ---- Properties -------------------------------------------------------------------

STDMETHODIMP CToolGridAccessible::get_accName(VARIANT varID, BSTR* pszName)
{
    Child child;
    HRESULT hr = ResolveOwn(varID, pszName, child);
    if (FAILED(hr))
        return hr;
    if (child.kind == Child::kItem)
        return TextResult(m_pPanel->m_list.m_arrItems[child.nItem].strName, pszName);
    int nLength = ::GetWindowTextLengthW(m_pPanel->m_hWnd);
    if (nLength == 0)
        return TextResult(kDefaultName, pszName);
    BSTR bstr = ::SysAllocStringLen(nullptr, static_cast<UINT>(nLength));
    if (bstr)
        ::GetWindowTextW(m_pPanel->m_hWnd, bstr, nLength + 1);
    *pszName = bstr;
    return bstr ? S_OK : E_OUTOFMEMORY;
}

STDMETHODIMP CToolGridAccessible::get_accValue(VARIANT varID, BSTR* pszValue)
{
    Child child;
    HRESULT hr = ResolveOwn(varID, pszValue, child);
    return FAILED(hr) ? hr : S_FALSE; // neither the list nor an item has a value
}

STDMETHODIMP CToolGridAccessible::get_accDescription(VARIANT varID, BSTR* pszDescription)
{
    Child child;
    HRESULT hr = ResolveOwn(varID, pszDescription, child);
    if (FAILED(hr))
        return hr;
    const wchar_t* pszTip = child.kind == Child::kItem ? m_pPanel->m_list.m_arrItems[child.nItem].strTipText.GetString()
                                                        : nullptr;
    return TextResult(pszTip, pszDescription);
}

STDMETHODIMP CToolGridAccessible::get_accRole(VARIANT varID, VARIANT* pvarRole)
{
    Child child;
    HRESULT hr = ResolveOwn(varID, pvarRole, child);
    if (FAILED(hr))
        return hr;
    return I4Result(child.kind == Child::kItem ? ROLE_SYSTEM_LISTITEM : ROLE_SYSTEM_LIST, pvarRole);
}

LONG CToolGridAccessible::ItemState(int nItem) const
{
    const CKdWindowLessList& list = m_pPanel->m_list;
    LONG nState = STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_SELECTABLE;
    if (nItem == list.m_nFocus && ::GetFocus() == m_pPanel->m_hWnd)
        nState |= STATE_SYSTEM_FOCUSED;
    if (nItem == list.m_nHover)
        nState |= STATE_SYSTEM_HOTTRACKED;
    RECT rcItem, rcArea = list.GetVisibleRect(), rcCommon;
    if (!list.GetItemDrawRect(nItem, rcItem) || !::IntersectRect(&rcCommon, &rcItem, &rcArea))
        nState |= STATE_SYSTEM_OFFSCREEN;
    return nState;
}

STDMETHODIMP CToolGridAccessible::get_accState(VARIANT varID, VARIANT* pvarState)
{
    Child child;
    HRESULT hr = ResolveOwn(varID, pvarState, child);
    if (FAILED(hr))
        return hr;
    if (child.kind == Child::kItem)
        return I4Result(ItemState(child.nItem), pvarState);
    HWND hPanel = m_pPanel->m_hWnd;
    LONG nState = STATE_SYSTEM_FOCUSABLE;
    if (::GetFocus() == hPanel)
        nState |= STATE_SYSTEM_FOCUSED;
    if (!::IsWindowVisible(hPanel))
        nState |= STATE_SYSTEM_INVISIBLE;
    return I4Result(nState, pvarState);
}

STDMETHODIMP CToolGridAccessible::get_accHelp(VARIANT varID, BSTR* pszHelp)
{
    return get_accValue(varID, pszHelp); // no help text: the same answer as for the value
}

STDMETHODIMP CToolGridAccessible::get_accKeyboardShortcut(VARIANT varID, BSTR* pszKeyboardShortcut)
{
    return get_accValue(varID, pszKeyboardShortcut);
}

STDMETHODIMP CToolGridAccessible::get_accFocus(VARIANT* pvarID)
{
    if (!pvarID)
        return E_POINTER;
    ::VariantInit(pvarID);
    if (!IsConnected())
        return CO_E_OBJNOTCONNECTED;
    HWND hPanel = m_pPanel->m_hWnd;
    HWND hFocus = ::GetFocus();
    if (hFocus == hPanel)
        return I4Result(m_pPanel->m_list.m_nFocus + 1, pvarID); // CHILDID_SELF without a focus item
    // A control of the panel (or a window inside one) has the focus.
    while (hFocus && ::GetParent(hFocus) != hPanel)
        hFocus = ::GetParent(hFocus);
    int nIndex = hFocus ? VisibleChildIndex(hFocus) : -1;
    return nIndex < 0 ? EmptyResult(pvarID) : ChildVariant(ItemCount() + nIndex + 1, pvarID);
}

STDMETHODIMP CToolGridAccessible::get_accSelection(VARIANT* pvarID)
{
    if (!pvarID)
        return E_POINTER;
    ::VariantInit(pvarID);
    return IsConnected() ? S_FALSE : CO_E_OBJNOTCONNECTED; // the grid has no selection
}

STDMETHODIMP CToolGridAccessible::get_accDefaultAction(VARIANT varID, BSTR* pszDefaultAction)
{
    Child child;
    HRESULT hr = ResolveOwn(varID, pszDefaultAction, child);
    if (FAILED(hr))
        return hr;
    return TextResult(child.kind == Child::kItem ? kDefaultAction : nullptr, pszDefaultAction);
}

// ---- Actions ------------------------------------------------------------------

STDMETHODIMP CToolGridAccessible::accSelect(LONG flagsSelect, VARIANT varID)
{
    Child child;
    HRESULT hr = ResolveOwn(varID, child);
    if (FAILED(hr))
        return hr;
    if (child.kind != Child::kItem || flagsSelect != SELFLAG_TAKEFOCUS)
        return E_INVALIDARG;
    ::SetFocus(m_pPanel->m_hWnd);
    m_pPanel->m_keyboard.SetFocusItem(child.nItem, true);
    return S_OK;
}

STDMETHODIMP CToolGridAccessible::accDoDefaultAction(VARIANT varID)
{
    Child child;
    HRESULT hr = ResolveOwn(varID, child);
    if (FAILED(hr))
        return hr;
    if (child.kind != Child::kItem)
        return DISP_E_MEMBERNOTFOUND;
    m_pPanel->m_list.ClickItem(child.nItem);
    return S_OK;
}

// ---- Geometry -------------------------------------------------------------------

STDMETHODIMP CToolGridAccessible::accLocation(LONG* pxLeft, LONG* pyTop, LONG* pcxWidth, LONG* pcyHeight,
                                              VARIANT varID)
{
    if (!pxLeft || !pyTop || !pcxWidth || !pcyHeight)
        return E_POINTER;
    *pxLeft = *pyTop = *pcxWidth = *pcyHeight = 0;
    Child child;
    HRESULT hr = ResolveOwn(varID, child);
    if (FAILED(hr))
        return hr;
    RECT rc;
    if (child.kind == Child::kSelf)
        ::GetClientRect(m_pPanel->m_hWnd, &rc);
    else if (!m_pPanel->m_list.GetItemDrawRect(child.nItem, rc))
        return S_FALSE; // no column fits: the item has no place
    return LocationResult(ClientToScreenRect(m_pPanel->m_hWnd, rc), pxLeft, pyTop, pcxWidth, pcyHeight);
}

int CToolGridAccessible::Neighbour(int nItem, LONG navDir) const
{
    int nCount = ItemCount();
    int nCols = m_pPanel->m_list.GetColumnCount();
    if (nCols == 0)
        return -1;
    switch (navDir) {
    case NAVDIR_LEFT: return nItem % nCols > 0 ? nItem - 1 : -1;
    case NAVDIR_RIGHT: return (nItem + 1) % nCols > 0 && nItem + 1 < nCount ? nItem + 1 : -1;
    case NAVDIR_UP: return nItem >= nCols ? nItem - nCols : -1;
    case NAVDIR_DOWN: return nItem + nCols < nCount ? nItem + nCols : -1;
    default: return -1;
    }
}

STDMETHODIMP CToolGridAccessible::accNavigate(LONG navDir, VARIANT varStart, VARIANT* pvarEnd)
{
    if (!pvarEnd)
        return E_POINTER;
    ::VariantInit(pvarEnd);
    Child child;
    HRESULT hr = Resolve(varStart, child);
    if (FAILED(hr))
        return hr;
    int nStartId = varStart.lVal;
    switch (navDir) {
    case NAVDIR_FIRSTCHILD:
        return child.kind == Child::kSelf ? ChildVariant(1, pvarEnd) : E_INVALIDARG;
    case NAVDIR_LASTCHILD:
        return child.kind == Child::kSelf ? ChildVariant(ChildCount(), pvarEnd) : E_INVALIDARG;
    case NAVDIR_NEXT:
    case NAVDIR_PREVIOUS:
        // The list's own siblings are the window object's business.
        if (child.kind == Child::kSelf)
            return EmptyResult(pvarEnd);
        return ChildVariant(navDir == NAVDIR_NEXT ? nStartId + 1 : nStartId - 1, pvarEnd);
    case NAVDIR_UP:
    case NAVDIR_DOWN:
    case NAVDIR_LEFT:
    case NAVDIR_RIGHT:
        if (child.kind != Child::kItem)
            return EmptyResult(pvarEnd);
        return ChildVariant(Neighbour(child.nItem, navDir) + 1, pvarEnd);
    default:
        return E_INVALIDARG;
    }
}

STDMETHODIMP CToolGridAccessible::accHitTest(LONG xLeft, LONG yTop, VARIANT* pvarID)
{
    if (!pvarID)
        return E_POINTER;
    ::VariantInit(pvarID);
    if (!IsConnected())
        return CO_E_OBJNOTCONNECTED;
    HWND hPanel = m_pPanel->m_hWnd;
    POINT pt = {xLeft, yTop};
    RECT rcClient;
    ::GetClientRect(hPanel, &rcClient);
    rcClient = ClientToScreenRect(hPanel, rcClient);
    if (!::PtInRect(&rcClient, pt))
        return S_FALSE;
    // Controls lie over the grid.
    POINT ptClient = pt;
    ::ScreenToClient(hPanel, &ptClient);
    HWND hChild = ::ChildWindowFromPointEx(hPanel, ptClient, CWP_SKIPINVISIBLE);
    if (hChild && hChild != hPanel)
        return WindowResult(hChild, pvarID);
    RECT rcArea = ClientToScreenRect(hPanel, m_pPanel->m_list.GetVisibleRect());
    if (::PtInRect(&rcArea, pt)) {
        RECT rc;
        // The lowest index wins where items overlap, as for a click.
        for (int i = 0; m_pPanel->m_list.GetItemDrawRect(i, rc); ++i) {
            RECT rcScreen = ClientToScreenRect(hPanel, rc);
            if (::PtInRect(&rcScreen, pt))
                return I4Result(i + 1, pvarID);
        }
    }
    return I4Result(CHILDID_SELF, pvarID);
}
