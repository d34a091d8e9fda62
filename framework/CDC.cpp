#include "CDC.h"
#include "CFont.h"
#include "CTempHandleMap.h"

IMPLEMENT_DYNAMIC(CDC, CObject)

CDC::~CDC()
{
    DeleteDC();
}

CDC* CDC::FromHandle(HDC hDC)
{
    static CTempHandleMap<HDC, CDC> s_map(
        [](HDC h) { return ::GetObjectType(h) != 0; },
        [](CDC* p, HDC h) { p->m_hDC = h; });
    return s_map.FromHandle(hDC);
}

// Called on null pointers by design (a window without a parent, the screen's
// DC); the build keeps null checks of this (-fno-delete-null-pointer-checks).
#pragma clang diagnostic push
#pragma clang diagnostic ignored "-Wundefined-bool-conversion"
HDC CDC::GetSafeHdc() const
{
    return this ? m_hDC : nullptr;
}
#pragma clang diagnostic pop

BOOL CDC::Attach(HDC hDC)
{
    if (!hDC || m_hDC)
        return FALSE;
    m_hDC = hDC;
    return TRUE;
}

HDC CDC::Detach()
{
    HDC hDC = m_hDC;
    m_hDC = nullptr;
    return hDC;
}

BOOL CDC::DeleteDC()
{
    if (!m_hDC)
        return FALSE;
    return ::DeleteDC(Detach());
}

BOOL CDC::CreateCompatibleDC(CDC* pDC)
{
    return Attach(::CreateCompatibleDC(pDC->GetSafeHdc()));
}

HGDIOBJ CDC::SelectObject(HGDIOBJ hObject)
{
    return ::SelectObject(m_hDC, hObject);
}

CFont* CDC::SelectObject(CFont* pFont)
{
    return CFont::FromHandle(static_cast<HFONT>(::SelectObject(m_hDC, pFont->GetSafeHandle())));
}

void CDC::FillSolidRect(LPCRECT lpRect, COLORREF clr)
{
    // As MFC: an opaque empty text run paints the rectangle in the background colour.
    ::SetBkColor(m_hDC, clr);
    ::ExtTextOutW(m_hDC, 0, 0, ETO_OPAQUE, lpRect, nullptr, 0, nullptr);
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF clr)
{
    CRect rect(x, y, x + cx, y + cy);
    FillSolidRect(&rect, clr);
}

BOOL CDC::BitBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc, DWORD dwRop)
{
    return ::BitBlt(m_hDC, x, y, nWidth, nHeight, pSrcDC->GetSafeHdc(), xSrc, ySrc, dwRop);
}

COLORREF CDC::GetPixel(int x, int y) const
{
    return ::GetPixel(m_hDC, x, y);
}
