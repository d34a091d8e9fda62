#include "panel/CAccessibleObject.h"

void CAccessibleObject::Disconnect()
{
    Unlink();
    ::CoDisconnectObject(static_cast<IAccessible*>(this), 0);
}

// Interface identifiers through __uuidof throughout: MinGW's oleacc import
// library gives IID_IAccessible as a code stub rather than the GUID.
STDMETHODIMP CAccessibleObject::QueryInterface(REFIID riid, void** ppvObject)
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

STDMETHODIMP_(ULONG) CAccessibleObject::AddRef()
{
    return static_cast<ULONG>(::InterlockedIncrement(&m_nRefs));
}

STDMETHODIMP_(ULONG) CAccessibleObject::Release()
{
    LONG nRefs = ::InterlockedDecrement(&m_nRefs);
    if (nRefs == 0)
        delete this;
    return static_cast<ULONG>(nRefs);
}

STDMETHODIMP CAccessibleObject::GetTypeInfoCount(UINT* pctinfo)
{
    if (!pctinfo)
        return E_POINTER;
    *pctinfo = 0;
    return S_OK;
}

STDMETHODIMP CAccessibleObject::GetTypeInfo(UINT, LCID, ITypeInfo** ppTInfo)
{
    if (ppTInfo)
        *ppTInfo = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP CAccessibleObject::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*)
{
    return E_NOTIMPL;
}

STDMETHODIMP CAccessibleObject::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*)
{
    return E_NOTIMPL;
}

STDMETHODIMP CAccessibleObject::GetWindow(HWND* phwnd)
{
    if (!phwnd)
        return E_POINTER;
    *phwnd = ConnectedWindow();
    return *phwnd ? S_OK : CO_E_OBJNOTCONNECTED;
}

STDMETHODIMP CAccessibleObject::ContextSensitiveHelp(BOOL)
{
    return E_NOTIMPL;
}

STDMETHODIMP CAccessibleObject::get_accHelpTopic(BSTR* pszHelpFile, VARIANT, LONG* pidTopic)
{
    if (pszHelpFile)
        *pszHelpFile = nullptr;
    if (pidTopic)
        *pidTopic = 0;
    return DISP_E_MEMBERNOTFOUND;
}

STDMETHODIMP CAccessibleObject::put_accName(VARIANT, BSTR)
{
    return E_NOTIMPL;
}

STDMETHODIMP CAccessibleObject::put_accValue(VARIANT, BSTR)
{
    return E_NOTIMPL;
}
