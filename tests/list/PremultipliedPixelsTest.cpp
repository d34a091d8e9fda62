// Blending a part of an image into pixels directly must give what GDI+ gives
// for the same unscaled draw, and never touch pixels outside the clip.
#include <gtest/gtest.h>
#include <vector>
#include "ListTestSupport.h"
#include "controls/CPremultipliedPixels.h"
#include "controls/GdipGraphics.h"
#include "support/ChannelsNear.h"

namespace {

const int kSize = 16;

// An opaque pattern with a half-transparent band, as a panel's pixels may hold.
std::vector<std::uint32_t> Background()
{
    std::vector<std::uint32_t> bits(kSize * kSize);
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x)
            bits[y * kSize + x] = y == 5 ? 0x80402010u : 0xFF000000u | (x * 15u << 16) | (y * 15u << 8) | 0x40u;
    return bits;
}

struct Case
{
    RECT rcSource;
    POINT ptDest;
    RECT rcClip;
};

} // namespace

TEST(PremultipliedPixels, BlendsAPartAsGdiplusDrawsItInsideTheClipOnly)
{
    CTempFolder folder{L"pixelstest", L"Default"};
    CString strImage = folder.File(L"strip.png");
    // Opaque, half, faint and fully transparent parts of an 8 x 4 image.
    WritePng(strImage, 8, 4,
             {{{0, 0, 2, 4}, 0xFFFF0000}, {{2, 0, 4, 4}, 0x8000FF00}, {{4, 0, 6, 4}, 0x200000FF}});
    auto pImage = Gdip::LoadBitmapFile(strImage);
    ASSERT_TRUE(pImage);
    CPremultipliedPixels pixels;
    ASSERT_TRUE(pixels.Load(*pImage));
    EXPECT_EQ(8, pixels.Width());
    EXPECT_EQ(4, pixels.Height());

    const Case cases[] = {
        {{0, 0, 8, 4}, {3, 2}, {0, 0, kSize, kSize}},   // whole image
        {{2, 0, 6, 4}, {4, 4}, {5, 5, kSize, 7}},       // part, clipped on two sides
        {{0, 0, 8, 4}, {-3, -2}, {0, 0, kSize, kSize}}, // off the surface's corner
        {{6, 2, 12, 9}, {13, 13}, {0, 0, kSize, kSize}}, // source beyond the image, dest beyond the surface
    };
    for (const Case& c : cases) {
        std::vector<std::uint32_t> direct = Background(), drawn = Background();
        pixels.BlendPart(PixelSurface{direct.data(), kSize, kSize}, c.rcSource, c.ptDest, c.rcClip);
        {
            Gdip::Bitmap target(kSize, kSize, kSize * 4, PixelFormat32bppPARGB,
                                reinterpret_cast<BYTE*>(drawn.data()));
            Gdip::Graphics graphics(&target);
            graphics.SetClip(c.rcClip);
            RECT rcPart = c.rcSource;
            RECT rcImage = {0, 0, 8, 4};
            IntersectRect(&rcPart, &rcPart, &rcImage);
            graphics.DrawImage(pImage.get(),
                               Gdiplus::RectF(float(c.ptDest.x + rcPart.left - c.rcSource.left),
                                              float(c.ptDest.y + rcPart.top - c.rcSource.top),
                                              float(rcPart.right - rcPart.left), float(rcPart.bottom - rcPart.top)),
                               Gdiplus::RectF(float(rcPart.left), float(rcPart.top), float(rcPart.right - rcPart.left),
                                              float(rcPart.bottom - rcPart.top)));
        }
        const std::vector<std::uint32_t> before = Background();
        for (int y = 0; y < kSize; ++y)
            for (int x = 0; x < kSize; ++x) {
                const int i = y * kSize + x;
                SCOPED_TRACE(testing::Message() << "at " << x << "," << y << " dest " << c.ptDest.x << ","
                                                << c.ptDest.y);
                EXPECT_TRUE(ChannelsNear(direct[i], drawn[i], 1, 4)) << std::hex << direct[i] << " " << drawn[i];
                POINT pt = {x, y};
                if (!PtInRect(&c.rcClip, pt)) {
                    EXPECT_EQ(before[i], direct[i]);
                }
            }
    }
}
