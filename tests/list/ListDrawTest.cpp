// Drawing of the windowless list, read back from real GDI+ bitmaps.
#include <gtest/gtest.h>
#include "ListTestSupport.h"
#include "controls/CKdWindowLessList.h"
#include "controls/GdipGraphics.h"
#include "controls/GdipSolidBrush.h"

namespace {

// Item background frames: normal, hover, pressed and the unused fourth.
const Gdiplus::ARGB kFrames[4] = {0xFFFF0000, 0xFF00C000, 0xFF0000FF, 0xFFFFFF00};
const Gdiplus::ARGB kBack = 0xFF808080, kIcon = 0xFFFF00FF, kWhite = 0xFFFFFFFF;
const int kFrameWidth = 20, kFrameHeight = 16;

// A list of 100 x 60 with items of 30 x 20 and spacings 10 and 5: two
// columns at x 0 and 40, rows at y 0, 25, 50, ...
class ListDraw : public testing::Test
{
protected:
    void SetUp() override
    {
        WriteStripPng(m_folder.File(L"Default\\item.png"), kFrameWidth, kFrameHeight, kFrames);
        // The background has the list's size: GDI+ blends the edges of a
        // stretched image with what lies outside it.
        WriteSolidPng(m_folder.File(L"Default\\back.png"), 100, 60, kBack);
        WriteSolidPng(m_folder.File(L"Default\\small.png"), 10, 10, kBack);
        m_strIcon = m_folder.File(L"icon.png");
        WriteSolidPng(m_strIcon, 6, 6, kIcon);
    }

    void Load(CKdWindowLessList& list, SkinEntries extra = {})
    {
        SkinEntries entries = {{L"ListItemSpec", L"30;20;10;5"}, {L"ItemBmp", L"item.png"},
                               {L"BackBmp", L"back.png"}, {L"ItemIconPos", L"22,4"}};
        entries.insert(entries.end(), extra.begin(), extra.end());
        list.LoadSkin(WriteListSkin(m_folder, entries), kListSection, L"", L"Default");
        list.m_nWidth = 100;
        list.m_nHeight = 60;
    }

    void AddItems(CKdWindowLessList& list, const std::vector<const wchar_t*>& ids)
    {
        for (const wchar_t* pszId : ids)
            list.AddItem(pszId, L"", L"", m_strIcon);
    }

    // Draws the list into a white bitmap, its corner at ptAt.
    std::unique_ptr<Gdip::Bitmap> Render(CKdWindowLessList& list, POINT ptAt = {0, 0}, int nWidth = 100,
                                         int nHeight = 60)
    {
        auto pTarget = std::make_unique<Gdip::Bitmap>(nWidth, nHeight);
        Gdip::Graphics graphics(pTarget.get());
        graphics.FillRectangle(Gdip::SolidBrush(kWhite), 0, 0, nWidth, nHeight);
        EXPECT_TRUE(list.Draw(ptAt, &graphics));
        EXPECT_EQ(Gdiplus::Ok, graphics.GetLastStatus());
        return pTarget;
    }

    struct Probe
    {
        int x, y;
        Gdiplus::ARGB color;
        const char* pszWhat;
    };
    static void ExpectPixels(const Gdip::Bitmap& bitmap, std::initializer_list<Probe> probes)
    {
        for (const Probe& p : probes)
            EXPECT_PRED2(ColorNear, p.color, PixelAt(bitmap, p.x, p.y)) << p.pszWhat << " at " << p.x << "," << p.y;
    }

    CTempFolder m_folder{L"listtest", L"Default"};
    CString m_strIcon;
};

} // namespace

