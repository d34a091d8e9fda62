// Item geometry, skin reading and the item operations of the windowless list.
#include <gtest/gtest.h>
#include "ListTestSupport.h"
#include "controls/CKdWindowLessList.h"
#include "controls/GdipGraphics.h"

namespace {

void LoadList(CKdWindowLessList& list, const CTempFolder& folder, const SkinEntries& entries)
{
    EXPECT_TRUE(list.LoadSkin(WriteListSkin(folder, entries), kListSection, L"", L"Default"));
}

void AddItems(CKdWindowLessList& list, int nCount)
{
    for (int i = 0; i < nCount; ++i) {
        CString strId;
        strId.Format(L"id%d", i);
        list.AddItem(strId, L"name", L"tip", L"");
    }
}

} // namespace

TEST(ListLayout, SheetSizeFollowsTheColumnRule)
{
    const RECT kUntouched = {-7, -7, -7, -7};
    struct {
        int W, A, SX, H, SY, nCount;
        BOOL bResult;
        int nCols, nRows;
        RECT rc;
    } cases[] = {
        {30, 100, 10, 20, 5, 5, TRUE, 2, 3, {0, 0, 70, 70}},   // 2 full pitches, remainder 20 + 10 not > 30
        {30, 101, 10, 20, 5, 5, TRUE, 3, 2, {0, 0, 110, 45}},  // remainder 21 + 10 > 30: a third column
        {30, 100, 10, 20, 5, 4, TRUE, 2, 2, {0, 0, 70, 45}},   // exact rows
        {30, 100, 10, 20, 5, 0, TRUE, 2, 0, {0, 0, 70, -5}},   // no items: height is minus the spacing
        {30, 40, 10, 20, 5, 3, TRUE, 1, 3, {0, 0, 30, 70}},    // one pitch is one column
        {30, 21, 10, 20, 5, 3, TRUE, 1, 3, {0, 0, 30, 70}},    // A + SX > W: one column
        {30, 20, 10, 20, 5, 3, FALSE, 0, -7, kUntouched},      // A + SX = W: no column
        {40, 100, -10, 40, -10, 7, TRUE, 3, 3, {0, 0, 100, 100}}, // negative spacings overlap
        {10, 100, -10, 20, 5, 3, FALSE, 0, -7, kUntouched},    // pitch 0: no column, no division
        {10, 100, -30, 20, 5, 3, FALSE, 0, -7, kUntouched},    // negative pitch: no column
    };
    for (const auto& c : cases) {
        RECT rc = kUntouched;
        int nCols = -7, nRows = -7;
        BOOL bResult = CKdWindowLessList::CalcSheetSize(c.W, c.A, c.SX, c.H, c.SY, c.nCount, rc, nCols, nRows);
        SCOPED_TRACE(testing::Message() << "W=" << c.W << " A=" << c.A << " SX=" << c.SX << " n=" << c.nCount);
        EXPECT_EQ(c.bResult, bResult);
        EXPECT_EQ(c.nCols, nCols);
        EXPECT_EQ(c.nRows, nRows);
        EXPECT_TRUE(EqualRect(&c.rc, &rc)) << rc.left << "," << rc.top << "," << rc.right << "," << rc.bottom;
    }
}

TEST(ListLayout, ItemSpecReadsFourNumbersAndZeroForMissingParts)
{
    struct {
        const wchar_t* pszValue; // null: no key at all
        int W, H, SX, SY;
    } cases[] = {
        {L"30;20;10;5", 30, 20, 10, 5},
        {L" 30 ; 2 0;1 0 ;5", 30, 20, 10, 5},
        {L"0X20;-4;;abc", 32, -4, 0, 0},
        {L"30;20", 30, 20, 0, 0},
        {L"", 0, 0, 0, 0},
        {nullptr, 0, 0, 0, 0},
    };
    for (const auto& c : cases) {
        CTempFolder folder{L"listtest", L"Default"};
        CKdWindowLessList list;
        SkinEntries entries = {{L"FontSize", L"10"}};
        if (c.pszValue)
            entries.push_back({L"ListItemSpec", c.pszValue});
        LoadList(list, folder, entries);
        int W = 99, H = 99, SX = 99, SY = 99;
        list.GetItemSpec(W, H, SX, SY);
        SCOPED_TRACE(c.pszValue ? c.pszValue : L"(missing)");
        EXPECT_EQ(c.W, W);
        EXPECT_EQ(c.H, H);
        EXPECT_EQ(c.SX, SX);
        EXPECT_EQ(c.SY, SY);
    }
}

