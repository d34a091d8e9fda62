// Skin pixels to device pixels, and the choice of an image's variant for a DPI.
#include <gtest/gtest.h>
#include "skin/CDpiScale.h"
#include "skin/CImageVariantSet.h"
#include "support/CTempFolder.h"
#include "support/TestFiles.h"

namespace {

TEST(DpiScale, LengthsRoundHalvesAwayFromZeroAndRectanglesScaleTheirEdges)
{
    struct Row { int nDpi; int nSkin; int nDevice; } rows[] = {
        {96, 37, 37},   {96, -5, -5},   {120, 2, 3},    {120, -2, -3},  {120, 30, 38},
        {144, 1, 2},    {144, 3, 5},    {144, -3, -5},  {144, 17, 26},  {192, 20, 40},
        {168, 7, 12},   {0, 9, 9},      {192, 0x7fffffff, 0x7fffffff},   {192, -0x7fffffff, -0x7fffffff - 1},
    };
    for (const Row& row : rows)
        EXPECT_EQ(CDpiScale(row.nDpi).Length(row.nSkin), row.nDevice) << row.nDpi << " " << row.nSkin;
    EXPECT_EQ(CDpiScale(120).PenWidth(0), 1);
    EXPECT_EQ(CDpiScale(192).PenWidth(2), 4);
    // 0..3 and 3..6 touch; so do their scaled forms, though each is 3 wide.
    RECT a = CDpiScale(144).Rect(RECT{0, 0, 3, 3}), b = CDpiScale(144).Rect(RECT{3, 3, 6, 6});
    EXPECT_EQ(a.right, b.left);
    EXPECT_EQ(a.right - a.left, 5);
    EXPECT_EQ(b.right - b.left, 4);
}

TEST(ImageVariantSet, ChoiceOrderNamesAndSizes)
{
    CImageVariantSet set;
    set.Add(2); // 1.5
    set.Add(4); // 2
    struct Row { int nDpi; std::vector<int> order; } rows[] = {
        {96, {0, 2, 4}}, {120, {2, 4, 0}}, {144, {2, 4, 0}}, {168, {4, 2, 0}}, {192, {4, 2, 0}}, {288, {4, 2, 0}},
    };
    for (const Row& row : rows)
        EXPECT_EQ(set.ChoiceOrder(row.nDpi), row.order) << row.nDpi;
    EXPECT_EQ(CImageVariantSet().ChoiceOrder(192), std::vector<int>{0});

    EXPECT_EQ(CImageVariantSet::PathOf(L"C:\\s.kin\\item.png", 2), L"C:\\s.kin\\item@1.5x.png");
    EXPECT_EQ(CImageVariantSet::PathOf(L"C:\\s.kin\\item", 7), L"C:\\s.kin\\item@4x");
    EXPECT_EQ(CImageVariantSet::VariantIndexOf(L"ITEM@2X.PNG", L"item.png"), 4);
    EXPECT_EQ(CImageVariantSet::VariantIndexOf(L"item@2.0x.png", L"item.png"), -1);
    EXPECT_EQ(CImageVariantSet::VariantIndexOf(L"item@1.25x.png", L"item.bmp"), -1);

    // 120 x 30 at 1.25 is 150 x 38 (37.5 rounds up); one pixel either way is still right.
    SIZE base = {120, 30};
    EXPECT_EQ(CImageVariantSet::ExpectedSize(base, 1).cx, 150);
    EXPECT_EQ(CImageVariantSet::ExpectedSize(base, 1).cy, 38);
    EXPECT_TRUE(CImageVariantSet::IsSizeRight(base, SIZE{149, 37}, 1));
    EXPECT_FALSE(CImageVariantSet::IsSizeRight(base, SIZE{152, 38}, 1));
}

TEST(ImageVariantSet, QueryFindsOnlyTheBaseNamesVariants)
{
    CTempFolder folder(L"variants");
    for (const wchar_t* pszName : {L"item.png", L"item@1.5x.png", L"item@3x.png", L"item@2x.bmp", L"item@7x.png",
                                   L"other@2x.png", L"item@2x.png.bak"})
        WriteFileBytes(folder.File(pszName), "x");
    CImageVariantSet set = CImageVariantSet::Query(folder.File(L"item.png").GetString());
    EXPECT_EQ(set.ChoiceOrder(192), (std::vector<int>{6, 2, 0}));
    EXPECT_TRUE(CImageVariantSet::Query(folder.File(L"other.png").GetString()).Has(4));
    EXPECT_FALSE(CImageVariantSet::Query(folder.File(L"none.png").GetString()).HasVariants());
}

} // namespace