TEST_F(ListDraw, BackgroundFrameFollowsTheItemState)
{
    CKdWindowLessList list;
    Load(list);
    AddItems(list, {L"a", L"b", L"c", L"d", L"e", L"f"});
    list.m_arrItems[4].nBkImage = -1; // no background
    list.m_arrItems[5].nBkImage = 3;  // empty slot: no background
    list.m_nHover = 1;
    list.m_nPressed = 2;

    auto pTarget = Render(list, POINT{10, 7}, 120, 80);
    // Everything is shifted by the drawing point (10, 7).
    ExpectPixels(*pTarget, {
        {5, 3, kWhite, "outside the list"},
        {15, 12, kFrames[0], "item 0 normal"},
        {55, 12, kFrames[1], "item 1 hover"},
        {15, 37, kFrames[2], "item 2 pressed"},
        {55, 37, kFrames[0], "item 3 normal"},
        {39, 12, kBack, "frame has its own width, not the item's"},
        {15, 24, kBack, "frame has its own height"},
        {45, 12, kBack, "horizontal spacing"},
        {15, 62, kBack, "item 4 without background"},
        {55, 62, kBack, "item 5 with an empty slot"},
        {34, 13, kIcon, "icon of item 0 at (22, 4)"},
        {34, 9, kBack, "above the icon"},
        {74, 63, kIcon, "icon of item 5 drawn without background"},
    });

    // Pressed wins over hover.
    list.m_nHover = 3;
    list.m_nPressed = 3;
    pTarget = Render(list);
    ExpectPixels(*pTarget, {
        {45, 30, kFrames[2], "item 3 hover and pressed"},
        {45, 5, kFrames[0], "item 1 normal again"},
        {5, 30, kFrames[0], "item 2 normal again"},
    });
}

TEST_F(ListDraw, ItemsAfterMinusOneAreIndentedOnce)
{
    CKdWindowLessList list;
    Load(list);
    AddItems(list, {L"a", L"-1", L"c", L"-1", L"e", L"f"});
    auto pTarget = Render(list);
    ExpectPixels(*pTarget, {
        {5, 5, kFrames[0], "item 0 in place"},
        {45, 5, kFrames[0], "item 1 (-1) itself in place"},
        {5, 30, kBack, "item 2 left its place"},
        {25, 30, kFrames[0], "item 2 moved 20 right"},
        {44, 31, kIcon, "icon of item 2 moved too"},
        {55, 38, kBack, "item 3 left its place"},
        {65, 30, kFrames[0], "item 3 moved 20 right"},
        {25, 55, kFrames[0], "item 4 moved 20 right"},
        {65, 55, kFrames[0], "item 5 moved 20 right"},
        {85, 52, kBack, "a second -1 adds nothing"},
    });
    // Hit rectangles do not move.
    EXPECT_EQ(2, list.HitTest(POINT{5, 30}));
}

TEST_F(ListDraw, IndentationHoldsWhenTheMinusOneItemIsScrolledOut)
{
    std::vector<const wchar_t*> ids(20, L"x");
    ids[1] = L"-1";
    CKdWindowLessList list;
    Load(list);
    AddItems(list, ids);
    list.m_nOffsetY = -50; // rows 0 and 1 lie above the area; row 2 is at the top

    auto pTarget = Render(list);
    ExpectPixels(*pTarget, {
        {5, 5, kBack, "item 4 left its place"},
        {25, 5, kFrames[0], "item 4 moved 20 right"},
        {65, 5, kFrames[0], "item 5 moved 20 right"},
        {25, 30, kFrames[0], "item 6 moved 20 right"},
    });
}

TEST_F(ListDraw, ContentMovesWithTheOffsetButNotTheBackground)
{
    std::vector<const wchar_t*> ids(20, L"x");
    CKdWindowLessList list;
    Load(list);
    AddItems(list, ids);
    list.m_nHover = 2;
    list.m_nOffsetY = -10;

    auto pTarget = Render(list);
    ExpectPixels(*pTarget, {
        {5, 2, kFrames[0], "row 0 from -10 to 6"},
        {5, 8, kBack, "below row 0's frame"},
        {5, 16, kFrames[1], "row 1 (item 2 hovered) from 15"},
        {5, 13, kBack, "above row 1"},
        {45, 41, kFrames[0], "row 2 from 40"},
        {35, 2, kBack, "background stays at the top"},
        {95, 58, kBack, "background fills the area"},
    });
}

