// Input that the module cannot trust, through its exports and real messages:
// skins asking for huge surfaces, messages that anyone can post, an owner
// that is null or gone, and a module whose own path is too long to hold.
#include "PanelFixture.h"
#include "support/TestFiles.h"
#include "support/ChannelsNear.h"

namespace {

using HostileInputTest = PanelFixture;

COLORREF PanelPixel(HWND hPanel, int x, int y)
{
    HDC hdc = GetDC(hPanel);
    COLORREF color = GetPixel(hdc, x, y);
    ReleaseDC(hPanel, hdc);
    return color;
}

// The host's current folder, for the scope of the object.
class CurrentFolderScope
{
public:
    explicit CurrentFolderScope(const CString& strFolder)
    {
        GetCurrentDirectoryW(MAX_PATH, m_szOld);
        EXPECT_TRUE(SetCurrentDirectoryW(strFolder));
    }
    ~CurrentFolderScope() { SetCurrentDirectoryW(m_szOld); }
    CurrentFolderScope(const CurrentFolderScope&) = delete;
    CurrentFolderScope& operator=(const CurrentFolderScope&) = delete;

private:
    wchar_t m_szOld[MAX_PATH] = {};
};

bool IsPanelBack(COLORREF color)
{
    Gdiplus::ARGB argb = 0xFF000000 | (GetRValue(color) << 16) | (GetGValue(color) << 8) | GetBValue(color);
    return ChannelsNear(argb, TestSkin::kPanelBack, 3, 3);
}

TEST_F(HostileInputTest, SheetsTooLargeToDrawAreNotDrawnAndThePanelGoesOn)
{
    m_catalog.Write(NumberedTools(3));
    m_skin.Write(); // the images, at the standard sheet size
    ASSERT_TRUE(m_host.Load());
    struct Case
    {
        SIZE sheet;
        bool bDrawn;
    };
    // Sheets too large in width, height or area, and their list areas with them.
    const Case cases[] = {
        {{65536, 65536}, false}, {{20000, 240}, false}, {{320, 70000}, false}, {{9000, 9000}, false},
        {{400, 300}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.sheet.cx << " x " << c.sheet.cy);
        m_skin.SetSheet(c.sheet.cx, c.sheet.cy);
        m_skin.Write();
        ASSERT_TRUE(IsWindow(m_host.Enter()));
        m_host.ShowPanel();
        RedrawWindow(Panel(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        EXPECT_EQ(c.bDrawn, IsPanelBack(PanelPixel(Panel(), 5, 5)));
        Click(m_skin.ItemCentre(1));
        EXPECT_EQ(std::vector<CString>{L"tool1"}, m_catalog.StartedTools());
    }
}

TEST_F(HostileInputTest, ItemClickMessagesFromOutsideStartNothing)
{
    m_catalog.Write(NumberedTools(3));
    ASSERT_TRUE(OpenPanel());
    static wchar_t s_notAnItem[1024] = {};
    // WM_USER + 1 is also DM_SETDEFID, which the dialog manager sends with a control identifier.
    const WPARAM values[] = {0, IDOK, 0xDEADBEEF, reinterpret_cast<WPARAM>(s_notAnItem), static_cast<WPARAM>(-1)};
    for (WPARAM wParam : values) {
        SCOPED_TRACE(wParam);
        m_host.PostToPanel(WM_USER + 1, wParam, 0);
        ASSERT_TRUE(IsWindow(Panel()));
    }
    EXPECT_EQ(std::vector<CString>{}, m_catalog.StartedTools());
    Click(m_skin.ItemCentre(1));
    EXPECT_EQ(std::vector<CString>{L"tool1"}, m_catalog.StartedTools());
}

TEST_F(HostileInputTest, NullOrDeadOwnerAndEraseWithoutADeviceContext)
{
    m_catalog.Write(NumberedTools(3));
    m_skin.Write();
    ASSERT_TRUE(m_host.Load());
    HWND hDead = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    DestroyWindow(hDead);
    for (HWND hOwner : {HWND(nullptr), hDead}) {
        SCOPED_TRACE(hOwner ? "dead owner" : "null owner");
        HWND hPanel = reinterpret_cast<HWND>(static_cast<INT_PTR>(-1));
        EXPECT_EQ(0, m_host.EnterExport(hOwner, &hPanel, 0));
        EXPECT_TRUE(hPanel == nullptr || IsWindow(hPanel));
    }

    HWND hPanel = m_host.Enter();
    ASSERT_TRUE(IsWindow(hPanel));
    m_host.ShowPanel();
    std::vector<HWND> windows = {hPanel};
    for (HWND hChild = GetWindow(hPanel, GW_CHILD); hChild; hChild = GetWindow(hChild, GW_HWNDNEXT))
        windows.push_back(hChild);
    ASSERT_GT(windows.size(), 1u);
    for (HWND hWnd : windows)
        EXPECT_EQ(0, SendMessageW(hWnd, WM_ERASEBKGND, 0, 0)) << "nothing can be erased without a device context";
    Click(m_skin.ItemCentre(2));
    EXPECT_EQ(std::vector<CString>{L"tool2"}, m_catalog.StartedTools());
}

TEST_F(HostileInputTest, AModuleWhosePathFillsItsBufferReadsNothingRelativeToTheHostsFolder)
{
    // The host's current folder holds a skin of its own and would take the log.
    CTempFolder current(L"tavrin host folder", L"Config");
    SkinWriter hostSkin(current.Path());
    CreateDirectoryW(current.File(L"Config\\Default"), nullptr);
    hostSkin.SetSheet(123, 77);
    hostSkin.Write();
    SwitchLogging(true);

    // The module and its library in a folder whose path is longer than MAX_PATH.
    const CString strDeep = L"\\\\?\\" + m_host.Folder() + CString(std::wstring(240, L'd').c_str()) + L"\\";
    ASSERT_TRUE(CreateDirectoryW(strDeep, nullptr));
    for (const wchar_t* pszFile : {L"Tavrin.dll", L"Pellix.dll"})
        ASSERT_TRUE(CopyFileW(m_host.Folder() + pszFile, strDeep + pszFile, FALSE));
    {
        CurrentFolderScope inHostFolder(current.Path());
        HMODULE hPellix = LoadLibraryW(strDeep + L"Pellix.dll");
        HMODULE hModule = LoadLibraryExW(strDeep + L"Tavrin.dll", nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
        ASSERT_TRUE(hPellix && hModule) << "cannot load the module from its long path";
        auto pfnEnter = reinterpret_cast<ModuleHost::EnterFn>(
            reinterpret_cast<void*>(GetProcAddress(hModule, "QmUIFunEnter")));
        auto pfnUnInitialize = reinterpret_cast<ModuleHost::InitializeFn>(
            reinterpret_cast<void*>(GetProcAddress(hModule, "QmUIFunUnInitialize")));
        ASSERT_TRUE(pfnEnter && pfnUnInitialize);
        HWND hPanel = nullptr;
        pfnEnter(m_host.HostWindow(), &hPanel, 0);
        RECT rc = {};
        GetClientRect(hPanel, &rc);
        EXPECT_NE(123, rc.right) << "the panel read the skin in the host's folder";
        pfnUnInitialize(0);
        m_host.PumpUntilIdle();
        FreeLibrary(hModule);
        FreeLibrary(hPellix);
    }
    EXPECT_FALSE(FileExists(current.File(L"Config\\UILogTrace.txt"))) << "the log went to the host's folder";
    for (const wchar_t* pszFile : {L"Tavrin.dll", L"Pellix.dll"})
        DeleteFileW(strDeep + pszFile);
    RemoveDirectoryW(strDeep);
}

} // namespace
