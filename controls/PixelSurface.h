// Premultiplied 32-bit pixels (B, G, R, A from the lowest byte), top row
// first, rows nWidth pixels apart, that drawing code may write directly.
#pragma once
#include <cstdint>

struct PixelSurface
{
    std::uint32_t* pBits = nullptr;
    int nWidth = 0;
    int nHeight = 0;

    bool IsEmpty() const { return !pBits || nWidth <= 0 || nHeight <= 0; }
};
