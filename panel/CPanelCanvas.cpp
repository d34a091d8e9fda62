#include "panel/CPanelCanvas.h"
#include <cstring>

CPanelCanvas::CPanelCanvas() : m_memoryDC(nullptr) {}

CPanelCanvas::~CPanelCanvas()
{
    Release();
}

void CPanelCanvas::Release()
{
    m_pSurface.reset();
    if (m_hOldBitmap)
        ::SelectObject(m_memoryDC, m_hOldBitmap);
    m_hOldBitmap = nullptr;
    m_dib.Attach(nullptr);
    m_pBits = nullptr;
    m_size = SIZE{0, 0};
    SetRectEmpty(&m_rcStale);
}

bool CPanelCanvas::Prepare(int cx, int cy)
{
    if (m_pSurface && m_size.cx == cx && m_size.cy == cy)
        return true;
    Release();
    if (cx <= 0 || cy <= 0 || !m_memoryDC.GetSafeHdc())
        return false;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = cx;
    info.bmiHeader.biHeight = -cy; // top-down: rows in screen order
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    m_dib.Attach(::CreateDIBSection(m_memoryDC, &info, DIB_RGB_COLORS, &m_pBits, nullptr, 0));
    if (m_dib.IsNull() || !m_pBits) {
        Release();
        return false;
    }
    m_hOldBitmap = ::SelectObject(m_memoryDC, m_dib);
    m_pSurface = std::make_unique<Gdip::Bitmap>(cx, cy, cx * 4, PixelFormat32bppPARGB, static_cast<BYTE*>(m_pBits));
    if (!m_pSurface->Native()) {
        Release();
        return false;
    }
    m_size = SIZE{cx, cy};
    MarkAllStale();
    return true;
}

RECT CPanelCanvas::Clamp(const RECT& rc) const
{
    RECT rcBounds = Bounds();
    RECT rcInside;
    if (!IntersectRect(&rcInside, &rc, &rcBounds))
        SetRectEmpty(&rcInside);
    return rcInside;
}

void CPanelCanvas::MarkStale(const RECT& rc)
{
    RECT rcInside = Clamp(rc);
    UnionRect(&m_rcStale, &m_rcStale, &rcInside);
}

void CPanelCanvas::MarkComposed(const RECT& rc)
{
    // One rectangle cannot hold an L-shaped rest: it only shrinks when the
    // composed part covers it across a whole side.
    RECT rcRest;
    if (SubtractRect(&rcRest, &m_rcStale, &rc))
        m_rcStale = rcRest;
    else
        SetRectEmpty(&m_rcStale);
}

void CPanelCanvas::CopyFrom(const CPanelCanvas& source, const RECT& rc)
{
    RECT rcInside = Clamp(rc);
    if (IsRectEmpty(&rcInside) || source.m_size.cx != m_size.cx || source.m_size.cy != m_size.cy)
        return;
    ::GdiFlush(); // GDI may still be drawing into either section
    size_t cbRow = static_cast<size_t>(rcInside.right - rcInside.left) * 4;
    for (int y = rcInside.top; y < rcInside.bottom; ++y) {
        size_t nOffset = (static_cast<size_t>(y) * static_cast<size_t>(m_size.cx) + static_cast<size_t>(rcInside.left)) * 4;
        std::memcpy(static_cast<BYTE*>(m_pBits) + nOffset, static_cast<const BYTE*>(source.m_pBits) + nOffset, cbRow);
    }
}

void CPanelCanvas::CopyTo(HDC hdc, const RECT& rc) const
{
    RECT rcInside = Clamp(rc);
    if (IsRectEmpty(&rcInside))
        return;
    ::BitBlt(hdc, rcInside.left, rcInside.top, rcInside.right - rcInside.left, rcInside.bottom - rcInside.top,
             m_memoryDC, rcInside.left, rcInside.top, SRCCOPY);
}
