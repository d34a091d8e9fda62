// The shared composition steps on real GDI+ bitmaps.
#include <gtest/gtest.h>
#include "ListTestSupport.h"
#include "controls/DrawHelpers.h"
#include "controls/GdipGraphics.h"
#include "controls/GdipSolidBrush.h"

namespace {

const Gdiplus::ARGB kRed = 0xFFFF0000, kGreen = 0xFF00FF00, kBlue = 0xFF0000FF, kGrey = 0xFF808080,
                    kWhite = 0xFFFFFFFF, kYellow = 0xFFFFFF00, kBlack = 0xFF000000;

void Fill(Gdip::Image& image, Gdiplus::ARGB color, int x, int y, int w, int h)
{
    Gdip::Graphics graphics(&image);
    EXPECT_EQ(Gdiplus::Ok, graphics.FillRectangle(Gdip::SolidBrush(color), x, y, w, h));
}

} // namespace

TEST(DrawHelpers, ResetBitmapGivesTransparentArgbBitmapOfTheSize)
{
    std::unique_ptr<Gdip::Bitmap> slot;
    EXPECT_TRUE(ResetBitmap(slot, 30, 20));
    ASSERT_TRUE(slot);
    Fill(*slot, kRed, 0, 0, 30, 20);

    // The replacement is a new, empty bitmap of the new size.
    EXPECT_TRUE(ResetBitmap(slot, 7, 5));
    ASSERT_TRUE(slot);
    EXPECT_EQ(7u, slot->Width());
    EXPECT_EQ(5u, slot->Height());
    Gdiplus::PixelFormat format = 0;
    Gdiplus::DllExports::GdipGetImagePixelFormat(slot->Native(), &format);
    EXPECT_EQ(static_cast<Gdiplus::PixelFormat>(PixelFormat32bppARGB), format);
    for (POINT pt : {POINT{0, 0}, POINT{6, 4}, POINT{3, 2}})
        EXPECT_EQ(0u, PixelAt(*slot, pt.x, pt.y));
}

TEST(DrawHelpers, ZeroSizeBitmapIsAFailedOwnerThatDrawsNothing)
{
    std::unique_ptr<Gdip::Bitmap> slot;
    EXPECT_TRUE(ResetBitmap(slot, 0, 0));
    ASSERT_TRUE(slot);
    EXPECT_EQ(nullptr, slot->Native());
    EXPECT_NE(Gdiplus::Ok, slot->GetLastStatus());

    Gdip::Bitmap source(10, 10);
    RECT rc = {0, 0, 10, 10};
    EXPECT_TRUE(DrawImagePart(slot.get(), &source, rc));
    EXPECT_TRUE(DrawFocusFrame(slot.get(), rc));
    Gdip::Graphics graphics(slot.get());
    EXPECT_EQ(nullptr, graphics.Native());
    EXPECT_NE(Gdiplus::Ok, graphics.DrawImage(&source, 0, 0));
    EXPECT_NE(Gdiplus::Ok, graphics.GetLastStatus());
}

TEST(DrawHelpers, SurfacesBeyondTheSizeLimitAreNotMade)
{
    // No side above 16,384 pixels and no more than 2^26 pixels in all.
    struct Case
    {
        int nWidth, nHeight;
        bool bMade;
    };
    const Case cases[] = {
        {16384, 1, true},  {1, 16384, true},  {16384, 4096, true}, {8192, 8192, true},
        {16385, 1, false}, {1, 16385, false}, {16384, 4097, false}, {8193, 8193, false},
        {65536, 65536, false}, {-1, 10, false}, {10, -1, false}, {0x7FFFFFFF, 0x7FFFFFFF, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.nWidth << " x " << c.nHeight);
        std::unique_ptr<Gdip::Bitmap> slot;
        EXPECT_TRUE(ResetBitmap(slot, c.nWidth, c.nHeight));
        ASSERT_TRUE(slot);
        EXPECT_EQ(c.bMade, slot->Native() != nullptr);
        if (c.bMade) {
            EXPECT_EQ(static_cast<UINT>(c.nWidth), slot->Width());
            EXPECT_EQ(static_cast<UINT>(c.nHeight), slot->Height());
        }
    }
}

TEST(DrawHelpers, DrawImagePartCopiesTheRectangleToTheCornerUnscaled)
{
    // Source: the part (10, 20)-(60, 50) is green with marked corners, the
    // rest red; the target starts grey.
    Gdip::Bitmap source(100, 80);
    Fill(source, kRed, 0, 0, 100, 80);
    Fill(source, kGreen, 10, 20, 50, 30);
    Fill(source, kBlue, 10, 20, 1, 1);
    Fill(source, kYellow, 59, 49, 1, 1);
    Gdip::Bitmap target(80, 60);
    Fill(target, kGrey, 0, 0, 80, 60);

    RECT rc = {10, 20, 60, 50};
    EXPECT_TRUE(DrawImagePart(&target, &source, rc));

    struct { int x, y; Gdiplus::ARGB color; } expected[] = {
        {0, 0, kBlue},   {1, 0, kGreen},   {0, 1, kGreen},  {25, 15, kGreen}, {48, 29, kGreen},
        {49, 29, kYellow}, {50, 10, kGrey}, {10, 30, kGrey}, {79, 59, kGrey},
    };
    for (const auto& e : expected)
        EXPECT_PRED2(ColorNear, e.color, PixelAt(target, e.x, e.y)) << e.x << "," << e.y;
}

TEST(DrawHelpers, DrawImagePartWithoutSourceOrTargetDrawsNothing)
{
    Gdip::Bitmap target(10, 10);
    Fill(target, kWhite, 0, 0, 10, 10);
    RECT rc = {0, 0, 10, 10};
    EXPECT_TRUE(DrawImagePart(&target, nullptr, rc));
    EXPECT_EQ(kWhite, PixelAt(target, 5, 5));
    EXPECT_TRUE(DrawImagePart(nullptr, &target, rc));
    EXPECT_TRUE(DrawFocusFrame(nullptr, rc));
}

TEST(DrawHelpers, FocusFrameIsDottedThreePixelsInside)
{
    Gdip::Bitmap target(20, 10);
    RECT rc = {0, 0, 20, 10};
    EXPECT_TRUE(DrawFocusFrame(&target, rc));

    // The outline runs from (3, 3) with width 13 and height 3: rows 3 and 6
    // between columns 3 and 16, columns 3 and 16 between rows 3 and 6.
    // Everything else stays transparent.
    int nTop = 0, nBottom = 0, nLeft = 0, nRight = 0, nGapsOnTop = 0;
    for (int y = 0; y < 10; ++y) {
        for (int x = 0; x < 20; ++x) {
            Gdiplus::ARGB argb = PixelAt(target, x, y);
            bool bOnOutline = (x >= 3 && x <= 16 && (y == 3 || y == 6)) || (y >= 3 && y <= 6 && (x == 3 || x == 16));
            if (!bOnOutline) {
                EXPECT_EQ(0u, argb >> 24) << "outside the frame at " << x << "," << y;
                continue;
            }
            bool bDot = argb == kBlack;
            nTop += y == 3 && bDot;
            nBottom += y == 6 && bDot;
            nLeft += x == 3 && bDot;
            nRight += x == 16 && bDot;
            nGapsOnTop += y == 3 && !bDot;
        }
    }
    EXPECT_GE(nTop, 4);
    EXPECT_GE(nBottom, 4);
    EXPECT_GE(nLeft, 1);
    EXPECT_GE(nRight, 1);
    EXPECT_GE(nGapsOnTop, 4); // gaps between the dots: dotted, not solid
}
