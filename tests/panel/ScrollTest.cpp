// Scrolling the grid: when the panel's scroll bar appears, how each scroll-bar
// code, the wheel and a real thumb drag move it, that a click lands on the item
// shown at the scrolled position, and that a reload keeps the position.
#include "PanelFixture.h"
#include "support/WindowPixels.h"
#include "framework/CHandleOwner.h"

namespace {

// Items 50 high with 10 between rows: 24 items in 4 columns are 6 rows, 350
// pixels; with a list area 101 pixels high the last position is 350 - 101 + 1.
const int kListHeight = 101;
const int kContentHeight = 350;
const int kLastPosition = kContentHeight - kListHeight + 1;

class ScrollTest : public PanelFixture
{
protected:
    // The standard sheet (240 high) with a list area kListHeight high.
    HWND OpenScrollingPanel(int nTools)
    {
        m_skin.SetMargins(10, 40, 30, 240 - 40 - kListHeight);
        m_catalog.Write(NumberedTools(nTools));
        return OpenPanel();
    }

    // Clicks the second item of the first row whose centre is in view at
    // nPos; that tool must start, so the grid is drawn and hit at nPos.
    void ExpectClickFollows(int nPos)
    {
        int nRow = 0;
        while (nRow * (TestSkin::kItemH + TestSkin::kSpacing) + TestSkin::kItemH / 2 < nPos)
            ++nRow;
        int nItem = nRow * TestSkin::kColumns + 1;
        Click(m_skin.ItemCentre(nItem, nPos));
        CString strId;
        strId.Format(L"tool%d", nItem);
        EXPECT_EQ(std::vector<CString>{strId}, m_catalog.StartedTools()) << "clicked at position " << nPos;
    }

