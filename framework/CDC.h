// Device context wrapper, as MFC's CDC. A DC that is created or attached is
// deleted (DeleteDC) by the destructor unless detached; the classes that get
// their DC from a window (CPaintDC, CClientDC) give it back themselves.
#pragma once
#include "CObject.h"
#include "CRect.h"

class CFont;

class CDC : public CObject
{
    DECLARE_DYNAMIC(CDC)
public:
    CDC() = default;
    ~CDC() override;

    HDC m_hDC = nullptr;

    // A temporary, non-owning wrapper of hDC (null for a null handle).
    static CDC* FromHandle(HDC hDC);

    operator HDC() const { return m_hDC; }
    // Null also when called through a null pointer, as in MFC.
    HDC GetSafeHdc() const;

    BOOL Attach(HDC hDC);
    HDC Detach();
    BOOL DeleteDC();
    // Creates a memory DC compatible with pDC (the screen when null).
    BOOL CreateCompatibleDC(CDC* pDC);

    HGDIOBJ SelectObject(HGDIOBJ hObject);
    // Selects the font and returns the previous one (temporary wrapper).
    CFont* SelectObject(CFont* pFont);

    void FillSolidRect(LPCRECT lpRect, COLORREF clr);
    void FillSolidRect(int x, int y, int cx, int cy, COLORREF clr);
    BOOL BitBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc, DWORD dwRop);
    COLORREF GetPixel(int x, int y) const;
};
