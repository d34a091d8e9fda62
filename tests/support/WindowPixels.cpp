#include "WindowPixels.h"
#include <cstdio>
#include "framework/CGdiHandleT.h"
#include "framework/CMemoryDC.h"
#include "framework/CScopedSelect.h"
#include "ChannelsNear.h"
#include "TopDownDib.h"

namespace {

const int kTolerance = 4;

// The window's client-area DC, given back when the object goes away.
class WindowDC
{
public:
    explicit WindowDC(HWND hWnd) : m_hWnd(hWnd), m_hdc(GetDC(hWnd)) {}
    ~WindowDC() { ReleaseDC(m_hWnd, m_hdc); }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    operator HDC() const { return m_hdc; }

private:
    HWND m_hWnd;
    HDC m_hdc;
};

} // namespace

WindowPixels::WindowPixels(HWND hWnd, Source source)
{
    RECT rc = {};
    GetClientRect(hWnd, &rc);
    m_nWidth = rc.right;
    m_nHeight = rc.bottom;
    if (m_nWidth <= 0 || m_nHeight <= 0)
        return;
    BITMAPINFO bmi = TopDownDibInfo(m_nWidth, m_nHeight);
    void* pBits = nullptr;
    // The screen DC reads what any process sees, also for another process's window.
    POINT origin = {0, 0};
    if (source == Source::Screen)
        ClientToScreen(hWnd, &origin);
    WindowDC windowDC(source == Source::Screen ? nullptr : hWnd);
    CMemoryDC memoryDC(windowDC);
    CBitmapOwner dib(CreateDIBSection(memoryDC, &bmi, DIB_RGB_COLORS, &pBits, nullptr, 0));
    if (dib.IsNull())
        return;
    {
        CScopedSelect select(memoryDC, dib);
        BitBlt(memoryDC, 0, 0, m_nWidth, m_nHeight, windowDC, origin.x, origin.y, SRCCOPY);
        GdiFlush();
    }
    const DWORD* pSource = static_cast<const DWORD*>(pBits);
    m_pixels.assign(pSource, pSource + static_cast<size_t>(m_nWidth) * m_nHeight);
}

DWORD WindowPixels::At(int x, int y) const
{
    if (x < 0 || y < 0 || x >= m_nWidth || y >= m_nHeight || m_pixels.empty())
        return 0xFFFFFFFF;
    return m_pixels[static_cast<size_t>(y) * m_nWidth + x] & 0xFFFFFF;
}

::testing::AssertionResult PixelIs(const WindowPixels& pixels, POINT pt, Gdiplus::ARGB expected)
{
    DWORD actual = pixels.At(pt);
    bool bNear = actual != 0xFFFFFFFF && ChannelsNear(actual, expected, kTolerance, 3);
    char szText[96];
    snprintf(szText, sizeof(szText), "pixel (%ld, %ld) is %06lX, expected %06lX", pt.x, pt.y,
             static_cast<unsigned long>(actual), static_cast<unsigned long>(expected & 0xFFFFFF));
    return bNear ? ::testing::AssertionSuccess() << szText : ::testing::AssertionFailure() << szText;
}

std::string PixelDifference(const WindowPixels& a, const WindowPixels& b, const RECT& rc)
{
    const int kTolerance = 2;
    int nDiffering = 0;
    std::string strFirst;
    for (int y = rc.top; y < rc.bottom; ++y) {
        for (int x = rc.left; x < rc.right; ++x) {
            if (ChannelsNear(a.At(x, y), b.At(x, y), kTolerance, 3))
                continue;
            if (nDiffering++ == 0)
                strFirst = "first at (" + std::to_string(x) + ", " + std::to_string(y) + ")";
        }
    }
    return nDiffering ? std::to_string(nDiffering) + " pixels differ, " + strFirst : std::string();
}
