// What the user does with the panel: clicking tools, refreshing the list, and
// keys that a dialog would take as "close" or "open the window menu".
#include "PanelFixture.h"

namespace {

using PanelCommandTest = PanelFixture;

LPARAM At(POINT pt)
{
    return MAKELPARAM(pt.x, pt.y);
}

TEST_F(PanelCommandTest, EachButtonReleaseOverAnItemStartsItsToolOnce)
{
    m_catalog.Write(NumberedTools(6));
    ASSERT_TRUE(OpenPanel());
    POINT ptItem1 = m_skin.ItemCentre(1), ptItem5 = m_skin.ItemCentre(5);

    // Every message of a double click runs against a catalog of its own stage,
    // so each start shows which message caused it.
    struct Step
    {
        UINT uMsg;
        POINT pt;
        const wchar_t* pszStage;
    };
    const Step steps[] = {
        {WM_LBUTTONDOWN, ptItem1, L"@1down"},   {WM_LBUTTONUP, ptItem1, L"@2up"},
        {WM_LBUTTONDBLCLK, ptItem1, L"@3dblclk"}, {WM_LBUTTONUP, ptItem1, L"@4up"},
        {WM_LBUTTONDOWN, ptItem1, L"@5down"},   {WM_LBUTTONUP, ptItem5, L"@6up-elsewhere"},
    };
    for (const Step& step : steps) {
        m_catalog.SetStage(step.pszStage);
        m_host.PostToPanel(step.uMsg, step.uMsg == WM_LBUTTONUP ? 0 : MK_LBUTTON, At(step.pt));
    }
    std::vector<CString> expected = {L"tool1@2up", L"tool1@4up", L"tool5@6up-elsewhere"};
    EXPECT_EQ(expected, m_catalog.StartedTools());
}

TEST_F(PanelCommandTest, RefreshDisablesItsButtonUntilTheLibraryReportsTheNewList)
{
    m_catalog.Write(NumberedTools(2));
    m_catalog.WriteRefreshSource({{L"Fresh", L"fresh", L"9", L"from the source", CString(), true}});
    ASSERT_TRUE(OpenPanel());
    HWND hRefresh = GetDlgItem(Panel(), TestSkin::kRefreshId);
    ASSERT_TRUE(hRefresh);
    EXPECT_TRUE(IsWindowEnabled(hRefresh));

    // A click on the button, handled alone: the library's answer stays queued.
    RECT rc = {};
    GetClientRect(hRefresh, &rc);
    POINT ptCentre = {rc.right / 2, rc.bottom / 2};
    PostMessageW(hRefresh, WM_LBUTTONDOWN, MK_LBUTTON, At(ptCentre));
    PostMessageW(hRefresh, WM_LBUTTONUP, 0, At(ptCentre));
    m_host.PumpWindow(hRefresh);
    EXPECT_FALSE(IsWindowEnabled(hRefresh)) << "the refresh button stays enabled while a refresh runs";

    ASSERT_TRUE(m_host.PumpUntil([&] { return IsWindowEnabled(hRefresh) != FALSE; }))
        << "the refresh button was not enabled again";
    m_host.PumpUntilIdle();
    Click(m_skin.ItemCentre(0));
    Click(m_skin.ItemCentre(1));
    EXPECT_EQ(std::vector<CString>{L"fresh"}, m_catalog.StartedTools());
}

TEST_F(PanelCommandTest, WithoutARefreshButtonTheLibraryMessageStillReloadsTheGrid)
{
    m_skin.RemoveControl(L"Refresh");
    m_catalog.Write(NumberedTools(1));
    ASSERT_TRUE(OpenPanel());
    m_catalog.Write({{L"Fresh", L"fresh", L"9", L"reloaded", CString(), true}});
    m_host.PostToPanel(WM_USER + 3, 0, 0);
    ASSERT_TRUE(IsWindow(Panel()));
    Click(m_skin.ItemCentre(0));
    EXPECT_EQ(std::vector<CString>{L"fresh"}, m_catalog.StartedTools());
}

// Watches for the modal menu loop that the system enters for a window menu:
// a hook sees the loop's first messages, and a thread timer (dispatched by the
// loop itself) ends any menu so that the test cannot hang in it.
class MenuWatch
{
public:
    MenuWatch()
    {
        s_bMenuSeen = false;
        m_hHook = SetWindowsHookExW(WH_CALLWNDPROC, HookProc, nullptr, GetCurrentThreadId());
        m_nTimer = SetTimer(nullptr, 0, 250, EndAnyMenu);
    }
    ~MenuWatch()
    {
        KillTimer(nullptr, m_nTimer);
        UnhookWindowsHookEx(m_hHook);
    }
    MenuWatch(const MenuWatch&) = delete;
    MenuWatch& operator=(const MenuWatch&) = delete;

