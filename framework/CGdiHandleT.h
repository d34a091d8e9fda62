// GDI handle holder in owned and borrowed forms (as WTL's CBitmapT<t_bManaged>):
// the owned form deletes its object exactly once (DeleteObject, Attach of
// another handle, or destruction); the borrowed form never does. Copying is
// disabled; moving transfers the handle, so owners can live in a CArray.
#pragma once
#include <windows.h>

template <class T, bool t_bOwned>
class CGdiHandleT
{
public:
    CGdiHandleT() = default;
    explicit CGdiHandleT(T h) : m_h(h) {}
    ~CGdiHandleT() { Release(); }
    CGdiHandleT(const CGdiHandleT&) = delete;
    CGdiHandleT& operator=(const CGdiHandleT&) = delete;
    CGdiHandleT(CGdiHandleT&& other) noexcept : m_h(other.Detach()) {}
    CGdiHandleT& operator=(CGdiHandleT&& other) noexcept
    {
        if (this != &other)
            Attach(other.Detach());
        return *this;
    }

    T Get() const { return m_h; }
    operator T() const { return m_h; }
    bool IsNull() const { return m_h == nullptr; }

    // Holds h, deleting the previously owned object.
    void Attach(T h)
    {
        if (h != m_h)
            Release();
        m_h = h;
    }
    T Detach()
    {
        T h = m_h;
        m_h = nullptr;
        return h;
    }
    void DeleteObject() { Release(); }

private:
    void Release()
    {
        if (t_bOwned && m_h)
            ::DeleteObject(m_h);
        m_h = nullptr;
    }

    T m_h = nullptr;
};

using CBitmapOwner = CGdiHandleT<HBITMAP, true>;
using CFontOwner = CGdiHandleT<HFONT, true>;
using CBrushOwner = CGdiHandleT<HBRUSH, true>;
using CPenOwner = CGdiHandleT<HPEN, true>;
using CBitmapRef = CGdiHandleT<HBITMAP, false>;
using CFontRef = CGdiHandleT<HFONT, false>;
using CBrushRef = CGdiHandleT<HBRUSH, false>;
using CPenRef = CGdiHandleT<HPEN, false>;