TEST(ListLayout, HitTestFindsTheFirstItemHoldingThePoint)
{
    struct {
        const wchar_t* pszSpec;
        int nWidth;
        POINT pt;
        int nExpected;
    } cases[] = {
        // W 30, H 20, SX 10, SY 5: 2 columns in 100, 3 in 101.
        {L"30;20;10;5", 100, {0, 0}, 0},
        {L"30;20;10;5", 100, {29, 19}, 0},
        {L"30;20;10;5", 100, {30, 0}, -1},   // right edge is outside
        {L"30;20;10;5", 100, {0, 20}, -1},   // bottom edge is outside
        {L"30;20;10;5", 100, {40, 0}, 1},
        {L"30;20;10;5", 100, {0, 25}, 2},
        {L"30;20;10;5", 100, {45, 50}, 5},
        {L"30;20;10;5", 100, {85, 0}, -1},   // no third column in 100
        {L"30;20;10;5", 101, {85, 0}, 2},    // a third column in 101
        {L"30;20;10;5", 100, {0, 75}, -1},   // beyond the last item
        {L"30;20;10;5", 100, {-1, 0}, -1},
        {L"30;20;10;5", 20, {0, 0}, -1},     // no column fits
        // Overlapping items: the lowest index wins.
        {L"40;40;-10;-10", 100, {35, 5}, 0},
        {L"40;40;-10;-10", 100, {65, 35}, 1},
        {L"40;40;-10;-10", 100, {75, 65}, 5},
        // Pitch 0: nothing is laid out.
        {L"10;10;-10;0", 100, {0, 0}, -1},
        {L"10;10;-10;0", 100, {5, 5}, -1},
    };
    CTempFolder folder{L"listtest", L"Default"};
    for (const auto& c : cases) {
        CKdWindowLessList list;
        LoadList(list, folder, {{L"ListItemSpec", c.pszSpec}});
        AddItems(list, 6);
        list.m_nWidth = c.nWidth;
        list.m_nHeight = 10;
        SCOPED_TRACE(testing::Message() << c.pszSpec << " width " << c.nWidth << " at " << c.pt.x << "," << c.pt.y);
        EXPECT_EQ(c.nExpected, list.HitTest(c.pt));
    }
}

TEST(ListLayout, HitTestIgnoresTheVisibleArea)
{
    CTempFolder folder{L"listtest", L"Default"};
    CKdWindowLessList list;
    LoadList(list, folder, {{L"ListItemSpec", L"30;20;10;5"}});
    AddItems(list, 200);
    list.m_nWidth = 100;
    list.m_nHeight = 30;
    list.m_nOffsetY = -500;
    EXPECT_EQ(80, list.HitTest(POINT{0, 40 * 25}));
    EXPECT_EQ(199, list.HitTest(POINT{45, 99 * 25 + 1}));
}

