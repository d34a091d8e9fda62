// The grid as the user meets it: one item per listed tool in catalog order,
// each item's tooltip from the skin's pattern, icons with the default icon as
// fallback, the grid inside the skin's margins, and the placeholders that
// stand in for an empty list.
#include <commctrl.h>
#include "PanelFixture.h"
#include "support/WindowPixels.h"

namespace {

using ToolGridTest = PanelFixture;

POINT Offset(POINT pt, int dx, int dy)
{
    return {pt.x + dx, pt.y + dy};
}

TEST_F(ToolGridTest, ItemsFollowTheCatalogOrderAndSkipUnlistedTools)
{
    m_catalog.Write({{L"Alpha", L"alpha", L"1", L"a", CString(), true},
                     {L"Hidden", L"hidden", L"1", L"h", CString(), false},
                     {L"Gamma", L"gamma", L"1", L"g", CString(), true},
                     {L"Delta", L"delta", L"1", L"d", CString(), true},
                     {L"Epsilon", L"epsilon", L"1", L"e", CString(), true}});
    ASSERT_TRUE(OpenPanel());

    const wchar_t* const order[] = {L"alpha", L"gamma", L"delta", L"epsilon"};
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        Click(m_skin.ItemCentre(i));
        EXPECT_EQ(std::vector<CString>{order[i]}, m_catalog.StartedTools());
    }
    // Beside the items: the slot after the last item, and the gap between two items.
    Click(m_skin.ItemCentre(4));
    Click(Offset(m_skin.ItemCorner(1), -TestSkin::kSpacing / 2, TestSkin::kItemH / 2));
    EXPECT_EQ(std::vector<CString>{}, m_catalog.StartedTools());
}

TEST_F(ToolGridTest, TooltipsAreFormattedFromTheSkinPatternWithoutTrustingIt)
{
    m_catalog.Write({{L"Alpha", L"alpha", L"1.0", L"First", CString(), true},
                     {L"Beta", L"beta", L"2.5", L"Second", CString(), true}});
    struct Case
    {
        const wchar_t* pszPattern; // null: no "ToolTipParttern" key
        const wchar_t* pszFirst;
        const wchar_t* pszSecond;
    };
    const Case cases[] = {
        {L"%s|%s|%s", L"Alpha|1.0|First", L"Beta|2.5|Second"},
        {L"%s (version %s)", L"Alpha (version 1.0)", L"Beta (version 2.5)"},
        {L"100%% %s", L"100% Alpha", L"100% Beta"},
        {nullptr, L"", L""},
        {L"%s %n %d %x %s", L"Alpha %n %d %x 1.0", L"Beta %n %d %x 2.5"},
        // Widths and precisions of up to three digits go to the formatter;
        // longer ones (gigabytes of padding) are kept as text.
        {L"%6s|%.2s", L" Alpha|1.", L"  Beta|2."},
        {L"%999999999s|%s", L"%999999999s|Alpha", L"%999999999s|Beta"},
        {L"%s|%.1000s", L"Alpha|%.1000s", L"Beta|%.1000s"},
        {L"%s%s%s%s", L"Alpha1.0First%s", L"Beta2.5Second%s"},
    };
    ASSERT_TRUE(m_host.Load());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pszPattern ? CString(c.pszPattern).ToAnsi() : "no pattern");
        m_skin.SetDialogInfo(L"ToolTipParttern", c.pszPattern);
        m_skin.Write();
        ASSERT_TRUE(IsWindow(m_host.Enter())); // a new panel reads the skin again
        m_host.ShowPanel();
        HWND hToolTip = ListToolTip();
        ASSERT_TRUE(hToolTip) << "no tooltip window of the panel knows the panel as a tool";
        MoveMouse(m_skin.ItemCentre(0));
        EXPECT_EQ(CString(c.pszFirst), ToolTipText(hToolTip));
        MoveMouse(m_skin.ItemCentre(1));
        EXPECT_EQ(CString(c.pszSecond), ToolTipText(hToolTip));
        EXPECT_TRUE(IsWindow(Panel()));
    }
    // A reload keeps the one list tooltip and gives it the new texts (in the last pattern).
    size_t nToolTips = PanelToolTips().size();
    HWND hToolTip = ListToolTip();
    m_catalog.Write({{L"Omega", L"omega", L"9", L"Last", CString(), true}});
    m_host.PostToPanel(WM_USER + 3, 0, 0);
    EXPECT_EQ(nToolTips, PanelToolTips().size());
    EXPECT_EQ(hToolTip, ListToolTip());
    MoveMouse(m_skin.ItemCentre(0));
    EXPECT_EQ(CString(L"Omega9Last%s"), ToolTipText(hToolTip));
}

