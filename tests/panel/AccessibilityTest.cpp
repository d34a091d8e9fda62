// The grid as a screen reader meets it, through AccessibleObjectFromWindow:
// a list of the tools followed by the visible controls, with names,
// descriptions, states, locations, hit testing, navigation, a default action
// that starts the tool, focus and reorder events, and an object that stays
// safe to call after the panel is gone.
#include <utility>
#include <vector>
#include "AccessFixture.h"

namespace {

using AccessibilityTest = AccessFixture;
using Target = PanelAccessible::Target;

POINT ToScreen(HWND hWnd, POINT pt)
{
    ClientToScreen(hWnd, &pt);
    return pt;
}

// The focus and reorder events that the panel raises for its client area.
class EventLog
{
public:
    explicit EventLog(HWND hPanel)
    {
        s_hPanel = hPanel;
        s_events.clear();
        m_hHook = SetWinEventHook(EVENT_OBJECT_REORDER, EVENT_OBJECT_FOCUS, nullptr, Record, GetCurrentProcessId(),
                                  GetCurrentThreadId(), WINEVENT_OUTOFCONTEXT);
    }
    ~EventLog() { UnhookWinEvent(m_hHook); }
    EventLog(const EventLog&) = delete;
    EventLog& operator=(const EventLog&) = delete;

    // Each event as (event, child id), oldest first; cleared by the call.
    std::vector<std::pair<DWORD, LONG>> Take()
    {
        std::vector<std::pair<DWORD, LONG>> events;
        events.swap(s_events);
        return events;
    }

private:
    static void CALLBACK Record(HWINEVENTHOOK, DWORD dwEvent, HWND hWnd, LONG idObject, LONG idChild, DWORD, DWORD)
    {
        if (hWnd == s_hPanel && idObject == OBJID_CLIENT)
            s_events.emplace_back(dwEvent, idChild);
    }

