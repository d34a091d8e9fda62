// The panel's picture off screen: a 32-bit top-down DIB section that keeps
// what was composed last, with a GDI+ bitmap over the same pixels to draw on
// and a memory DC to copy from. A paint composes only the part the system
// asks for and copies only that part; a whole-panel copy (erase, print) first
// composes the part that went stale since it was last composed.
//
// Stale is one rectangle, the union of every part marked since: composing a
// little more than needed is cheap, missing a part would show old pixels.
#pragma once
#include <windows.h>
#include <memory>
#include "controls/GdipBitmap.h"
#include "controls/PixelSurface.h"
#include "framework/CGdiHandleT.h"
#include "framework/CMemoryDC.h"

class CPanelCanvas
{
public:
    CPanelCanvas();
    ~CPanelCanvas();
    CPanelCanvas(const CPanelCanvas&) = delete;
    CPanelCanvas& operator=(const CPanelCanvas&) = delete;

    // Makes the canvas cx x cy; a new size drops the pixels and makes the
    // whole canvas stale. False when it cannot be made (or the size is empty).
    bool Prepare(int cx, int cy);
    int Width() const { return m_size.cx; }
    int Height() const { return m_size.cy; }
    RECT Bounds() const { return RECT{0, 0, m_size.cx, m_size.cy}; }

    void MarkStale(const RECT& rc);
    void MarkAllStale() { MarkStale(Bounds()); }
    // The stale part, empty when everything is current.
    const RECT& Stale() const { return m_rcStale; }
    // The part was composed: what of the stale part lies outside it stays stale.
    void MarkComposed(const RECT& rc);

    // GDI+ view of the pixels (premultiplied ARGB).
    Gdip::Bitmap* Surface() const { return m_pSurface.get(); }
    // The same pixels, to write directly.
    PixelSurface Pixels() const { return PixelSurface{static_cast<std::uint32_t*>(m_pBits), m_size.cx, m_size.cy}; }
    // Copies the part from another canvas of the same size.
    void CopyFrom(const CPanelCanvas& source, const RECT& rc);
    // Copies the part to the same place of the device context.
    void CopyTo(HDC hdc, const RECT& rc) const;

private:
    void Release();
    RECT Clamp(const RECT& rc) const;

    SIZE m_size = {0, 0};
    void* m_pBits = nullptr;
    CMemoryDC m_memoryDC;
    CBitmapOwner m_dib;
    HGDIOBJ m_hOldBitmap = nullptr;
    std::unique_ptr<Gdip::Bitmap> m_pSurface;
    RECT m_rcStale = {0, 0, 0, 0};
};
