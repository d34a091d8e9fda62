// The grid as a keyboard user meets it: keys typed into the host's loop move
// the focus item and scroll the grid to it, Enter and Space start its tool,
// typed letters find tools by name, Tab reaches the Refresh button and comes
// back, and a focus frame marks the focus item once the keyboard is in use.
#include "AccessFixture.h"
#include "support/ChannelsNear.h"
#include "support/WindowPixels.h"

namespace {

using KeyboardTest = AccessFixture;

const wchar_t* const kNoKey = nullptr;

TEST_F(KeyboardTest, NavigationKeysMoveTheFocusItemAndScrollItFullyIntoView)
{
    // 30 items in 4 columns and 8 rows of 60 pixels; the list area shows 3
    // rows (180 pixels), the last scroll position is 290.
    m_catalog.Write(NumberedTools(30));
    ASSERT_TRUE(OpenPanel());
    ASSERT_EQ(Panel(), GetFocus()) << "activating the panel gives the keyboard focus to the grid";
    EXPECT_EQ(CHILDID_SELF, FocusedChild()) << "no focus item before the first key";
    m_host.PostToPanel(WM_VSCROLL, SB_LINEDOWN, 0);
    ASSERT_EQ(90, ScrollInfo().nPos);

    struct Step
    {
        UINT nKey;
        int nItem; // the focus item afterwards
        int nPos;  // the scroll position afterwards
    };
    const Step steps[] = {
        {VK_DOWN, 8, 90},     // the first fully visible item; the first key does not move it further
        {VK_LEFT, 7, 60},     // back to the end of the row above, scrolled up to its top
        {VK_UP, 3, 0},    {VK_UP, 3, 0},    {VK_RIGHT, 4, 0}, {VK_HOME, 0, 0},  {VK_LEFT, 0, 0},
        {VK_NEXT, 12, 50},    // three rows down, scrolled until its bottom shows
        {VK_NEXT, 24, 230},   {VK_NEXT, 28, 290}, // only one row left in this column
        {VK_RIGHT, 29, 290},  {VK_RIGHT, 29, 290}, {VK_DOWN, 29, 290},
        {VK_UP, 25, 290},     {VK_RIGHT, 26, 290}, {VK_DOWN, 26, 290}, // no item below
        {VK_PRIOR, 14, 180},  {VK_END, 29, 290},   {VK_HOME, 0, 0},
    };
    for (size_t i = 0; i < sizeof(steps) / sizeof(steps[0]); ++i) {
        SCOPED_TRACE(testing::Message() << "step " << i << ", key " << steps[i].nKey);
        PressKey(steps[i].nKey);
        EXPECT_EQ(steps[i].nItem + 1, FocusedChild());
        EXPECT_EQ(steps[i].nPos, ScrollInfo().nPos);
    }
    EXPECT_EQ(std::vector<CString>{}, m_catalog.StartedTools());
}

TEST_F(KeyboardTest, EnterAndSpaceStartTheFocusItemOnceAndNothingClosesThePanel)
{
    m_catalog.Write(NumberedTools(6));
    ASSERT_TRUE(OpenPanel());
    PressKey(VK_RETURN); // no focus item yet: the ignored IDOK
    PressKey(VK_ESCAPE);
    EXPECT_EQ(std::vector<CString>{}, m_catalog.StartedTools());

    PressKey(VK_RIGHT);
    PressKey(VK_RIGHT);
    m_catalog.SetStage(L"@enter");
    PressKey(VK_RETURN);
    m_catalog.SetStage(L"@space");
    PressKey(VK_SPACE);
    PressKey(VK_ESCAPE);
    EXPECT_EQ((std::vector<CString>{L"tool1@enter", L"tool1@space"}), m_catalog.StartedTools());
    EXPECT_TRUE(IsWindowVisible(Panel()));
}

TEST_F(KeyboardTest, TypedLettersFindToolsByPrefix)
{
    m_catalog.Write({{L"Alpha", L"alpha", L"1", L"", CString(), true},
                     {L"Tool One", L"one", L"1", L"", CString(), true},
                     {L"beta", L"beta", L"1", L"", CString(), true},
                     {L"tool two", L"two", L"1", L"", CString(), true},
                     {L"Toolbox", L"box", L"1", L"", CString(), true}});
    ASSERT_TRUE(OpenPanel());
    struct Step
    {
        const wchar_t* pszText; // typed within a second of the step before
        bool bNewPrefix;        // typed after a pause of more than a second
        int nItem;
    };
    const Step steps[] = {
        {L"t", false, 1},    {L"ool", false, 1}, {kNoKey, false, 1}, // a space key: part of the prefix
        {L"T", false, 3},                                        // "tool t", searched from the focus item
        {L"t", true, 4},     {L"t", true, 1},                    // new prefixes: from the next item, wrapping
        {L"B", true, 2},     {L"x", false, 2},                   // no name starts with "bx"
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.pszText ? CString(step.pszText).ToAnsi() : "space");
        if (step.bNewPrefix)
            Sleep(1100);
        if (step.pszText)
            Type(step.pszText);
        else
            PressKey(VK_SPACE);
        EXPECT_EQ(step.nItem + 1, FocusedChild());
    }
    EXPECT_EQ(std::vector<CString>{}, m_catalog.StartedTools()) << "a space inside a prefix started a tool";
}