    static HWND s_hPanel;
    static std::vector<std::pair<DWORD, LONG>> s_events;
    HWINEVENTHOOK m_hHook = nullptr;
};

HWND EventLog::s_hPanel = nullptr;
std::vector<std::pair<DWORD, LONG>> EventLog::s_events;

TEST_F(AccessibilityTest, TheGridIsAListOfItsToolsFollowedByTheVisibleControls)
{
    m_catalog.Write({{L"Alpha", L"alpha", L"1.0", L"First", CString(), true},
                     {L"Beta", L"beta", L"2.5", L"Second", CString(), true}});
    m_skin.SetDialogInfo(L"Title", L"Tool manager");
    ASSERT_TRUE(OpenPanel());
    HWND hRefresh = GetDlgItem(Panel(), TestSkin::kRefreshId);
    {
        PanelAccessible access(Panel());
        ASSERT_EQ(S_OK, access.Result());
        EXPECT_EQ(ROLE_SYSTEM_LIST, access.Role(CHILDID_SELF));
        EXPECT_EQ(CString(L"Tool manager"), access.Name(CHILDID_SELF));
        EXPECT_EQ(3, access.ChildCount()); // the placeholders are hidden
        const wchar_t* const items[][2] = {{L"Alpha", L"Alpha|1.0|First"}, {L"Beta", L"Beta|2.5|Second"}};
        for (LONG nId = 1; nId <= 2; ++nId) {
            SCOPED_TRACE(nId);
            EXPECT_EQ(CString(items[nId - 1][0]), access.Name(nId));
            EXPECT_EQ(CString(items[nId - 1][1]), access.Description(nId));
            EXPECT_EQ(ROLE_SYSTEM_LISTITEM, access.Role(nId));
            EXPECT_EQ(CString(L"Start"), access.DefaultAction(nId));
            EXPECT_EQ(Target(), access.Child(nId)); // a simple element
        }
        EXPECT_EQ(Target::Object(hRefresh), access.Child(3));
    }
    // The Refresh button shows only an image: its tooltip names it.
    EXPECT_EQ(CString(L"Fetch the tool list again"), WindowAccessibleName(hRefresh));

    // Without a title the list is "Tools"; an empty list leaves the controls,
    // the placeholders now among them.
    m_skin.SetDialogInfo(L"Title", L"");
    m_skin.Write();
    m_catalog.Write({});
    ASSERT_TRUE(IsWindow(m_host.Enter()));
    m_host.ShowPanel();
    PanelAccessible access(Panel());
    EXPECT_EQ(CString(L"Tools"), access.Name(CHILDID_SELF));
    EXPECT_EQ(5, access.ChildCount());
    EXPECT_EQ(Target::Object(GetDlgItem(Panel(), TestSkin::kRefreshId)), access.Child(1));
}

TEST_F(AccessibilityTest, StatesAndLocationsFollowFocusHoverAndScrolling)
{
    std::vector<CatalogTool> tools = NumberedTools(30);
    tools[4].strId = L"-1"; // the items after it are drawn 20 pixels further right
    m_catalog.Write(tools);
    ASSERT_TRUE(OpenPanel());
    PanelAccessible access(Panel());
    ASSERT_EQ(S_OK, access.Result());
    auto expectedRect = [&](int nItem, int nScrollPos, int nIndent) {
        POINT pt = ToScreen(Panel(), m_skin.ItemCorner(nItem, nScrollPos));
        return RECT{pt.x + nIndent, pt.y, pt.x + nIndent + TestSkin::kItemW, pt.y + TestSkin::kItemH};
    };
    EXPECT_TRUE(RectIs(access.Location(1), expectedRect(0, 0, 0)));
    EXPECT_TRUE(RectIs(access.Location(6), expectedRect(5, 0, 20)));

    MoveMouse(m_skin.ItemCentre(2));
    PressKey(VK_RIGHT); // the focus item: item 0
    const LONG kBase = STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_SELECTABLE;
    struct Case
    {
        LONG nId;
        LONG nState;
    };
    // Three rows of 60 pixels show at the top; a page down shows rows 3 to 5.
    const Case atTop[] = {{1, kBase | STATE_SYSTEM_FOCUSED}, {2, kBase}, {3, kBase | STATE_SYSTEM_HOTTRACKED},
                          {12, kBase}, {13, kBase | STATE_SYSTEM_OFFSCREEN}};
    for (const Case& c : atTop)
        EXPECT_EQ(c.nState, access.State(c.nId)) << "child " << c.nId;
    m_host.PostToPanel(WM_VSCROLL, SB_PAGEDOWN, 0);
    ASSERT_EQ(180, ScrollInfo().nPos);
    const Case scrolled[] = {{1, kBase | STATE_SYSTEM_FOCUSED | STATE_SYSTEM_OFFSCREEN},
                             {12, kBase | STATE_SYSTEM_OFFSCREEN}, {13, kBase}, {24, kBase},
                             {25, kBase | STATE_SYSTEM_OFFSCREEN}};
    for (const Case& c : scrolled)
        EXPECT_EQ(c.nState, access.State(c.nId)) << "child " << c.nId << " scrolled";
    EXPECT_TRUE(RectIs(access.Location(13), expectedRect(12, 180, 20)));
}

TEST_F(AccessibilityTest, HitTestingAndNavigationNameItemsAndControls)
{
    m_catalog.Write(NumberedTools(10)); // rows of 4, 4 and 2 items
    ASSERT_TRUE(OpenPanel());
    HWND hRefresh = GetDlgItem(Panel(), TestSkin::kRefreshId);
    PanelAccessible access(Panel());
    ASSERT_EQ(S_OK, access.Result());

    POINT ptGap = m_skin.ItemCorner(1);
    ptGap.x -= TestSkin::kSpacing / 2;
    const std::pair<POINT, Target> hits[] = {
        {m_skin.ItemCentre(0), Target::Id(1)},
        {m_skin.ItemCentre(9), Target::Id(10)},
        {ptGap, Target::Id(CHILDID_SELF)},
        {{TestSkin::kRefreshPos.left + 5, TestSkin::kRefreshPos.top + 5}, Target::Object(hRefresh)},
        {{-5, -5}, Target()},
    };
    for (const auto& hit : hits)
        EXPECT_EQ(hit.second, access.HitTest(ToScreen(Panel(), hit.first)))
            << "at " << hit.first.x << "," << hit.first.y;

    struct Move
    {
        LONG nDirection;
        LONG nStart;
        Target expected;
    };
    const Move moves[] = {
        {NAVDIR_FIRSTCHILD, CHILDID_SELF, Target::Id(1)}, {NAVDIR_LASTCHILD, CHILDID_SELF, Target::Object(hRefresh)},
        {NAVDIR_NEXT, 1, Target::Id(2)},                  {NAVDIR_PREVIOUS, 1, Target()},
        {NAVDIR_NEXT, 10, Target::Object(hRefresh)},      {NAVDIR_PREVIOUS, 11, Target::Id(10)},
        {NAVDIR_DOWN, 2, Target::Id(6)},                  {NAVDIR_UP, 6, Target::Id(2)},
        {NAVDIR_DOWN, 7, Target()},                       {NAVDIR_RIGHT, 4, Target()},
        {NAVDIR_RIGHT, 9, Target::Id(10)},                {NAVDIR_LEFT, 5, Target()},
    };
    for (const Move& move : moves)
        EXPECT_EQ(move.expected, access.Navigate(move.nDirection, move.nStart))
            << "direction " << move.nDirection << " from " << move.nStart;
}

TEST_F(AccessibilityTest, DefaultActionEventsAndAnObjectThatOutlivesThePanel)
{
    m_catalog.Write(NumberedTools(4));
    ASSERT_TRUE(OpenPanel());
    EventLog events(Panel());
    PressKey(VK_RIGHT);
    PressKey(VK_RIGHT);
    using Events = std::vector<std::pair<DWORD, LONG>>;
    EXPECT_EQ((Events{{EVENT_OBJECT_FOCUS, 1}, {EVENT_OBJECT_FOCUS, 2}}), events.Take());

    PanelAccessible access(Panel());
    ASSERT_EQ(S_OK, access.Result());
    VARIANT self = {};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    VARIANT third = self;
    third.lVal = 3;
    EXPECT_EQ(S_OK, access.Get()->accDoDefaultAction(third));
    EXPECT_TRUE(FAILED(access.Get()->accDoDefaultAction(self)));
    EXPECT_EQ(std::vector<CString>{L"tool2"}, m_catalog.StartedTools());

    // A refill drops the focus item and tells the reader that the children changed.
    m_host.PostToPanel(WM_USER + 3, 0, 0);
    EXPECT_EQ((Events{{EVENT_OBJECT_REORDER, CHILDID_SELF}}), events.Take());
    EXPECT_EQ(CHILDID_SELF, FocusedChild());

    // A reader may keep the object after the panel is gone.
    m_host.Enter();
    LONG nCount = 0;
    BSTR bstrName = nullptr;
    EXPECT_EQ(CO_E_OBJNOTCONNECTED, access.Get()->get_accChildCount(&nCount));
    EXPECT_EQ(CO_E_OBJNOTCONNECTED, access.Get()->get_accName(self, &bstrName));
    EXPECT_EQ(CO_E_OBJNOTCONNECTED, access.Get()->accDoDefaultAction(third));
    EXPECT_EQ(nullptr, bstrName);
    EXPECT_EQ(std::vector<CString>{}, m_catalog.StartedTools());
}

} // namespace
