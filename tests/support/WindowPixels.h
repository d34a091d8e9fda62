// The client-area pixels of a window as they are on screen: the window's DC is
// copied into a 32-bit DIB once, then read pixel by pixel.
#pragma once
#include <windows.h>
#include <gdiplus.h>
#include <string>
#include <vector>
#include <gtest/gtest.h>

class WindowPixels
{
public:
    enum class Source { WindowDC, Screen };
    explicit WindowPixels(HWND hWnd, Source source = Source::WindowDC);

    int Width() const { return m_nWidth; }
    // 0x00RRGGBB, or 0xFFFFFFFF outside the client area.
    DWORD At(int x, int y) const;
    DWORD At(POINT pt) const { return At(pt.x, pt.y); }

private:
    int m_nWidth = 0;
    int m_nHeight = 0;
    std::vector<DWORD> m_pixels; // top-down rows
};

// Passes when the pixel matches the colour (alpha ignored) within a few steps per channel.
::testing::AssertionResult PixelIs(const WindowPixels& pixels, POINT pt, Gdiplus::ARGB expected);

// Where two pictures differ inside rc (beyond 2 steps in a channel), as a
// message naming the count and the first pixel; empty when they agree.
std::string PixelDifference(const WindowPixels& a, const WindowPixels& b, const RECT& rc);