TEST_F(KeyboardTest, TabAndShiftTabGoRoundTheGridAndTheRefreshButton)
{
    m_catalog.Write(NumberedTools(3));
    ASSERT_TRUE(OpenPanel());
    HWND hRefresh = GetDlgItem(Panel(), TestSkin::kRefreshId);
    ASSERT_EQ(Panel(), GetFocus());
    struct Step
    {
        bool bShift;
        HWND hFocus;
    };
    const Step steps[] = {{false, hRefresh}, {false, Panel()}, {true, hRefresh}, {true, Panel()}};
    for (const Step& step : steps) {
        PressKey(VK_TAB, step.bShift);
        EXPECT_EQ(step.hFocus, GetFocus()) << (step.bShift ? "Shift+Tab" : "Tab");
    }
    // Back in the grid the keys are the grid's again.
    PressKey(VK_RIGHT);
    PressKey(VK_END);
    EXPECT_EQ(3, FocusedChild());
}

TEST_F(KeyboardTest, TheFocusFrameShowsOnTheDrawnItemOnceTheKeyboardIsUsed)
{
    std::vector<CatalogTool> tools = NumberedTools(4);
    tools[1].strId = L"-1"; // items after it are drawn 20 pixels further right
    m_catalog.Write(tools);
    struct Case
    {
        const wchar_t* pszColor; // "FocusFrameColor" and "FocusFrameWidth", null: not in the skin
        const wchar_t* pszWidth;
        Gdiplus::ARGB expectedColor;
        int nExpectedWidth;
    };
    const Case cases[] = {
        {nullptr, nullptr, 0, 2}, // the system's highlight colour
        {L"0XFFFF00FF", L"4", 0xFFFF00FF, 4},
    };
    ASSERT_TRUE(m_host.Load());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pszColor ? "skin colour" : "default colour");
        m_skin.SetListInfo(L"FocusFrameColor", c.pszColor);
        m_skin.SetListInfo(L"FocusFrameWidth", c.pszWidth);
        m_skin.Write();
        ASSERT_TRUE(IsWindow(m_host.Enter()));
        m_host.ShowPanel();
        Gdiplus::ARGB frame = c.pszColor ? c.expectedColor : OpaqueArgb(GetSysColor(COLOR_HIGHLIGHT));
        POINT ptItem1 = m_skin.ItemCorner(1), ptItem2 = m_skin.ItemCorner(2);
        ptItem2.x += 20;
        int w = c.nExpectedWidth;

        Click(m_skin.ItemCentre(1)); // the mouse moves the focus item, but shows no frame
        EXPECT_TRUE(PixelIs(WindowPixels(Panel()), ptItem1, TestSkin::kItemFrames[0]));
        PressKey(VK_RIGHT);
        WindowPixels keyed(Panel());
        EXPECT_TRUE(PixelIs(keyed, ptItem1, TestSkin::kItemFrames[0]));
        EXPECT_TRUE(PixelIs(keyed, ptItem2, frame));
        EXPECT_TRUE(PixelIs(keyed, {ptItem2.x + w - 1, ptItem2.y + w - 1}, frame));
        EXPECT_TRUE(PixelIs(keyed, {ptItem2.x + w, ptItem2.y + w}, TestSkin::kItemFrames[0]));
        EXPECT_TRUE(PixelIs(keyed, {ptItem2.x + TestSkin::kItemW - 1, ptItem2.y + TestSkin::kItemH - 1}, frame));
        PressKey(VK_TAB); // on the Refresh button the grid shows no frame
        EXPECT_TRUE(PixelIs(WindowPixels(Panel()), ptItem2, TestSkin::kItemFrames[0]));
    }
    EXPECT_EQ(std::vector<CString>{L"-1"}, m_catalog.StartedTools()); // the clicks
}

} // namespace
