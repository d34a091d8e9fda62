// The panel in a host without any manifest, as most older hosts are: this
// program has none, so its own windows get the old common controls, while the
// module's manifest (resource 2) gives the panel's windows version 6.
//
// Wine 8.0 has one comctl32 (it reports version 5.81) for both versions. What
// it does tell apart is what a version 6 context redirects: there "Button" and
// "Static" are comctl32's own classes, which answer version 6 messages such as
// BCM_GETIDEALSIZE, and without one they are user32's. On Windows the
// tooltip of a version 6 context comes from that same side-by-side comctl32,
// and one of version 5 from another file; so the checks below hold on both.
#include <commctrl.h>
#include "PanelFixture.h"

namespace {

using VisualStylesTest = PanelFixture;

// The module that holds a window's class procedure: for the panel's controls,
// which the framework subclasses, the control's own implementation.
HMODULE ClassProcedureModule(HWND hWnd)
{
    auto pProc = reinterpret_cast<LPCWSTR>(GetClassLongPtrW(hWnd, GCLP_WNDPROC));
    HMODULE hModule = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT, pProc,
                       &hModule);
    return hModule;
}

CString ModuleName(HMODULE hModule)
{
    wchar_t szPath[MAX_PATH] = L"(none)";
    if (hModule)
        GetModuleFileNameW(hModule, szPath, MAX_PATH);
    return szPath;
}

// BCM_GETIDEALSIZE is a version 6 message: older buttons leave it to
// DefWindowProc, which answers 0.
bool AnswersIdealSize(HWND hButton)
{
    SIZE size = {};
    return SendMessageW(hButton, BCM_GETIDEALSIZE, 0, reinterpret_cast<LPARAM>(&size)) && size.cx > 0;
}

BOOL CALLBACK CountResource(HMODULE, LPCWSTR, LPWSTR, LONG_PTR lParam)
{
    ++*reinterpret_cast<int*>(lParam);
    return TRUE;
}

// A button of this program's own, outside the module.
class CHostButton
{
public:
    CHostButton()
        : m_hWnd(CreateWindowExW(0, L"BUTTON", L"host", WS_POPUP, 0, 0, 60, 20, nullptr, nullptr,
                                 GetModuleHandleW(nullptr), nullptr))
    {
    }
    ~CHostButton() { DestroyWindow(m_hWnd); }
    CHostButton(const CHostButton&) = delete;
    CHostButton& operator=(const CHostButton&) = delete;
    operator HWND() const { return m_hWnd; }

private:
    HWND m_hWnd;
};

TEST_F(VisualStylesTest, PanelControlsAreVersion6InAHostWithoutManifest)
{
    int nManifests = 0;
    EnumResourceNamesW(GetModuleHandleW(nullptr), RT_MANIFEST, CountResource, reinterpret_cast<LONG_PTR>(&nManifests));
    ASSERT_EQ(0, nManifests) << "the host of this test must have no manifest";
    m_catalog.Write(NumberedTools(3));
    ASSERT_TRUE(OpenPanel());

    // The host's own controls stay the old ones: user32's button.
    HMODULE hUser32 = GetModuleHandleW(L"user32.dll");
    CHostButton hostButton;
    ASSERT_NE(nullptr, static_cast<HWND>(hostButton));
    EXPECT_EQ(hUser32, ClassProcedureModule(hostButton)) << ModuleName(ClassProcedureModule(hostButton)).ToAnsi();
    EXPECT_FALSE(AnswersIdealSize(hostButton));

    // The panel's tooltips and controls all come from the comctl32 whose
    // button answers version 6 messages.
    std::vector<HWND> toolTips = PanelToolTips();
    ASSERT_FALSE(toolTips.empty());
    HMODULE hCommonControls = ClassProcedureModule(toolTips.front());
    ASSERT_NE(nullptr, hCommonControls);
    EXPECT_NE(hUser32, hCommonControls);
    HWND hRefresh = GetDlgItem(Panel(), TestSkin::kRefreshId);
    ASSERT_NE(nullptr, hRefresh);
    EXPECT_TRUE(AnswersIdealSize(hRefresh)) << "the panel's button is not a version 6 button";

    struct Case
    {
        const char* pszWhat;
        HWND hWnd;
    };
    std::vector<Case> cases = {{"refresh button", hRefresh}, {"label", GetDlgItem(Panel(), TestSkin::kLabel1Id)}};
    for (HWND hToolTip : toolTips)
        cases.push_back({"tooltip", hToolTip});
    for (const Case& c : cases) {
        ASSERT_NE(nullptr, c.hWnd) << c.pszWhat;
        HMODULE hModule = ClassProcedureModule(c.hWnd);
        EXPECT_EQ(hCommonControls, hModule) << c.pszWhat << " comes from " << ModuleName(hModule).ToAnsi()
                                            << ", not from " << ModuleName(hCommonControls).ToAnsi();
    }
}

} // namespace
