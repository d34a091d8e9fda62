// Selects a GDI object into a DC for the lifetime of the guard and puts the
// previous object back when it ends.
#pragma once
#include <windows.h>

class CScopedSelect
{
public:
    CScopedSelect(HDC hdc, HGDIOBJ hObject)
        : m_hdc(hdc), m_hOld(hdc && hObject ? ::SelectObject(hdc, hObject) : nullptr) {}
    ~CScopedSelect()
    {
        if (m_hOld && m_hOld != HGDI_ERROR)
            ::SelectObject(m_hdc, m_hOld);
    }
    CScopedSelect(const CScopedSelect&) = delete;
    CScopedSelect& operator=(const CScopedSelect&) = delete;

private:
    HDC m_hdc;
    HGDIOBJ m_hOld;
};
