#include "PanelAccessible.h"
#include <gtest/gtest.h>

namespace {

VARIANT ChildId(LONG nId)
{
    VARIANT var;
    VariantInit(&var);
    var.vt = VT_I4;
    var.lVal = nId;
    return var;
}

// A BSTR answer as text (empty for none), given back to the system.
CString TakeText(HRESULT hr, BSTR& bstr)
{
    EXPECT_TRUE(SUCCEEDED(hr)) << std::hex << hr;
    CString strText(bstr ? bstr : L"");
    SysFreeString(bstr);
    bstr = nullptr;
    return strText;
}

LONG TakeI4(HRESULT hr, VARIANT& var)
{
    EXPECT_EQ(S_OK, hr);
    EXPECT_EQ(VT_I4, var.vt);
    LONG nValue = var.vt == VT_I4 ? var.lVal : -1;
    VariantClear(&var);
    return nValue;
}

} // namespace

PanelAccessible::PanelAccessible(HWND hPanel, LONG nObjectId)
{
    m_hr = AccessibleObjectFromWindow(hPanel, static_cast<DWORD>(nObjectId), __uuidof(IAccessible),
                                      reinterpret_cast<void**>(&m_pAccessible));
}

PanelAccessible::~PanelAccessible()
{
    if (m_pAccessible)
        m_pAccessible->Release();
}

LONG PanelAccessible::ChildCount() const
{
    LONG nCount = -1;
    EXPECT_EQ(S_OK, m_pAccessible->get_accChildCount(&nCount));
    return nCount;
}

CString PanelAccessible::Name(LONG nId) const
{
    BSTR bstr = nullptr;
    HRESULT hr = m_pAccessible->get_accName(ChildId(nId), &bstr);
    return TakeText(hr, bstr);
}

CString PanelAccessible::Description(LONG nId) const
{
    BSTR bstr = nullptr;
    HRESULT hr = m_pAccessible->get_accDescription(ChildId(nId), &bstr);
    return TakeText(hr, bstr);
}

CString PanelAccessible::Value(LONG nId) const
{
    BSTR bstr = nullptr;
    HRESULT hr = m_pAccessible->get_accValue(ChildId(nId), &bstr);
    return TakeText(hr, bstr);
}

CString PanelAccessible::DefaultAction(LONG nId) const
{
    BSTR bstr = nullptr;
    HRESULT hr = m_pAccessible->get_accDefaultAction(ChildId(nId), &bstr);
    return TakeText(hr, bstr);
}

LONG PanelAccessible::Role(LONG nId) const
{
    VARIANT var;
    VariantInit(&var);
    return TakeI4(m_pAccessible->get_accRole(ChildId(nId), &var), var);
}

LONG PanelAccessible::State(LONG nId) const
{
    VARIANT var;
    VariantInit(&var);
    return TakeI4(m_pAccessible->get_accState(ChildId(nId), &var), var);
}

RECT PanelAccessible::Location(LONG nId) const
{
    LONG x = 0, y = 0, cx = 0, cy = 0;
    EXPECT_EQ(S_OK, m_pAccessible->accLocation(&x, &y, &cx, &cy, ChildId(nId)));
    return {x, y, x + cx, y + cy};
}

PanelAccessible::Target PanelAccessible::ToTarget(VARIANT& var)
{
    Target target;
    if (var.vt == VT_I4) {
        target = Target::Id(var.lVal);
    } else if (var.vt == VT_DISPATCH && var.pdispVal) {
        IAccessible* pObject = nullptr;
        HWND hWnd = nullptr;
        if (SUCCEEDED(var.pdispVal->QueryInterface(__uuidof(IAccessible), reinterpret_cast<void**>(&pObject)))) {
            WindowFromAccessibleObject(pObject, &hWnd);
            pObject->Release();
        }
        target = Target::Object(hWnd);
    } else {
        EXPECT_EQ(VT_EMPTY, var.vt) << "unexpected VARIANT type";
    }
    VariantClear(&var);
    return target;
}

PanelAccessible::Target PanelAccessible::Focus() const
{
    VARIANT var;
    VariantInit(&var);
    EXPECT_TRUE(SUCCEEDED(m_pAccessible->get_accFocus(&var)));
    return ToTarget(var);
}

PanelAccessible::Target PanelAccessible::HitTest(POINT ptScreen) const
{
    VARIANT var;
    VariantInit(&var);
    EXPECT_TRUE(SUCCEEDED(m_pAccessible->accHitTest(ptScreen.x, ptScreen.y, &var)));
    return ToTarget(var);
}

PanelAccessible::Target PanelAccessible::Navigate(LONG nDirection, LONG nStartId) const
{
    VARIANT var;
    VariantInit(&var);
    EXPECT_TRUE(SUCCEEDED(m_pAccessible->accNavigate(nDirection, ChildId(nStartId), &var)));
    return ToTarget(var);
}

PanelAccessible::Target PanelAccessible::Child(LONG nId) const
{
    IDispatch* pDispatch = nullptr;
    EXPECT_TRUE(SUCCEEDED(m_pAccessible->get_accChild(ChildId(nId), &pDispatch)));
    VARIANT var;
    VariantInit(&var);
    if (pDispatch) {
        var.vt = VT_DISPATCH;
        var.pdispVal = pDispatch;
    }
    return ToTarget(var);
}

std::ostream& operator<<(std::ostream& os, const PanelAccessible::Target& target)
{
    switch (target.kind) {
    case PanelAccessible::Target::kId: return os << "child " << target.nId;
    case PanelAccessible::Target::kObject: return os << "object of window " << target.hWnd;
    default: return os << "nothing";
    }
}

CString WindowAccessibleName(HWND hWnd)
{
    IAccessible* pObject = nullptr;
    HRESULT hr = AccessibleObjectFromWindow(hWnd, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                                            reinterpret_cast<void**>(&pObject));
    if (FAILED(hr) || !pObject)
        return L"(no object)";
    BSTR bstr = nullptr;
    HRESULT hrName = pObject->get_accName(ChildId(CHILDID_SELF), &bstr);
    CString strName = TakeText(hrName, bstr);
    pObject->Release();
    return strName;
}

testing::AssertionResult RectIs(const RECT& actual, const RECT& expected)
{
    if (EqualRect(&actual, &expected))
        return testing::AssertionSuccess();
    return testing::AssertionFailure() << "(" << actual.left << "," << actual.top << ")-(" << actual.right << ","
                                       << actual.bottom << ") instead of (" << expected.left << "," << expected.top
                                       << ")-(" << expected.right << "," << expected.bottom << ")";
}
