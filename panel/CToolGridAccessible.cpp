#include "panel/CToolGridAccessible.h"
#include "panel/CToolMgrDlg.h"

namespace {

const wchar_t kDefaultName[] = L"Tools";   // the list's name while the panel has no title
const wchar_t kDefaultAction[] = L"Start"; // what an item's default action does

// A text result into a cleared output: S_FALSE and no string for an empty text.
HRESULT TextResult(const wchar_t* pszText, BSTR* pbstr)
{
    if (!pszText || !*pszText)
        return S_FALSE;
    *pbstr = ::SysAllocString(pszText);
    return *pbstr ? S_OK : E_OUTOFMEMORY;
}

HRESULT I4Result(LONG nValue, VARIANT* pvar)
{
    ::VariantInit(pvar);
    pvar->vt = VT_I4;
    pvar->lVal = nValue;
    return S_OK;
}

HRESULT EmptyResult(VARIANT* pvar)
{
    ::VariantInit(pvar);
    return S_FALSE;
}

// The system's object for a child window, as a VARIANT.
HRESULT WindowResult(HWND hWnd, VARIANT* pvar)
{
    ::VariantInit(pvar);
    IDispatch* pDispatch = nullptr;
    HRESULT hr = ::AccessibleObjectFromWindow(hWnd, static_cast<DWORD>(OBJID_WINDOW), __uuidof(IDispatch),
                                              reinterpret_cast<void**>(&pDispatch));
    if (FAILED(hr))
        return hr;
    if (!pDispatch)
        return E_FAIL;
    pvar->vt = VT_DISPATCH;
    pvar->pdispVal = pDispatch;
    return S_OK;
}

RECT ClientToScreenRect(HWND hWnd, RECT rc)
{
    ::MapWindowPoints(hWnd, HWND_DESKTOP, reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

HRESULT LocationResult(const RECT& rc, LONG* pxLeft, LONG* pyTop, LONG* pcxWidth, LONG* pcyHeight)
{
    *pxLeft = rc.left;
    *pyTop = rc.top;
    *pcxWidth = rc.right - rc.left;
    *pcyHeight = rc.bottom - rc.top;
    return S_OK;
}

} // namespace

CToolGridAccessible::CToolGridAccessible(CToolMgrDlg* pPanel) : m_pPanel(pPanel) {}

CToolGridAccessible::~CToolGridAccessible() = default;

void CToolGridAccessible::Disconnect()
{
    m_pPanel = nullptr;
    ::CoDisconnectObject(static_cast<IAccessible*>(this), 0);
}

// ---- IUnknown, IDispatch, IOleWindow ------------------------------------------

// Interface identifiers through __uuidof throughout: MinGW's oleacc import
// library gives IID_IAccessible as a code stub rather than the GUID.
STDMETHODIMP CToolGridAccessible::QueryInterface(REFIID riid, void** ppvObject)
{
    if (!ppvObject)
        return E_POINTER;
    if (riid == __uuidof(IUnknown) || riid == __uuidof(IDispatch) || riid == __uuidof(IAccessible))
        *ppvObject = static_cast<IAccessible*>(this);
    else if (riid == __uuidof(IOleWindow))
        *ppvObject = static_cast<IOleWindow*>(this);
    else
        *ppvObject = nullptr;
    if (!*ppvObject)
        return E_NOINTERFACE;
    AddRef();
    return S_OK;
}

STDMETHODIMP_(ULONG) CToolGridAccessible::AddRef()
{
    return static_cast<ULONG>(::InterlockedIncrement(&m_nRefs));
}

STDMETHODIMP_(ULONG) CToolGridAccessible::Release()
{
    LONG nRefs = ::InterlockedDecrement(&m_nRefs);
    if (nRefs == 0)
        delete this;
    return static_cast<ULONG>(nRefs);
}

STDMETHODIMP CToolGridAccessible::GetTypeInfoCount(UINT* pctinfo)
{
    if (!pctinfo)
        return E_POINTER;
    *pctinfo = 0;
    return S_OK;
}

STDMETHODIMP CToolGridAccessible::GetTypeInfo(UINT, LCID, ITypeInfo** ppTInfo)
{
    if (ppTInfo)
        *ppTInfo = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP CToolGridAccessible::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*)
{
    return E_NOTIMPL;
}

STDMETHODIMP CToolGridAccessible::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*)
{
    return E_NOTIMPL;
}

STDMETHODIMP CToolGridAccessible::GetWindow(HWND* phwnd)
{
    if (!phwnd)
        return E_POINTER;
    *phwnd = IsConnected() ? m_pPanel->m_hWnd : nullptr;
    return *phwnd ? S_OK : CO_E_OBJNOTCONNECTED;
}

STDMETHODIMP CToolGridAccessible::ContextSensitiveHelp(BOOL)
{
    return E_NOTIMPL;
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
    if (!pbstr)
        return E_POINTER;
    *pbstr = nullptr;
    return ResolveOwn(varID, child);
}

HRESULT CToolGridAccessible::ResolveOwn(const VARIANT& varID, VARIANT* pvar, Child& child) const
{
    if (!pvar)
        return E_POINTER;
    ::VariantInit(pvar);
    return ResolveOwn(varID, child);
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

STDMETHODIMP CToolGridAccessible::get_accHelpTopic(BSTR* pszHelpFile, VARIANT, LONG* pidTopic)
{
    if (pszHelpFile)
        *pszHelpFile = nullptr;
    if (pidTopic)
        *pidTopic = 0;
    return DISP_E_MEMBERNOTFOUND;
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

STDMETHODIMP CToolGridAccessible::put_accName(VARIANT, BSTR)
{
    return E_NOTIMPL;
}

STDMETHODIMP CToolGridAccessible::put_accValue(VARIANT, BSTR)
{
    return E_NOTIMPL;
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
