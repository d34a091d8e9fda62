#include "panel/AccessibleResults.h"

// A text result into a cleared output: S_FALSE and no string for an empty text.
HRESULT ClearedOutput(BSTR* pbstr)
{
    if (!pbstr)
        return E_POINTER;
    *pbstr = nullptr;
    return S_OK;
}

HRESULT ClearedOutput(VARIANT* pvar)
{
    if (!pvar)
        return E_POINTER;
    ::VariantInit(pvar);
    return S_OK;
}

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

// The system's object for a window, as a VARIANT.
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
