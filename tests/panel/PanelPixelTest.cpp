// The painted panel read back from the screen: the skin's background, the
// grid's item frames in their normal, hover and pressed looks, the default
// icon, and the refresh button's normal frame.
#include "PanelFixture.h"
#include "support/WindowPixels.h"

namespace {

using PanelPixelTest = PanelFixture;

// A point of an item's background frame, clear of its icon and name.
POINT FramePoint(const SkinWriter& skin, int nItem)
{
    POINT pt = skin.ItemCorner(nItem);
    return {pt.x + 3, pt.y + 3};
}

TEST_F(PanelPixelTest, PanelShowsBackgroundItemFramesAndTheRefreshButton)
{
    m_catalog.Write(NumberedTools(6));
    ASSERT_TRUE(OpenPanel());
    HWND hRefresh = GetDlgItem(Panel(), TestSkin::kRefreshId);
    ASSERT_TRUE(hRefresh);
    {
        WindowPixels pixels(Panel());
        ASSERT_EQ(320, pixels.Width());
        EXPECT_TRUE(PixelIs(pixels, {4, 4}, TestSkin::kPanelBack));
        EXPECT_TRUE(PixelIs(pixels, {315, 235}, TestSkin::kPanelBack));
        for (int i = 0; i < 6; ++i)
            EXPECT_TRUE(PixelIs(pixels, FramePoint(m_skin, i), TestSkin::kItemFrames[0])) << "item " << i;
        POINT ptIcon = m_skin.ItemCorner(4);
        EXPECT_TRUE(PixelIs(pixels, {ptIcon.x + TestSkin::kIconPos.x + 1, ptIcon.y + TestSkin::kIconPos.y + 1},
                            TestSkin::kDefaultIcon));
        // The button paints itself over the panel: its own DC and the panel's agree.
        EXPECT_TRUE(PixelIs(WindowPixels(hRefresh), {3, 3}, TestSkin::kRefreshFrames[0]));
        EXPECT_TRUE(PixelIs(pixels, {TestSkin::kRefreshPos.left + 3, TestSkin::kRefreshPos.top + 3},
                            TestSkin::kRefreshFrames[0]));
    }

    // Hover follows the pointer from item 1 to item 2.
    for (int nHover : {1, 2}) {
        SCOPED_TRACE(nHover);
        MoveMouse(m_skin.ItemCentre(nHover));
        WindowPixels pixels(Panel());
        for (int i = 0; i < 4; ++i)
            EXPECT_TRUE(PixelIs(pixels, FramePoint(m_skin, i), TestSkin::kItemFrames[i == nHover ? 1 : 0]))
                << "item " << i;
    }

    // Pressed wins over hover while the button is down on the item.
    m_host.PostToPanel(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(m_skin.ItemCentre(2).x, m_skin.ItemCentre(2).y));
    EXPECT_TRUE(PixelIs(WindowPixels(Panel()), FramePoint(m_skin, 2), TestSkin::kItemFrames[2]));
    m_host.PostToPanel(WM_LBUTTONUP, 0, MAKELPARAM(m_skin.ItemCentre(2).x, m_skin.ItemCentre(2).y));
    EXPECT_TRUE(PixelIs(WindowPixels(Panel()), FramePoint(m_skin, 2), TestSkin::kItemFrames[1]));
    EXPECT_EQ(std::vector<CString>{L"tool2"}, m_catalog.StartedTools());
}

} // namespace