    void Wheel(short nDelta)
    {
        POINT pt = m_skin.ItemCentre(0);
        ClientToScreen(Panel(), &pt);
        m_host.PostToPanel(WM_MOUSEWHEEL, MAKEWPARAM(0, nDelta), MAKELPARAM(pt.x, pt.y));
    }
};

TEST_F(ScrollTest, ScrollBarAppearsOnlyWhenTheContentIsStrictlyTaller)
{
    // 12 items are 3 rows, 170 pixels.
    m_catalog.Write(NumberedTools(12));
    ASSERT_TRUE(m_host.Load());
    const int nBar = GetSystemMetrics(SM_CXHSCROLL);
    struct Case
    {
        int nListHeight;
        bool bScrollBar;
    };
    for (const Case& c : {Case{170, false}, Case{169, true}, Case{171, false}}) {
        SCOPED_TRACE(c.nListHeight);
        m_skin.SetMargins(10, 40, 30, 240 - 40 - c.nListHeight);
        m_skin.Write();
        ASSERT_TRUE(IsWindow(m_host.Enter()));
        m_host.ShowPanel();
        SCROLLINFO si = ScrollInfo();
        EXPECT_EQ(c.bScrollBar, (GetWindowLongPtrW(Panel(), GWL_STYLE) & WS_VSCROLL) != 0);
        EXPECT_EQ(c.bScrollBar ? 170 : 0, si.nMax);
        EXPECT_EQ(c.bScrollBar ? static_cast<UINT>(c.nListHeight) : 0u, si.nPage);
        EXPECT_EQ(0, si.nPos);
        // The grid spans the list area's width, less the bar's width when there is one.
        RECT rcList = m_skin.ListArea();
        int nGridRight = rcList.right - (c.bScrollBar ? nBar : 0);
        int nGapY = rcList.top + TestSkin::kItemH + TestSkin::kSpacing / 2; // between the first two rows
        WindowPixels pixels(Panel());
        EXPECT_TRUE(PixelIs(pixels, {nGridRight - 1, nGapY}, TestSkin::kListBack));
        EXPECT_TRUE(PixelIs(pixels, {nGridRight, nGapY}, TestSkin::kPanelBack));
    }
}

TEST_F(ScrollTest, ScrollCodesAndTheWheelMoveTheGrid)
{
    ASSERT_TRUE(OpenScrollingPanel(24));
    SCROLLINFO si = ScrollInfo();
    ASSERT_EQ(kContentHeight, si.nMax);
    ASSERT_EQ(static_cast<UINT>(kListHeight), si.nPage);

    struct Step
    {
        UINT uMsg;   // WM_VSCROLL or WM_MOUSEWHEEL
        int nValue;  // scroll code, or wheel delta
        int nExpected;
    };
    const Step steps[] = {
        {WM_VSCROLL, SB_LINEUP, 0},
        {WM_MOUSEWHEEL, 120, 0},
        {WM_VSCROLL, SB_LINEDOWN, 50}, // half of a 101-pixel page
        {WM_VSCROLL, SB_LINEDOWN, 100},
        {WM_VSCROLL, SB_PAGEDOWN, 201},
        {WM_VSCROLL, SB_LINEDOWN, kLastPosition},
        {WM_VSCROLL, SB_LINEDOWN, kLastPosition},
        {WM_VSCROLL, SB_PAGEDOWN, kLastPosition},
        {WM_VSCROLL, SB_PAGEUP, kLastPosition - 101},
        {WM_VSCROLL, SB_LINEUP, kLastPosition - 151},
        {WM_VSCROLL, SB_THUMBPOSITION, kLastPosition - 151},
        {WM_VSCROLL, SB_ENDSCROLL, kLastPosition - 151},
        {WM_VSCROLL, SB_TOP, 0},
        {WM_MOUSEWHEEL, -360, 101}, // several notches: still one page
        {WM_VSCROLL, SB_BOTTOM, kLastPosition},
        {WM_MOUSEWHEEL, -120, kLastPosition},
        {WM_MOUSEWHEEL, 120, kLastPosition - 101},
        {WM_MOUSEWHEEL, 720, kLastPosition - 202},
        {WM_MOUSEWHEEL, 0, kLastPosition - 101},   // no delta counts as down
        {WM_MOUSEWHEEL, -720, kLastPosition},
        {WM_MOUSEWHEEL, 360, kLastPosition - 101},
        {WM_VSCROLL, SB_PAGEUP, 48},
        {WM_VSCROLL, SB_PAGEUP, 0},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(::testing::Message() << (step.uMsg == WM_VSCROLL ? "WM_VSCROLL " : "WM_MOUSEWHEEL ")
                                          << step.nValue);
        if (step.uMsg == WM_VSCROLL)
            m_host.PostToPanel(WM_VSCROLL, MAKEWPARAM(step.nValue, 30), 0);
        else
            Wheel(static_cast<short>(step.nValue));
        EXPECT_EQ(step.nExpected, ScrollInfo().nPos);
        ExpectClickFollows(step.nExpected);
    }
}

// Deltas below a notch, as touchpads send them, add up to a notch before
// they move a page; a turn the other way starts the sum anew. The same with
// the system's bar and with a skinned one.
class WheelTest : public ScrollTest, public ::testing::WithParamInterface<bool>
{
};

TEST_P(WheelTest, DeltasAddUpToANotchBeforeTheyMoveAPage)
{
    if (GetParam())
        m_skin.UseSkinnedScrollBar();
    ASSERT_TRUE(OpenScrollingPanel(40)); // positions 0 to 490
    const int kStart = 2 * kListHeight;
    struct Case
    {
        std::vector<short> deltas;
        int nPagesDown;
    };
    const Case cases[] = {
        {{120}, -1},          {{30, 30, 30, 30}, -1}, {{30, 30, -30}, 0},  {{360}, -1},
        {{-60, -60}, 1},      {{60, -60, -60}, 1},    {{-150, -90}, 2},    {{0}, 1},
        {{-100, 0, -100}, 1}, {{-119}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.deltas));
        // A scroll-bar move between the cases also clears what was left over.
        m_host.PostToPanel(WM_VSCROLL, MAKEWPARAM(SB_TOP, 0), 0);
        m_host.PostToPanel(WM_VSCROLL, MAKEWPARAM(SB_PAGEDOWN, 0), 0);
        m_host.PostToPanel(WM_VSCROLL, MAKEWPARAM(SB_PAGEDOWN, 0), 0);
        ASSERT_EQ(kStart, ScrollInfo().nPos);
        for (short nDelta : c.deltas)
            Wheel(nDelta);
        EXPECT_EQ(kStart + c.nPagesDown * kListHeight, ScrollInfo().nPos);
    }
}

INSTANTIATE_TEST_SUITE_P(SystemAndSkinnedBar, WheelTest, ::testing::Bool());

// Real mouse input from a second thread drags the scroll bar's thumb while the
// panel's thread runs the system's tracking loop.
struct ThumbDrag
{
    POINT from;
    int nDistance;
    volatile LONG bDone;
};

