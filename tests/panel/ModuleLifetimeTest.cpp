// The module as a host sees it: the panel window that QmUIFunEnter hands out,
// its replacement and destruction through the exports, and a panel whose
// skin file is missing.
#include "PanelFixture.h"

namespace {

using ModuleLifetimeTest = PanelFixture;

TEST_F(ModuleLifetimeTest, EnterGivesAHiddenOwnedToolWindowAndReplacesThePreviousPanel)
{
    m_skin.SetSheet(330, 210);
    m_skin.Write();
    m_catalog.Write(NumberedTools(3));
    ASSERT_TRUE(m_host.Load());

    HWND hFirst = m_host.Enter();
    ASSERT_TRUE(IsWindow(hFirst));
    LONG_PTR nStyle = GetWindowLongPtrW(hFirst, GWL_STYLE);
    EXPECT_TRUE(nStyle & WS_POPUP);
    EXPECT_FALSE(nStyle & WS_CHILD);
    EXPECT_TRUE(GetWindowLongPtrW(hFirst, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
    EXPECT_FALSE(IsWindowVisible(hFirst));
    EXPECT_EQ(m_host.HostWindow(), GetWindow(hFirst, GW_OWNER));
    RECT rcClient = {};
    GetClientRect(hFirst, &rcClient);
    EXPECT_EQ(330, rcClient.right);
    EXPECT_EQ(210, rcClient.bottom);

    // A message for a window that is not the module's is left to the host.
    MSG msg = {m_host.HostWindow(), WM_KEYDOWN, VK_RETURN, 0, 0, {0, 0}};
    EXPECT_FALSE(m_host.PreTranslate(&msg));

    HWND hSecond = m_host.Enter();
    EXPECT_FALSE(IsWindow(hFirst)) << "the first panel still exists";
    ASSERT_TRUE(IsWindow(hSecond));
    EXPECT_EQ(m_host.HostWindow(), GetWindow(hSecond, GW_OWNER));
    EXPECT_FALSE(IsWindowVisible(hSecond));

    EXPECT_EQ(0, m_host.UnInitialize(0));
    EXPECT_FALSE(IsWindow(hSecond));
    EXPECT_EQ(0, m_host.UnInitialize(0)) << "a second call must be harmless";
    m_host.PumpUntilIdle();

    // The module still works after that: a new panel, shown by the host, lists the tools.
    HWND hThird = m_host.Enter();
    ASSERT_TRUE(IsWindow(hThird));
    m_host.ShowPanel();
    Click(m_skin.ItemCentre(2));
    EXPECT_EQ(std::vector<CString>{L"tool2"}, m_catalog.StartedTools());
}

TEST_F(ModuleLifetimeTest, MissingSkinStillGivesAPanelWhoseListIsFilled)
{
    SwitchLogging(true);
    m_catalog.Write({{L"Alpha", L"alpha", L"1", L"first", CString(), true},
                     {L"Beta", L"beta", L"2", L"second", CString(), true}});
    ASSERT_FALSE(FileExists(m_host.ConfigFile(L"Morvel_SCfg.xml")));
    ASSERT_TRUE(m_host.Load());

    HWND hPanel = m_host.Enter();
    ASSERT_TRUE(IsWindow(hPanel));
    m_host.ShowPanel();
    EXPECT_TRUE(IsWindow(hPanel));
    std::vector<CString> expected = {
        L"Skin file " + m_host.ConfigFile(L"Morvel_SCfg.xml") + L" failed to load: file not found",
        L"Enter Fun GetPlugin",
        L"--ToolTipName is Alpha, Version is 1, Desc is first, Icon Path is ",
        L"--ToolTipName is Beta, Version is 2, Desc is second, Icon Path is ",
        L"Exit  Fun GetPlugin",
    };
    EXPECT_EQ(expected, LogMessages(m_host));
}

} // namespace