TEST(ListLayout, TextStyleAndImagesComeFromTheSkin)
{
    CTempFolder folder{L"listtest", L"Default"};
    WriteSolidPng(folder.File(L"Default\\back.png"), 8, 6, 0xFF336699);
    WriteSolidPng(folder.File(L"Default\\item.png"), 40, 12, 0xFF996633);

    CKdWindowLessList list;
    EXPECT_EQ(12, list.m_fontInfo.nFontSize);
    EXPECT_EQ(0xFF000000u, list.m_fontInfo.clrText);
    LoadList(list, folder, {{L"BackBmp", L"back.png"}, {L"ItemBmp", L"item.png"}, {L"FontName", L"DejaVu Sans"},
                            {L"FontColor", L"0XFF0000FF;0XFFFF0000"}, {L"FontFormat", L"1;;2"}});
    EXPECT_EQ(0, list.m_fontInfo.nFontSize); // missing key
    EXPECT_STREQ(L"DejaVu Sans", list.m_fontInfo.strFontName);
    EXPECT_EQ(0xFF0000FFu, list.m_fontInfo.clrText);
    EXPECT_EQ(1, list.m_fontInfo.nFontStyle);
    EXPECT_EQ(1, list.m_fontInfo.nAlign);
    EXPECT_EQ(2, list.m_fontInfo.nLineAlign);
    EXPECT_EQ(1, list.m_fontInfo.nTrimming);
    ASSERT_TRUE(list.m_pBackImage);
    EXPECT_EQ(8u, list.m_pBackImage->Width());
    ASSERT_TRUE(list.m_pItemBk[0]);
    EXPECT_EQ(40u, list.m_pItemBk[0]->Width());
    for (int i = 1; i < CKdWindowLessList::kItemBkSlots; ++i)
        EXPECT_FALSE(list.m_pItemBk[i]);

    // A second load replaces the images and re-reads the style; an empty first
    // colour keeps the colour, a missing image file leaves its slot empty.
    CTempFolder folder2{L"listtest", L"Default"};
    LoadList(list, folder2, {{L"ItemBmp", L"missing.png"}, {L"FontColor", L";0XFF00FF00"}, {L"FontSize", L"16"},
                             {L"FontFormat", L";2"}});
    EXPECT_EQ(16, list.m_fontInfo.nFontSize);
    EXPECT_STREQ(L"DejaVu Sans", list.m_fontInfo.strFontName); // the reader's table keeps earlier keys
    EXPECT_EQ(0xFF0000FFu, list.m_fontInfo.clrText);
    EXPECT_EQ(1, list.m_fontInfo.nFontStyle);
    EXPECT_EQ(2, list.m_fontInfo.nAlign);
    EXPECT_FALSE(list.m_pBackImage);
    EXPECT_FALSE(list.m_pItemBk[0]);
}

TEST(ListLayout, ItemsKeepTheirTextsAndIconsWhileTheArrayGrows)
{
    CTempFolder folder{L"listtest", L"Default"};
    CString strIcon = folder.File(L"icon.png");
    WriteSolidPng(strIcon, 4, 4, 0xFFFF00FF);
    CKdWindowLessList list;
    LoadList(list, folder, {{L"ListItemSpec", L"30;20;10;5"}});
    list.m_nWidth = 100;
    list.m_nHeight = 50;
    EXPECT_TRUE(list.AddItem(L"7", L"Seven", L"Tip seven", strIcon));
    EXPECT_TRUE(list.AddItem(L"8", L"Eight", L"Tip eight", strIcon));
    ASSERT_EQ(2, list.m_arrItems.GetSize());
    const _WLL_LIST_CTRL_ITEM& first = list.m_arrItems[0];
    EXPECT_STREQ(L"7", first.strId);
    EXPECT_STREQ(L"Seven", first.strName);
    EXPECT_STREQ(L"Tip seven", first.strTipText);
    EXPECT_STREQ(strIcon, first.strIconPath);
    EXPECT_EQ(0, first.nBkImage);

    // Drawing loads the icon; growing the array keeps the texts and the icon.
    Gdip::Bitmap target(100, 50);
    Gdip::Graphics graphics(&target);
    list.Draw(POINT{0, 0}, &graphics);
    AddItems(list, 100);
    EXPECT_STREQ(L"Eight", list.m_arrItems[1].strName);
    Gdip::Bitmap again(100, 50);
    Gdip::Graphics graphicsAgain(&again);
    list.Draw(POINT{0, 0}, &graphicsAgain);
    Gdiplus::ARGB argb = 0;
    again.GetPixel(1, 1, argb);
    EXPECT_EQ(0xFFFF00FFu, argb);

    list.m_nHover = 3;
    list.m_nPressed = 4;
    EXPECT_TRUE(list.DeleteAllItems());
    EXPECT_EQ(0, list.m_arrItems.GetSize());
    EXPECT_EQ(0, list.m_arrItems.GetCapacity());
    EXPECT_EQ(3, list.m_nHover);
    EXPECT_EQ(4, list.m_nPressed);
    list.AddItem(L"1", L"One", L"", L"");
    EXPECT_EQ(3, list.m_nHover);
    EXPECT_EQ(4, list.m_nPressed);
}
