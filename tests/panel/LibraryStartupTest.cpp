// The module starts GDI+ itself for its first panel and shuts it down when the
// host uninitialises: every start-up is paired with a shut-down of the same
// token, a replaced panel starts nothing new, and a later panel starts GDI+
// and the XML library again and still reads its skin. The calls are counted
// at the module's import table, where the module meets the system.
#include <gdiplus.h>
#include <memory>
#include "PanelFixture.h"
#include "support/CImportPatch.h"

namespace {

using StartupFn = Gdiplus::Status(WINAPI*)(ULONG_PTR*, const Gdiplus::GdiplusStartupInput*,
                                            Gdiplus::GdiplusStartupOutput*);
using ShutdownFn = void(WINAPI*)(ULONG_PTR);

struct GdiplusCalls
{
    std::unique_ptr<CImportPatch> pStartup;
    std::unique_ptr<CImportPatch> pShutdown;
    std::vector<ULONG_PTR> started;  // tokens handed out, in order
    std::vector<ULONG_PTR> shutDown; // tokens given back, in order
};
GdiplusCalls g_calls;

Gdiplus::Status WINAPI CountingStartup(ULONG_PTR* pToken, const Gdiplus::GdiplusStartupInput* pInput,
                                       Gdiplus::GdiplusStartupOutput* pOutput)
{
    Gdiplus::Status status = reinterpret_cast<StartupFn>(g_calls.pStartup->Original())(pToken, pInput, pOutput);
    g_calls.started.push_back(status == Gdiplus::Ok ? *pToken : 0);
    return status;
}

void WINAPI CountingShutdown(ULONG_PTR token)
{
    g_calls.shutDown.push_back(token);
    reinterpret_cast<ShutdownFn>(g_calls.pShutdown->Original())(token);
}

using LibraryStartupTest = PanelFixture;

TEST_F(LibraryStartupTest, GdiplusStartsWithTheFirstPanelAndStopsAtUnInitialize)
{
    m_skin.Write();
    ASSERT_TRUE(m_host.Load());
    HMODULE hModule = GetModuleHandleW(m_host.Folder() + L"Tavrin.dll");
    g_calls = {};
    g_calls.pStartup = std::make_unique<CImportPatch>(hModule, "gdiplus.dll", "GdiplusStartup",
                                                      reinterpret_cast<void*>(&CountingStartup));
    g_calls.pShutdown = std::make_unique<CImportPatch>(hModule, "gdiplus.dll", "GdiplusShutdown",
                                                       reinterpret_cast<void*>(&CountingShutdown));
    ASSERT_TRUE(g_calls.pStartup->IsPatched() && g_calls.pShutdown->IsPatched());

    ASSERT_NE(nullptr, m_host.Enter());
    ASSERT_NE(nullptr, m_host.Enter()); // replaces the panel; GDI+ stays up
    ASSERT_EQ(1u, g_calls.started.size());
    EXPECT_NE(0u, g_calls.started[0]);
    EXPECT_TRUE(g_calls.shutDown.empty());

    EXPECT_EQ(0, m_host.UnInitialize(0));
    EXPECT_EQ(0, m_host.UnInitialize(0)); // nothing left to stop
    EXPECT_EQ(g_calls.started, g_calls.shutDown);

    // A panel after UnInitialize starts both libraries again and reads its skin.
    HWND hPanel = m_host.Enter();
    ASSERT_NE(nullptr, hPanel);
    RECT rc = {};
    GetClientRect(hPanel, &rc);
    EXPECT_EQ(320, rc.right) << "the skin was not read after the XML library restarted";
    EXPECT_EQ(2u, g_calls.started.size());
    EXPECT_EQ(0, m_host.UnInitialize(0));
    EXPECT_EQ(g_calls.started, g_calls.shutDown);
    g_calls = {}; // restores the import table before the module is unloaded
}

} // namespace