void SendMouse(POINT pt, DWORD dwFlags)
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = MulDiv(pt.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = MulDiv(pt.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    input.mi.dwFlags = dwFlags | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
    SendInput(1, &input, sizeof(input));
    Sleep(40);
}

DWORD WINAPI DragThumb(void* pParam)
{
    auto* pDrag = static_cast<ThumbDrag*>(pParam);
    SendMouse(pDrag->from, 0);
    SendMouse(pDrag->from, MOUSEEVENTF_LEFTDOWN);
    const int kSteps = 5;
    POINT pt = pDrag->from;
    for (int i = 1; i <= kSteps; ++i) {
        pt.y = pDrag->from.y + pDrag->nDistance * i / kSteps;
        SendMouse(pt, 0);
    }
    SendMouse(pt, MOUSEEVENTF_LEFTUP);
    InterlockedExchange(&pDrag->bDone, 1);
    return 0;
}

TEST_F(ScrollTest, ThumbDragScrollsToTheTrackedPositionAndTheReleaseKeepsIt)
{
    ASSERT_TRUE(OpenScrollingPanel(24));
    SCROLLBARINFO sbi = {};
    sbi.cbSize = sizeof(sbi);
    ASSERT_TRUE(GetScrollBarInfo(Panel(), OBJID_VSCROLL, &sbi));
    ThumbDrag drag = {{(sbi.rcScrollBar.left + sbi.rcScrollBar.right) / 2,
                       sbi.rcScrollBar.top + (sbi.xyThumbTop + sbi.xyThumbBottom) / 2},
                      60, 0};
    CKernelObjectOwner thread(CreateThread(nullptr, 0, DragThumb, &drag, 0, nullptr));
    ASSERT_TRUE(thread.IsValid());
    bool bDone = m_host.PumpUntil([&] { return drag.bDone != 0; }, 10000);
    WaitForSingleObject(thread, 10000);
    SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 2, GetSystemMetrics(SM_CYSCREEN) - 2);
    m_host.PumpUntilIdle();
    ASSERT_TRUE(bDone);

    int nPos = ScrollInfo().nPos;
    EXPECT_GT(nPos, 0) << "the drag did not move the grid";
    EXPECT_LE(nPos, kLastPosition);
    ExpectClickFollows(nPos);
}

TEST_F(ScrollTest, ReloadKeepsTheScrollPositionClampedToTheNewContent)
{
    ASSERT_TRUE(OpenScrollingPanel(24));
    m_host.PostToPanel(WM_VSCROLL, SB_BOTTOM, 0);
    ASSERT_EQ(kLastPosition, ScrollInfo().nPos);

    // 20 items are 5 rows, 290 pixels: the last position becomes 190.
    m_catalog.Write(NumberedTools(20));
    m_host.PostToPanel(WM_USER + 3, 0, 0);
    SCROLLINFO si = ScrollInfo();
    EXPECT_EQ(290, si.nMax);
    EXPECT_EQ(190, si.nPos);
    ExpectClickFollows(190);

    // A reload that still fits the position keeps it as it is.
    m_host.PostToPanel(WM_VSCROLL, SB_PAGEUP, 0);
    ASSERT_EQ(89, ScrollInfo().nPos);
    m_catalog.Write(NumberedTools(24));
    m_host.PostToPanel(WM_USER + 3, 0, 0);
    EXPECT_EQ(89, ScrollInfo().nPos);
    ExpectClickFollows(89);
}

TEST_F(ScrollTest, WithoutAScrollBarNoMessageMovesTheGrid)
{
    // 8 items are 2 rows, 110 pixels, in a list area 180 high: no scroll bar.
    m_catalog.Write(NumberedTools(8));
    ASSERT_TRUE(OpenPanel());
    ASSERT_EQ(0, ScrollInfo().nMax);
    struct Step
    {
        UINT uMsg;  // WM_VSCROLL or WM_MOUSEWHEEL
        int nValue; // scroll code, or wheel delta
    };
    const Step steps[] = {{WM_VSCROLL, SB_BOTTOM}, {WM_VSCROLL, SB_LINEDOWN}, {WM_VSCROLL, SB_PAGEDOWN},
                          {WM_VSCROLL, SB_THUMBTRACK}, {WM_MOUSEWHEEL, -120}, {WM_VSCROLL, SB_TOP},
                          {WM_VSCROLL, SB_LINEUP}, {WM_MOUSEWHEEL, 120}};
    for (const Step& step : steps) {
        SCOPED_TRACE(testing::Message() << (step.uMsg == WM_VSCROLL ? "WM_VSCROLL " : "WM_MOUSEWHEEL ") << step.nValue);
        // Thirty times: a drift of a pixel per message would show.
        POINT pt = m_skin.ItemCentre(0);
        ClientToScreen(Panel(), &pt);
        WPARAM wParam = step.uMsg == WM_VSCROLL ? MAKEWPARAM(step.nValue, 0) : MAKEWPARAM(0, step.nValue);
        LPARAM lParam = step.uMsg == WM_VSCROLL ? 0 : MAKELPARAM(pt.x, pt.y);
        for (int i = 0; i < 30; ++i)
            PostMessageW(Panel(), step.uMsg, wParam, lParam);
        m_host.PumpUntilIdle();
        EXPECT_EQ(0, ScrollInfo().nPos);
        WindowPixels pixels(Panel());
        POINT ptCorner = m_skin.ItemCorner(0);
        EXPECT_TRUE(PixelIs(pixels, {ptCorner.x + 1, ptCorner.y + 1}, TestSkin::kItemFrames[0]));
        ExpectClickFollows(0);
    }
}

} // namespace