TEST_F(ToolGridTest, IconsFallBackToTheDefaultIconAndTheGridSitsInsideTheMargins)
{
    const Gdiplus::ARGB kOwnIcon = 0xFF20E020;
    CString strIcon = m_catalog.Folder().File(L"own.png");
    WriteSolidPng(strIcon, TestSkin::kIconSize, TestSkin::kIconSize, kOwnIcon);
    m_catalog.Write({{L"Own", L"own", L"1", L"has its icon", strIcon, true},
                     {L"Lost", L"lost", L"1", L"icon file missing", m_catalog.Folder().File(L"gone.png"), true},
                     {L"Bare", L"bare", L"1", L"no icon", CString(), true}});
    m_skin.SetMargins(17, 43, 30, 20);
    ASSERT_TRUE(OpenPanel());
    WindowPixels pixels(Panel());

    const Gdiplus::ARGB icons[] = {kOwnIcon, TestSkin::kDefaultIcon, TestSkin::kDefaultIcon};
    for (int i = 0; i < 3; ++i) {
        POINT ptIcon = Offset(m_skin.ItemCorner(i), TestSkin::kIconPos.x + TestSkin::kIconSize / 2,
                              TestSkin::kIconPos.y + TestSkin::kIconSize / 2);
        EXPECT_TRUE(PixelIs(pixels, ptIcon, icons[i])) << "icon of item " << i;
    }
    // The list area is (17, 43) to (sheet - 30, sheet - 20): item 0's frame at
    // its top-left corner, the list's background at its bottom-right corner.
    RECT rcList = m_skin.ListArea();
    EXPECT_EQ(17, m_skin.ItemCorner(0).x);
    EXPECT_TRUE(PixelIs(pixels, {17, 43}, TestSkin::kItemFrames[0]));
    EXPECT_TRUE(PixelIs(pixels, {16, 43}, TestSkin::kPanelBack));
    EXPECT_TRUE(PixelIs(pixels, {17, 42}, TestSkin::kPanelBack));
    EXPECT_TRUE(PixelIs(pixels, {rcList.right - 1, rcList.bottom - 1}, TestSkin::kListBack));
    EXPECT_TRUE(PixelIs(pixels, {rcList.right, rcList.bottom - 1}, TestSkin::kPanelBack));
    EXPECT_TRUE(PixelIs(pixels, {rcList.right - 1, rcList.bottom}, TestSkin::kPanelBack));
}

TEST_F(ToolGridTest, PlaceholdersShowExactlyWhileTheListIsEmpty)
{
    const int placeholders[] = {TestSkin::kLabel1Id, TestSkin::kLabel2Id, TestSkin::kLabel3Id, TestSkin::kIconId};
    auto expectPlaceholders = [&](bool bVisible) {
        for (int nId : placeholders)
            EXPECT_EQ(bVisible, IsControlVisible(nId)) << "control " << nId;
        EXPECT_TRUE(IsControlVisible(TestSkin::kRefreshId));
    };
    m_catalog.Write({});
    m_catalog.WriteRefreshSource(NumberedTools(2));
    ASSERT_TRUE(OpenPanel());
    expectPlaceholders(true);

    // A refresh that brings tools hides them.
    HWND hRefresh = GetDlgItem(Panel(), TestSkin::kRefreshId);
    ASSERT_TRUE(hRefresh);
    SendMessageW(hRefresh, BM_CLICK, 0, 0);
    ASSERT_TRUE(m_host.PumpUntil([&] { return IsWindowEnabled(hRefresh) != FALSE; })) << "the refresh never completed";
    m_host.PumpUntilIdle();
    expectPlaceholders(false);
    Click(m_skin.ItemCentre(1));
    EXPECT_EQ(std::vector<CString>{L"tool1"}, m_catalog.StartedTools());

    // A reload that finds no tools shows them again.
    m_catalog.Write({});
    m_host.PostToPanel(WM_USER + 3, 0, 0);
    expectPlaceholders(true);
    Click(m_skin.ItemCentre(1));
    EXPECT_EQ(std::vector<CString>{}, m_catalog.StartedTools());
}

} // namespace
