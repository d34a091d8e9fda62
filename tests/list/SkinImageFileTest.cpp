// Skin images at a DPI: the variant chosen, a wrong-sized or damaged variant
// passed over, a variant without its base never used, strips scaled frame by
// frame, and an icon file's frame for the size.
#include <gtest/gtest.h>
#include "ListTestSupport.h"
#include "controls/SkinImageFile.h"
#include "support/CTempFolder.h"
#include "support/IconFiles.h"
#include "support/PngWriter.h"
#include "support/TestFiles.h"

namespace {

const Gdiplus::ARGB kBase = 0xFFFF0000, kOneAndAHalf = 0xFF00FF00, kTwice = 0xFF0000FF;

Gdiplus::ARGB CentreOf(Gdip::Bitmap& bitmap)
{
    Gdiplus::ARGB argb = 0;
    bitmap.GetPixel(static_cast<int>(bitmap.Width() / 2), static_cast<int>(bitmap.Height() / 2), argb);
    return argb;
}

TEST(SkinImageFile, VariantsAreChosenCheckedAndResampledToTheScaledSize)
{
    CTempFolder folder(L"images");
    WriteSolidPng(folder.File(L"a.png"), 20, 10, kBase);
    WriteSolidPng(folder.File(L"a@1.5x.png"), 30, 15, kOneAndAHalf);
    WriteSolidPng(folder.File(L"a@2x.png"), 44, 20, kTwice); // 40 x 20 expected: not used
    WriteFileBytes(folder.File(L"a@3x.png"), "not an image");
    struct Row { int nDpi; LONG cx, cy; Gdiplus::ARGB colour; } rows[] = {
        {96, 20, 10, kBase}, {120, 25, 13, kOneAndAHalf}, {144, 30, 15, kOneAndAHalf},
        {192, 40, 20, kOneAndAHalf}, {288, 60, 30, kOneAndAHalf},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.nDpi);
        auto pImage = LoadSkinBitmap(folder.File(L"a.png"), CDpiScale(row.nDpi), SkinImageFit::OwnSize());
        ASSERT_TRUE(pImage);
        EXPECT_EQ(row.cx, static_cast<LONG>(pImage->Width()));
        EXPECT_EQ(row.cy, static_cast<LONG>(pImage->Height()));
        EXPECT_EQ(row.colour, CentreOf(*pImage));
    }

    // Without its base a variant is never drawn.
    WriteSolidPng(folder.File(L"orphan@2x.png"), 40, 20, kTwice);
    EXPECT_FALSE(LoadSkinBitmap(folder.File(L"orphan.png"), CDpiScale(192), SkinImageFit::OwnSize()));

    // A strip of 4 frames of 30 at 1.25 gets 4 frames of 38, not 150 / 4.
    WriteSolidPng(folder.File(L"strip.png"), 120, 30, kBase);
    auto pStrip = LoadSkinBitmap(folder.File(L"strip.png"), CDpiScale(120), SkinImageFit::Strip(4));
    ASSERT_TRUE(pStrip);
    EXPECT_EQ(152u, pStrip->Width());
    EXPECT_EQ(38u, pStrip->Height());
    // Frames of a control's size follow the control's device size.
    auto pCells = LoadSkinBitmap(folder.File(L"strip.png"), CDpiScale(144),
                                 SkinImageFit::Cells(SIZE{30, 30}, SIZE{46, 44}));
    ASSERT_TRUE(pCells);
    EXPECT_EQ(184u, pCells->Width());
    EXPECT_EQ(44u, pCells->Height());
}

TEST(SkinImageFile, AnIconFileGivesItsSmallestFrameAtLeastTheScaledSize)
{
    CTempFolder folder(L"icons");
    const COLORREF kColours[] = {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255)};
    WriteIconFrames(folder.File(L"i.ico"), {{16, kColours[0]}, {32, kColours[1]}, {48, kColours[2]}});
    auto pBase = LoadSkinBitmap(folder.File(L"i.ico"), CDpiScale(96), SkinImageFit::OwnSize());
    ASSERT_TRUE(pBase);
    int nBase = static_cast<int>(pBase->Width());
    for (int nDpi : {120, 192, 288}) {
        SCOPED_TRACE(nDpi);
        int nTarget = (nBase * nDpi + 48) / 96;
        int nFrame = nTarget <= 16 ? 0 : nTarget <= 32 ? 1 : 2;
        auto pIcon = LoadSkinBitmap(folder.File(L"i.ico"), CDpiScale(nDpi), SkinImageFit::OwnSize());
        ASSERT_TRUE(pIcon);
        EXPECT_EQ(static_cast<UINT>(nTarget), pIcon->Width());
        COLORREF c = kColours[nFrame];
        EXPECT_EQ(0xFF000000u | (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c), CentreOf(*pIcon));
    }
}

} // namespace
