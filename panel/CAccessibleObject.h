// What the panel's accessible objects (MSAA) share: their COM identity
// (IUnknown; IDispatch without type information, so clients call through
// the vtable; IOleWindow), the reference count, and the cut from the panel.
// A screen reader may keep an object after the panel has gone, so an object
// holds only a weak link to the panel, which the panel cuts when its window
// is destroyed (Disconnect); every call then answers CO_E_OBJNOTCONNECTED.
#pragma once
#include <windows.h>
#include <oleacc.h>

class CAccessibleObject : public IAccessible, public IOleWindow
{
public:
    CAccessibleObject() = default;
    CAccessibleObject(const CAccessibleObject&) = delete;
    CAccessibleObject& operator=(const CAccessibleObject&) = delete;

    // Cuts the link to the panel and the references that clients in other
    // processes hold through COM's stubs.
    void Disconnect();

    // IUnknown
    STDMETHODIMP QueryInterface(REFIID riid, void** ppvObject) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;

    // IDispatch
    STDMETHODIMP GetTypeInfoCount(UINT* pctinfo) override;
    STDMETHODIMP GetTypeInfo(UINT iTInfo, LCID lcid, ITypeInfo** ppTInfo) override;
    STDMETHODIMP GetIDsOfNames(REFIID riid, LPOLESTR* rgszNames, UINT cNames, LCID lcid, DISPID* rgDispId) override;
    STDMETHODIMP Invoke(DISPID dispIdMember, REFIID riid, LCID lcid, WORD wFlags, DISPPARAMS* pDispParams,
                        VARIANT* pVarResult, EXCEPINFO* pExcepInfo, UINT* puArgErr) override;

    // IAccessible members that every object answers alike: no help topics,
    // and names and values are not set from outside.
    STDMETHODIMP get_accHelpTopic(BSTR* pszHelpFile, VARIANT varID, LONG* pidTopic) override;
    STDMETHODIMP put_accName(VARIANT varID, BSTR pszName) override;
    STDMETHODIMP put_accValue(VARIANT varID, BSTR pszValue) override;

    // IOleWindow: the panel's window.
    STDMETHODIMP GetWindow(HWND* phwnd) override;
    STDMETHODIMP ContextSensitiveHelp(BOOL fEnterMode) override;

protected:
    virtual ~CAccessibleObject() = default;
    // The panel's window while the object is connected to a live one, else null.
    virtual HWND ConnectedWindow() const = 0;
    // Drops the link to the panel.
    virtual void Unlink() = 0;

private:
    LONG m_nRefs = 1;
};