TEST_F(ListDraw, NothingButTheBackgroundWithoutColumnsOrItems)
{
    CKdWindowLessList list;
    Load(list);
    auto pTarget = Render(list);
    ExpectPixels(*pTarget, {{5, 5, kBack, "no items"}});

    AddItems(list, {L"a", L"b"});
    list.m_nWidth = 20; // 20 + 10 is not wider than 30: no column
    pTarget = Render(list);
    ExpectPixels(*pTarget, {{5, 5, kBack, "no column"}, {25, 5, kWhite, "outside the narrow list"}});

    // A smaller background is stretched over the whole area.
    Load(list, {{L"BackBmp", L"small.png"}});
    list.m_nWidth = 20;
    pTarget = Render(list);
    ExpectPixels(*pTarget, {{10, 30, kBack, "stretched background"}, {25, 30, kWhite, "outside the list"}});
}

TEST_F(ListDraw, ZeroSizeDrawsNothingAndRecordsTheFailure)
{
    CKdWindowLessList list;
    Load(list);
    AddItems(list, {L"a"});
    list.m_nWidth = 0;
    Gdip::Bitmap target(20, 20);
    Gdip::Graphics graphics(&target);
    EXPECT_TRUE(list.Draw(POINT{0, 0}, &graphics));
    EXPECT_NE(Gdiplus::Ok, graphics.GetLastStatus());
    EXPECT_EQ(0u, PixelAt(target, 5, 5));
}

TEST_F(ListDraw, NamesAreDrawnInTheTextRectangle)
{
    // Count the pixels of the text colour in each item; the backgrounds are
    // white so that only the names can supply that colour.
    auto countTextPixels = [&](const Gdip::Bitmap& bitmap, int left, int top) {
        int nCount = 0;
        for (int y = top; y < top + 20; ++y)
            for (int x = left; x < left + 30; ++x) {
                Gdiplus::ARGB argb = PixelAt(bitmap, x, y);
                nCount += (argb & 0xFF) > 0xA0 && ((argb >> 16) & 0xFF) < 0x60;
            }
        return nCount;
    };
    NONCLIENTMETRICSW metrics = {};
    metrics.cbSize = sizeof(metrics);
    ASSERT_TRUE(SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0));
    const CString strMessageFace = metrics.lfMessageFont.lfFaceName;
    struct {
        CString strFontName;
        const wchar_t* pszFontSize;
        bool bVisible;
    } cases[] = {
        {L"DejaVu Sans", L"14", true},
        {L"DejaVu Sans", nullptr, false}, // no size: invisible
        {strMessageFace, L"14", true},
        {L"No Such Family", L"14", true}, // drawn in the message font's family
        {L"", L"14", true},               // likewise
    };
    std::vector<int> counts;
    for (const auto& c : cases) {
        const wchar_t* pszFontName = c.strFontName;
        CKdWindowLessList list;
        SkinEntries entries = {{L"FontName", pszFontName}, {L"FontColor", L"0XFF0000FF"},
                               {L"ItemStringRect", L"0,0,30,20"}, {L"BackBmp", L""}, {L"ItemBmp", L""}};
        if (c.pszFontSize)
            entries.push_back({L"FontSize", c.pszFontSize});
        Load(list, entries);
        list.AddItem(L"1", L"WMW", L"", L"");
        list.AddItem(L"2", L"", L"", L"");
        auto pTarget = Render(list);
        SCOPED_TRACE(testing::Message() << c.strFontName.ToAnsi() << " size " << (c.pszFontSize ? "14" : "missing"));
        counts.push_back(countTextPixels(*pTarget, 0, 0));
        EXPECT_EQ(c.bVisible, counts.back() > 5);
        EXPECT_EQ(0, countTextPixels(*pTarget, 40, 0)); // empty name
    }
    EXPECT_EQ(counts[2], counts[3]);
    EXPECT_EQ(counts[2], counts[4]);
}
