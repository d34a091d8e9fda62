// A tool-service library that misbehaves: a list whose records loop, and a
// library (or a host behind it) that destroys or replaces the panel from
// inside a call that the panel is making. The stand-in library of
// fake/FakePellix.cpp takes Pellix.dll's place beside the module.
#include "PanelFixture.h"
#include "support/IconFiles.h"
#include "support/TestFiles.h"
#include "tests/panel/fake/FakePellix.h"

namespace {

template <class Fn>
Fn Export(HMODULE hModule, const char* pszName)
{
    Fn fn = reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(hModule, pszName)));
    EXPECT_NE(nullptr, reinterpret_cast<void*>(fn)) << pszName;
    return fn;
}

class HostileToolServiceTest : public PanelFixture
{
protected:
    HostileToolServiceTest()
    {
        m_host.UseToolService(ProgramFolder() + L"fake\\Pellix.dll");
        // The panel's icon lives exactly as long as the panel's object.
        WriteIconFile(m_host.ConfigFile(L"Default\\Panel.ico"), RGB(0, 0, 255));
        m_skin.SetDialogInfo(L"Icon", L"Panel.ico");
    }

    // Loads the module with the stand-in library and opens a panel over nTools
    // records whose last one links to record nLoopTo (-1: to none).
    HWND OpenWithTools(int nTools, int nLoopTo)
    {
        m_skin.Write();
        if (!m_host.Load())
            return nullptr;
        HMODULE hLibrary = m_host.ToolService();
        EXPECT_NE(nullptr, hLibrary) << "the module did not load the stand-in library";
        if (!hLibrary)
            return nullptr;
        SetTools = Export<FakePxSetToolsFn>(hLibrary, "FakePxSetTools");
        CallBackFrom = Export<FakePxCallBackFromFn>(hLibrary, "FakePxCallBackFrom");
        StartCount = Export<FakePxStartCountFn>(hLibrary, "FakePxStartCount");
        LastStarted = Export<FakePxLastStartedFn>(hLibrary, "FakePxLastStarted");
        if (!SetTools || !CallBackFrom || !StartCount || !LastStarted)
            return nullptr;
        SetTools(nTools, nLoopTo);
        HWND hPanel = m_host.Enter();
        EXPECT_TRUE(IsWindow(hPanel));
        m_host.ShowPanel();
        return hPanel;
    }

    // The tool that a click on item nIndex starts, or "" for none.
    CString ToolAt(int nIndex)
    {
        int nBefore = StartCount();
        Click(m_skin.ItemCentre(nIndex));
        return StartCount() == nBefore ? CString() : CString(LastStarted());
    }

    FakePxSetToolsFn SetTools = nullptr;
    FakePxCallBackFromFn CallBackFrom = nullptr;
    FakePxStartCountFn StartCount = nullptr;
    FakePxLastStartedFn LastStarted = nullptr;
};

TEST_F(HostileToolServiceTest, ALoopingListIsCutAtTheFirstRecordSeenBefore)
{
    struct Case
    {
        int nTools, nLoopTo;
        std::vector<CString> tools; // what items 0, 1, 2 and 3 start
    };
    const Case cases[] = {
        {3, 1, {L"tool0", L"tool1", L"tool2", L""}},
        {1, 0, {L"tool0", L"", L"", L""}},
        {2, -1, {L"tool0", L"tool1", L"", L""}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.nTools << " records, the last linking to " << c.nLoopTo);
        SwitchLogging(true);
        DeleteFileW(m_host.ConfigFile(L"UILogTrace.txt"));
        ASSERT_TRUE(OpenWithTools(c.nTools, c.nLoopTo));
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(c.tools[i], ToolAt(i)) << "item " << i;
        int nCutLines = 0;
        for (const CString& strLine : LogMessages(m_host))
            nCutLines += strLine.Find(L"--Tool list cut after ") == 0 ? 1 : 0;
        EXPECT_EQ(c.nLoopTo >= 0 ? 1 : 0, nCutLines);
        m_host.Unload();
    }
}

