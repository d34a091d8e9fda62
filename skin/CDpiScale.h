// The one conversion from skin pixels to device pixels. Every length a skin
// gives (sizes, positions, margins, item geometry, font sizes, widths) is in
// pixels of a 96-DPI display; the panel draws at its window's DPI. Lengths
// pass through Length (round(v * dpi / 96), halves away from zero), and a
// rectangle scales its edges, not its width, so that rectangles that touch in
// the skin still touch on the screen. At 96 DPI every value is unchanged.
#pragma once
#include <windows.h>

class CDpiScale
{
public:
    static constexpr int kBaseDpi = 96;

    // A DPI below 1 (an unreadable value) is taken as the base DPI.
    explicit CDpiScale(int nDpi = kBaseDpi);

    int Dpi() const { return m_nDpi; }
    bool IsBase() const { return m_nDpi == kBaseDpi; }
    // dpi / 96
    double Factor() const { return static_cast<double>(m_nDpi) / kBaseDpi; }

    // Skin pixels to device pixels, kept inside the int range.
    int Length(int nSkin) const;
    // A pen or frame width: scaled, and at least 1.
    int PenWidth(int nSkin) const;
    POINT Point(POINT pt) const;
    SIZE Size(SIZE size) const;
    RECT Rect(const RECT& rc) const;

    bool operator==(const CDpiScale& other) const { return m_nDpi == other.m_nDpi; }
    bool operator!=(const CDpiScale& other) const { return m_nDpi != other.m_nDpi; }

private:
    int m_nDpi;
};
