// The panel repaints only what changed. After every step of a sequence of
// hovers, presses, wheel steps and a refill, the pixels on the screen must
// equal those of a fresh full repaint of the same state; and an erase or print
// onto a device context of someone else's still draws the whole panel.
#include <algorithm>
#include <string>
#include <vector>
#include "PanelFixture.h"
#include "framework/CGdiHandleT.h"
#include "framework/CMemoryDC.h"
#include "framework/CScopedSelect.h"
#include "support/ChannelsNear.h"
#include "support/TopDownDib.h"
#include "support/WindowPixels.h"

namespace {

using IncrementalPaintTest = PanelFixture;

const int kTolerance = 2;

// The client area that the panel paints itself: all of it but the refresh button.
RECT PanelOwnArea(HWND hPanel)
{
    RECT rc;
    GetClientRect(hPanel, &rc);
    rc.top = TestSkin::kRefreshPos.bottom;
    return rc;
}

// What the panel draws onto a memory DC that holds a marker colour before.
std::vector<DWORD> DrawnInto(HWND hPanel, UINT nMessage, LPARAM lParam, int nWidth, int nHeight)
{
    BITMAPINFO bmi = TopDownDibInfo(nWidth, nHeight);
    void* pBits = nullptr;
    CMemoryDC memoryDC(nullptr);
    CBitmapOwner dib(CreateDIBSection(memoryDC, &bmi, DIB_RGB_COLORS, &pBits, nullptr, 0));
    if (dib.IsNull())
        return {};
    CScopedSelect select(memoryDC, dib);
    std::fill_n(static_cast<DWORD*>(pBits), static_cast<size_t>(nWidth) * nHeight, 0x00FF00FFu);
    SendMessageW(hPanel, nMessage, reinterpret_cast<WPARAM>(memoryDC.GetSafeHdc()), lParam);
    GdiFlush();
    const DWORD* pFirst = static_cast<const DWORD*>(pBits);
    return std::vector<DWORD>(pFirst, pFirst + static_cast<size_t>(nWidth) * nHeight);
}

LPARAM At(POINT pt)
{
    return MAKELPARAM(pt.x, pt.y);
}

} // namespace

TEST_F(IncrementalPaintTest, EveryStepLooksLikeAFullRepaintOfTheSameState)
{
    // Icons of their own, a shared one and missing ones (the default icon).
    const Gdiplus::ARGB colours[] = {0xFFD02020, 0xFF20D020, 0xFF2020D0};
    std::vector<CatalogTool> tools = NumberedTools(30);
    for (int i = 0; i < 30; i += 2) {
        CString strIcon = m_catalog.Folder().File((L"icon" + std::to_wstring(i % 3) + L".png").c_str());
        WriteSolidPng(strIcon, TestSkin::kIconSize, TestSkin::kIconSize, colours[i % 3]);
        tools[static_cast<size_t>(i)].strIcon = strIcon;
    }
    m_catalog.Write(tools);
    ASSERT_TRUE(OpenPanel());

    // The pointer coming onto an item asks to repaint that item's frame, not the list.
    SendMessageW(Panel(), WM_MOUSEMOVE, 0, At(m_skin.ItemCentre(5)));
    RECT rcUpdate = {};
    GetUpdateRect(Panel(), &rcUpdate, FALSE);
    POINT ptCentre = m_skin.ItemCentre(5);
    EXPECT_TRUE(PtInRect(&rcUpdate, ptCentre));
    EXPECT_LE(rcUpdate.right - rcUpdate.left, TestSkin::kItemW + 2);
    EXPECT_LE(rcUpdate.bottom - rcUpdate.top, TestSkin::kItemH + 2);
    m_host.PumpUntilIdle();

    const WPARAM kWheelDown = MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA));
    const WPARAM kWheelUp = MAKEWPARAM(0, WHEEL_DELTA);
    struct Step
    {
        const char* pszWhat;
        UINT nMessage;
        WPARAM wParam;
        LPARAM lParam;
    } steps[] = {
        {"hover item 1", WM_MOUSEMOVE, 0, At(m_skin.ItemCentre(1))},
        {"hover item 6", WM_MOUSEMOVE, 0, At(m_skin.ItemCentre(6))},
        {"press item 6", WM_LBUTTONDOWN, MK_LBUTTON, At(m_skin.ItemCentre(6))},
        {"move while pressed", WM_MOUSEMOVE, MK_LBUTTON, At(m_skin.ItemCentre(2))},
        {"release beside the items", WM_LBUTTONUP, 0, MAKELPARAM(5, 5)},
        {"wheel down", WM_MOUSEWHEEL, kWheelDown, 0},
        {"hover after scrolling", WM_MOUSEMOVE, 0, At(m_skin.ItemCentre(3))},
        {"wheel down again", WM_MOUSEWHEEL, kWheelDown, 0},
        {"wheel up", WM_MOUSEWHEEL, kWheelUp, 0},
        {"pointer leaves", WM_MOUSELEAVE, 0, 0},
        {"refill", WM_USER + 3, 0, 0},
        {"hover after the refill", WM_MOUSEMOVE, 0, At(m_skin.ItemCentre(0))},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.pszWhat);
        if (step.nMessage == WM_USER + 3) // the refill brings fewer tools, without icons
            m_catalog.Write(NumberedTools(9));
        m_host.PostToPanel(step.nMessage, step.wParam, step.lParam);
        WindowPixels incremental(Panel());
        RedrawWindow(Panel(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        WindowPixels full(Panel());
        EXPECT_EQ("", PixelDifference(incremental, full, PanelOwnArea(Panel())));
    }
    // The steps changed the picture: the last hover shows on item 0.
    POINT ptFrame = m_skin.ItemCorner(0);
    EXPECT_TRUE(PixelIs(WindowPixels(Panel()), {ptFrame.x + 3, ptFrame.y + 3}, TestSkin::kItemFrames[1]));
}