    bool MenuSeen() const { return s_bMenuSeen; }

private:
    static LRESULT CALLBACK HookProc(int nCode, WPARAM wParam, LPARAM lParam)
    {
        const auto* pMsg = reinterpret_cast<const CWPSTRUCT*>(lParam);
        if (nCode == HC_ACTION && (pMsg->message == WM_ENTERMENULOOP || pMsg->message == WM_INITMENU ||
                                   pMsg->message == WM_INITMENUPOPUP))
            s_bMenuSeen = true;
        return CallNextHookEx(nullptr, nCode, wParam, lParam);
    }
    static void CALLBACK EndAnyMenu(HWND, UINT, UINT_PTR, DWORD)
    {
        GUITHREADINFO info = {};
        info.cbSize = sizeof(info);
        if (GetGUIThreadInfo(GetCurrentThreadId(), &info) && (info.flags & GUI_INMENUMODE)) {
            s_bMenuSeen = true;
            EndMenu();
        }
    }

    static bool s_bMenuSeen;
    HHOOK m_hHook = nullptr;
    UINT_PTR m_nTimer = 0;
};

bool MenuWatch::s_bMenuSeen = false;

TEST_F(PanelCommandTest, EnterEscapeAltAndF10NeitherCloseThePanelNorOpenItsMenu)
{
    m_catalog.Write(NumberedTools(3));
    ASSERT_TRUE(OpenPanel());
    struct Key
    {
        const char* pszName;
        UINT uDown, uUp;
        WPARAM wKey;
        LPARAM lDown; // key data of the press: bit 29 means Alt is held
    };
    const Key keys[] = {
        {"Enter", WM_KEYDOWN, WM_KEYUP, VK_RETURN, 0x001C0001},
        {"Escape", WM_KEYDOWN, WM_KEYUP, VK_ESCAPE, 0x00010001},
        {"Alt", WM_SYSKEYDOWN, WM_SYSKEYUP, VK_MENU, 0x20380001},
        {"F10", WM_SYSKEYDOWN, WM_SYSKEYUP, VK_F10, 0x00440001},
        {"Alt+Space", WM_SYSKEYDOWN, WM_SYSKEYUP, VK_SPACE, 0x20390001},
    };
    for (const Key& key : keys) {
        SCOPED_TRACE(key.pszName);
        size_t nTranslatedBefore = m_host.Translated().size();
        MenuWatch watch;
        PostMessageW(Panel(), key.uDown, key.wKey, key.lDown);
        m_host.PostToPanel(key.uUp, key.wKey, (key.lDown & 0x20FFFFFF) | 0xC0000000);
        EXPECT_FALSE(watch.MenuSeen()) << "a menu was opened";
        ASSERT_TRUE(IsWindow(Panel()));
        EXPECT_TRUE(IsWindowVisible(Panel())) << "the panel was closed";
        bool bTranslated = false;
        for (size_t i = nTranslatedBefore; i < m_host.Translated().size(); ++i)
            bTranslated |= m_host.Translated()[i].message == key.uDown && m_host.Translated()[i].wParam == key.wKey;
        // The module's pre-translation hands the key to the dialog's keyboard
        // handling, which processes it; the host must not dispatch it again.
        EXPECT_TRUE(bTranslated);
    }
    // The keyboard's menu command itself: Alt alone, and Alt+Space (the window menu).
    for (LPARAM lKey : {LPARAM(0), LPARAM(VK_SPACE)}) {
        SCOPED_TRACE(lKey);
        MenuWatch watch;
        m_host.PostToPanel(WM_SYSCOMMAND, SC_KEYMENU, lKey);
        EXPECT_FALSE(watch.MenuSeen()) << "a menu was opened";
        EXPECT_TRUE(IsWindowVisible(Panel()));
    }
    // Still responsive.
    Click(m_skin.ItemCentre(2));
    EXPECT_EQ(std::vector<CString>{L"tool2"}, m_catalog.StartedTools());
}

} // namespace