// The panel, while it calls the library, as the library's callback finds it.
struct InsideCallBack
{
    bool bCalled = false;
    bool bWindowAlive = true;
    bool bObjectAlive = false;
};

bool IconAlive(HICON hIcon)
{
    ICONINFO info = {};
    if (!GetIconInfo(hIcon, &info))
        return false;
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return true;
}

ModuleHost* g_pHost = nullptr;
HWND g_hPanelBefore = nullptr;
HICON g_hIconBefore = nullptr;
bool g_bEnterAgain = false;
HWND g_hPanelAfter = nullptr;
InsideCallBack g_inside;

void ReenterModule()
{
    if (g_bEnterAgain)
        g_hPanelAfter = g_pHost->Enter();
    else
        g_pHost->UnInitialize(0);
    g_inside.bCalled = true;
    g_inside.bWindowAlive = IsWindow(g_hPanelBefore) != FALSE;
    g_inside.bObjectAlive = IconAlive(g_hIconBefore);
}

TEST_F(HostileToolServiceTest, ThePanelIsDeletedOnlyOnceItsOwnCallHasReturned)
{
    enum Trigger { kClickItem, kListUpdated, kRefreshButton };
    struct Case
    {
        const char* pszWhat;
        Trigger trigger;
        FakePxCall call;
        bool bEnterAgain;
    };
    const Case cases[] = {
        {"uninitialise while a tool starts", kClickItem, FakePxCall::RunTool, false},
        {"enter while a tool starts", kClickItem, FakePxCall::RunTool, true},
        {"uninitialise while the refreshed list is read", kListUpdated, FakePxCall::GetList, false},
        {"enter while the refreshed list is read", kListUpdated, FakePxCall::GetList, true},
        {"uninitialise from the refresh button's command", kRefreshButton, FakePxCall::Refresh, false},
        {"enter from the refresh button's command", kRefreshButton, FakePxCall::Refresh, true},
    };
    g_pHost = &m_host;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pszWhat);
        HWND hPanel = OpenWithTools(3, -1);
        ASSERT_TRUE(hPanel);
        g_hPanelBefore = hPanel;
        g_hIconBefore = reinterpret_cast<HICON>(SendMessageW(hPanel, WM_GETICON, ICON_BIG, 0));
        ASSERT_TRUE(IconAlive(g_hIconBefore));
        g_bEnterAgain = c.bEnterAgain;
        g_hPanelAfter = nullptr;
        g_inside = InsideCallBack();
        CallBackFrom(c.call, ReenterModule);

        if (c.trigger == kClickItem) {
            Click(m_skin.ItemCentre(1));
        } else if (c.trigger == kListUpdated) {
            m_host.PostToPanel(WM_USER + 3, 0, 0);
        } else {
            HWND hRefresh = GetDlgItem(hPanel, TestSkin::kRefreshId);
            ASSERT_TRUE(hRefresh);
            PostMessageW(hRefresh, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
            PostMessageW(hRefresh, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
            m_host.PumpUntilIdle();
        }
        ASSERT_TRUE(g_inside.bCalled) << "the library never called back";
        EXPECT_FALSE(g_inside.bWindowAlive) << "the old panel's window outlived the call";
        EXPECT_TRUE(g_inside.bObjectAlive) << "the old panel was deleted while its call was still running";
        EXPECT_FALSE(IconAlive(g_hIconBefore)) << "the old panel was never deleted";

        // The module goes on: the new panel (or one made now) starts tools.
        HWND hNext = c.bEnterAgain ? g_hPanelAfter : m_host.Enter();
        ASSERT_TRUE(IsWindow(hNext));
        m_host.ShowPanel();
        EXPECT_EQ(CString(L"tool2"), ToolAt(2));
        m_host.Unload();
    }
    g_pHost = nullptr;
}

} // namespace