TEST_F(IncrementalPaintTest, EraseAndPrintOntoAForeignDeviceContextDrawTheWholePanel)
{
    m_catalog.Write(NumberedTools(30));
    ASSERT_TRUE(OpenPanel());
    MoveMouse(m_skin.ItemCentre(2));
    m_host.PostToPanel(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), 0);
    WindowPixels screen(Panel());
    RECT rc = PanelOwnArea(Panel());
    struct Row
    {
        const char* pszMessage;
        UINT nMessage;
        LPARAM lParam;
    } rows[] = {
        {"WM_ERASEBKGND", WM_ERASEBKGND, 0},
        {"WM_PRINTCLIENT", WM_PRINTCLIENT, PRF_CLIENT},
        {"WM_PRINT", WM_PRINT, PRF_CLIENT | PRF_ERASEBKGND},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.pszMessage);
        std::vector<DWORD> drawn = DrawnInto(Panel(), row.nMessage, row.lParam, screen.Width(), rc.bottom);
        ASSERT_EQ(static_cast<size_t>(screen.Width()) * rc.bottom, drawn.size());
        int nDiffering = 0;
        for (int y = rc.top; y < rc.bottom; ++y)
            for (int x = rc.left; x < rc.right; ++x)
                nDiffering += ChannelsNear(drawn[static_cast<size_t>(y) * screen.Width() + x] & 0xFFFFFF,
                                           screen.At(x, y), kTolerance, 3) ? 0 : 1;
        EXPECT_EQ(0, nDiffering);
    }
}

TEST_F(IncrementalPaintTest, ScrollingThroughTenThousandOwnIconsAndBackLooksLikeAFreshPanel)
{
    // Every tool has an icon file of its own, in a colour of its own, but
    // tool 1, whose file is missing (it shows the default icon): far more
    // icons than stay decoded, so the way back decodes the first ones again.
    const int kTools = 10000;
    std::vector<CatalogTool> tools = NumberedTools(kTools);
    for (int i = 0; i < kTools; ++i) {
        CString strIcon = m_catalog.Folder().File((L"own" + std::to_wstring(i) + L".png").c_str());
        if (i != 1)
            WriteSolidPng(strIcon, TestSkin::kIconSize, TestSkin::kIconSize,
                          0xFF000000u | ((static_cast<unsigned>(i) * 2654435761u) & 0xFFFFFFu));
        tools[static_cast<size_t>(i)].strIcon = strIcon;
    }
    m_catalog.Write(tools);
    ASSERT_TRUE(OpenPanel());
    WindowPixels fresh(Panel());

    int nPages = 0;
    for (int nLast = -1; ScrollInfo().nPos != nLast; ++nPages) {
        nLast = ScrollInfo().nPos;
        SendMessageW(Panel(), WM_VSCROLL, SB_PAGEDOWN, 0);
        UpdateWindow(Panel());
    }
    SCROLLINFO si = ScrollInfo();
    EXPECT_EQ(si.nMax - static_cast<int>(si.nPage) + 1, si.nPos);
    EXPECT_GT(nPages, kTools / TestSkin::kColumns / 10);
    SendMessageW(Panel(), WM_VSCROLL, SB_TOP, 0);
    m_host.PumpUntilIdle();
    UpdateWindow(Panel());
    EXPECT_EQ("", PixelDifference(WindowPixels(Panel()), fresh, PanelOwnArea(Panel())));
}
