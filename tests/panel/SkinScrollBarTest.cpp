// A skin's own scroll bar: where it is drawn and how its thumb looks, how the
// mouse drags it, pages with it and loses it, how it hides itself, and how a
// screen reader sees it. The state stays in the window's scroll information,
// so every position is read there.
#include <algorithm>
#include <utility>
#include <vector>
#include "AccessFixture.h"
#include "PanelAccessible.h"
#include "support/CImportPatch.h"
#include "support/WindowPixels.h"

namespace {

// The standard sheet with a list area 101 high, as the scroll tests use: 24
// tools are 350 pixels. The bar spans 44..137 (93 pixels), so its thumb is
// floor(93 * 101 / 350) = 26 long and travels 67 pixels over 250 positions.
const int kListHeight = 101;
const int kLastPosition = 250;
const int kThumbLength = 26;

std::pair<int, int> Span(LONG nFirst, LONG nEnd)
{
    return {static_cast<int>(nFirst), static_cast<int>(nEnd)};
}

LPARAM At(POINT pt)
{
    return MAKELPARAM(pt.x, pt.y);
}

class SkinScrollBarTest : public AccessFixture
{
protected:
    HWND OpenBarPanel(int nTools, bool bAutoHide = false)
    {
        m_skin.SetMargins(10, 40, 30, 240 - 40 - kListHeight);
        m_skin.UseSkinnedScrollBar(bAutoHide);
        m_catalog.Write(NumberedTools(nTools));
        return OpenPanel();
    }

    RECT Bar() const { return m_skin.BarRect(); }
    POINT BarPoint(int y) const { return {(Bar().left + Bar().right) / 2, y}; }

    // The rows of the bar's middle column that show the frame's colour, as
    // [first, last + 1); {0, 0} when none does.
    std::pair<int, int> ThumbRows(Gdiplus::ARGB frame) const
    {
        WindowPixels pixels(Panel());
        std::pair<int, int> rows = {0, 0};
        for (int y = Bar().top; y < Bar().bottom; ++y) {
            if (!PixelIs(pixels, BarPoint(y), frame))
                continue;
            if (rows.second == 0)
                rows.first = y;
            rows.second = y + 1;
        }
        return rows;
    }

    void Send(UINT nMsg, WPARAM wParam, POINT pt) { m_host.PostToPanel(nMsg, wParam, At(pt)); }
    void Press(POINT pt) { Send(WM_LBUTTONDOWN, MK_LBUTTON, pt); }
    void DragTo(POINT pt) { Send(WM_MOUSEMOVE, MK_LBUTTON, pt); }
    void Release(POINT pt) { Send(WM_LBUTTONUP, 0, pt); }
    void Wait(DWORD nMs)
    {
        DWORD nEnd = GetTickCount() + nMs;
        m_host.PumpUntil([&] { return static_cast<LONG>(GetTickCount() - nEnd) >= 0; }, nMs + 1000);
    }
    // The bar's width for the snap-back: at least the system bar's.
    static int SnapWidth() { return std::max(TestSkin::kBarWidth, GetSystemMetrics(SM_CXVSCROLL)); }
};

TEST_F(SkinScrollBarTest, TheBarTakesTheSystemBarsPlaceAndShowsThePosition)
{
    ASSERT_TRUE(OpenBarPanel(24));
    SCROLLINFO si = ScrollInfo();
    EXPECT_EQ(350, si.nMax);
    EXPECT_EQ(static_cast<UINT>(kListHeight), si.nPage);
    RECT rcClient, rcWindow;
    GetClientRect(Panel(), &rcClient);
    GetWindowRect(Panel(), &rcWindow);
    EXPECT_EQ(rcWindow.right - rcWindow.left, rcClient.right) << "the system's bar took room";

    const int nEnd = TestSkin::kTrackEndRows;
    struct Case
    {
        int nScrollCode;
        int nPos;
        int nThumbTop;
        POINT ptTrackEnd; // a row of the track's unstretched end band
        POINT ptTrack;    // a row of its stretched middle
        int nGapY;        // a row between two rows of items
    };
    const Case cases[] = {
        {SB_TOP, 0, Bar().top, BarPoint(Bar().bottom - nEnd), BarPoint(Bar().bottom - nEnd - 1), 95},
        {SB_BOTTOM, kLastPosition, Bar().bottom - kThumbLength, BarPoint(Bar().top + nEnd - 1),
         BarPoint(Bar().top + nEnd), 85},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.nPos);
        m_host.PostToPanel(WM_VSCROLL, MAKEWPARAM(c.nScrollCode, 0), 0);
        ASSERT_EQ(c.nPos, ScrollInfo().nPos);
        EXPECT_EQ(Span(c.nThumbTop, c.nThumbTop + kThumbLength), ThumbRows(TestSkin::kThumbFrames[0]));
        WindowPixels pixels(Panel());
        EXPECT_TRUE(PixelIs(pixels, c.ptTrackEnd, TestSkin::kTrackEnd));
        EXPECT_TRUE(PixelIs(pixels, c.ptTrack, TestSkin::kTrack));
        // The grid narrowed by the bar and its inset; the inset shows the sheet.
        EXPECT_TRUE(PixelIs(pixels, {Bar().left - 1, c.nGapY}, TestSkin::kListBack));
        EXPECT_TRUE(PixelIs(pixels, {Bar().right, c.nGapY}, TestSkin::kPanelBack));
        EXPECT_TRUE(PixelIs(pixels, BarPoint(Bar().bottom), TestSkin::kPanelBack));
    }
}

TEST_F(SkinScrollBarTest, TheThumbShowsHoverAndPressAndTheGridLosesItsHover)
{
    ASSERT_TRUE(OpenBarPanel(24));
    POINT ptThumb = BarPoint(Bar().top + kThumbLength / 2);
    POINT ptItem = m_skin.ItemCentre(3), ptFrame = m_skin.ItemCorner(3);
    ptFrame.x += 2;
    ptFrame.y += 2;
    struct Step
    {
        const char* pszWhat;
        UINT nMsg;
        POINT pt;
        Gdiplus::ARGB thumb;
        Gdiplus::ARGB itemFrame;
    };
    const Step steps[] = {
        {"hover the item", WM_MOUSEMOVE, ptItem, TestSkin::kThumbFrames[0], TestSkin::kItemFrames[1]},
        {"hover the thumb", WM_MOUSEMOVE, ptThumb, TestSkin::kThumbFrames[1], TestSkin::kItemFrames[0]},
        {"press it", WM_LBUTTONDOWN, ptThumb, TestSkin::kThumbFrames[2], TestSkin::kItemFrames[0]},
        {"release it", WM_LBUTTONUP, ptThumb, TestSkin::kThumbFrames[1], TestSkin::kItemFrames[0]},
        {"back to the item", WM_MOUSEMOVE, ptItem, TestSkin::kThumbFrames[0], TestSkin::kItemFrames[1]},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.pszWhat);
        Send(step.nMsg, step.nMsg == WM_LBUTTONDOWN ? MK_LBUTTON : 0, step.pt);
        WindowPixels pixels(Panel());
        EXPECT_TRUE(PixelIs(pixels, ptThumb, step.thumb));
        EXPECT_TRUE(PixelIs(pixels, ptFrame, step.itemFrame));
    }
    EXPECT_EQ(0, ScrollInfo().nPos);
}

TEST_F(SkinScrollBarTest, TenThousandToolsGiveTheMinimumThumbAtBothEnds)
{
    ASSERT_TRUE(OpenBarPanel(10000));
    const int kMinLength = 24; // the default
    EXPECT_EQ(Span(Bar().top, Bar().top + kMinLength), ThumbRows(TestSkin::kThumbFrames[0]));
    m_host.PostToPanel(WM_VSCROLL, MAKEWPARAM(SB_BOTTOM, 0), 0);
    EXPECT_EQ(Span(Bar().bottom - kMinLength, Bar().bottom), ThumbRows(TestSkin::kThumbFrames[0]));
}

TEST_F(SkinScrollBarTest, AnAutoHidingBarOverlaysTheGridWhilePointedAtOrJustScrolled)
{
    ASSERT_TRUE(OpenBarPanel(24, true));
    POINT ptThumb = BarPoint(Bar().top + kThumbLength / 2);
    auto Shown = [&] { return ThumbRows(TestSkin::kThumbFrames[0]).second != 0; };
    // Hidden, the grid keeps the list area's full width: the list shows under the bar.
    EXPECT_FALSE(Shown());
    EXPECT_TRUE(PixelIs(WindowPixels(Panel()), ptThumb, TestSkin::kListBack));
    MoveMouse(m_skin.ItemCentre(0));
    EXPECT_TRUE(Shown());
    m_host.PostToPanel(WM_MOUSELEAVE, 0, 0);
    EXPECT_FALSE(Shown());
    m_host.PostToPanel(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), 0);
    ASSERT_EQ(kListHeight, ScrollInfo().nPos);
    EXPECT_TRUE(Shown()) << "a scroll shows the bar";
    Wait(1500);
    EXPECT_FALSE(Shown()) << "a second after the scroll the bar hides";
    EXPECT_TRUE(PixelIs(WindowPixels(Panel()), BarPoint(Bar().top + 40), TestSkin::kListBack));
}

TEST_F(SkinScrollBarTest, IncrementalPaintsEqualAFullRepaintAfterBarInput)
{
    ASSERT_TRUE(OpenBarPanel(40));
    POINT ptThumb = BarPoint(Bar().top + 10);
    struct Step
    {
        const char* pszWhat;
        UINT nMsg;
        WPARAM wParam;
        POINT pt;
    };
    const Step steps[] = {
        {"hover the thumb", WM_MOUSEMOVE, 0, ptThumb},
        {"press the thumb", WM_LBUTTONDOWN, MK_LBUTTON, ptThumb},
        {"drag down", WM_MOUSEMOVE, MK_LBUTTON, BarPoint(Bar().top + 50)},
        {"drag further", WM_MOUSEMOVE, MK_LBUTTON, BarPoint(Bar().top + 70)},
        {"release", WM_LBUTTONUP, 0, BarPoint(Bar().top + 70)},
        {"press the track above", WM_LBUTTONDOWN, MK_LBUTTON, BarPoint(Bar().top + 2)},
        {"release the track", WM_LBUTTONUP, 0, BarPoint(Bar().top + 2)},
        {"wheel down", WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), {0, 0}},
        {"hover an item", WM_MOUSEMOVE, 0, m_skin.ItemCentre(2)},
        {"wheel up", WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), {0, 0}},
    };
    RECT rcList = m_skin.ListArea();
    int nLastPos = -1;
    for (const Step& step : steps) {
        SCOPED_TRACE(step.pszWhat);
        Send(step.nMsg, step.wParam, step.pt);
        WindowPixels incremental(Panel());
        RedrawWindow(Panel(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        EXPECT_EQ("", PixelDifference(incremental, WindowPixels(Panel()), rcList));
        nLastPos = ScrollInfo().nPos;
    }
    EXPECT_GT(nLastPos, 0) << "the steps moved the grid";
}

TEST_F(SkinScrollBarTest, ADragFollowsThePointerSnapsBackFarAwayAndReachesTheLastRow)
{
    ASSERT_TRUE(OpenBarPanel(24));
    const int w = SnapWidth();
    POINT ptGrab = BarPoint(Bar().top + 10);
    Press(ptGrab);
    struct Step
    {
        const char* pszWhat;
        POINT pt;
        int nPos;
    };
    // The thumb's top at 40 pixels of 67 is position floor(40 * 250 / 67).
    const Step steps[] = {
        {"down by 40", {ptGrab.x, ptGrab.y + 40}, 149},
        {"just within 8 widths to the left", {Bar().left - 8 * w, ptGrab.y + 40}, 149},
        {"beyond 8 widths to the left", {Bar().left - 8 * w - 1, ptGrab.y + 40}, 0},
        {"back near the bar", {ptGrab.x + 20, ptGrab.y + 40}, 149},
        {"just within 2 widths below", {ptGrab.x, Bar().bottom - 1 + 2 * w}, kLastPosition},
        {"beyond 2 widths below", {ptGrab.x, Bar().bottom + 2 * w}, 0},
        {"below the end, near", {ptGrab.x, Bar().bottom + 5}, kLastPosition},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.pszWhat);
        DragTo(step.pt);
        EXPECT_EQ(step.nPos, ScrollInfo().nPos);
    }
    Release({ptGrab.x, Bar().bottom + 5});
    EXPECT_EQ(kLastPosition, ScrollInfo().nPos) << "the release keeps the position";
    // The last row is drawn where the position puts it.
    Click(m_skin.ItemCentre(23, kLastPosition));
    EXPECT_EQ(std::vector<CString>{L"tool23"}, m_catalog.StartedTools());
}

TEST_F(SkinScrollBarTest, AHeldTrackPressRepeatsUntilTheThumbIsUnderThePointer)
{
    // 40 tools: 590 pixels, positions 0 to 490; the thumb is the minimum 24
    // long and travels 69 pixels. Under y = top + 76 it stops after 4 pages.
    ASSERT_TRUE(OpenBarPanel(40));
    POINT ptPress = BarPoint(Bar().top + 76);
    Press(ptPress);
    EXPECT_EQ(kListHeight, ScrollInfo().nPos) << "the press pages at once";
    EXPECT_TRUE(m_host.PumpUntil([&] { return ScrollInfo().nPos == 4 * kListHeight; }, 3000))
        << "stopped at " << ScrollInfo().nPos;
    Wait(300);
    EXPECT_EQ(4 * kListHeight, ScrollInfo().nPos) << "the thumb is under the pointer: no more pages";
    Release(ptPress);
    // A press above pages up once and stops when released before the repeat.
    Press(BarPoint(Bar().top + 1));
    Release(BarPoint(Bar().top + 1));
    Wait(300);
    EXPECT_EQ(3 * kListHeight, ScrollInfo().nPos);
}

TEST_F(SkinScrollBarTest, ADragEndsWhereItIsWhenTheCaptureIsLost)
{
    ASSERT_TRUE(OpenBarPanel(24));
    POINT ptGrab = BarPoint(Bar().top + 10);
    Press(ptGrab);
    DragTo({ptGrab.x, ptGrab.y + 40});
    ASSERT_EQ(149, ScrollInfo().nPos);
    ASSERT_EQ(Panel(), GetCapture());
    SetCapture(m_host.HostWindow()); // another window takes the mouse
    m_host.PumpUntilIdle();
    ReleaseCapture();
    DragTo({ptGrab.x, ptGrab.y + 60});
    Release({ptGrab.x, ptGrab.y + 60});
    EXPECT_EQ(149, ScrollInfo().nPos);
    // The thumb is no longer pressed (the pointer is over it: hot).
    MoveMouse({ptGrab.x, Bar().top + 1});
    EXPECT_EQ(0, ThumbRows(TestSkin::kThumbFrames[2]).second);
}

TEST_F(SkinScrollBarTest, ScreenReadersSeeAVerticalScrollBarWithFiveParts)
{
    ASSERT_TRUE(OpenBarPanel(24));
    auto ToScreen = [&](RECT rc) {
        MapWindowPoints(Panel(), HWND_DESKTOP, reinterpret_cast<POINT*>(&rc), 2);
        return rc;
    };
    PanelAccessible bar(Panel(), OBJID_VSCROLL);
    ASSERT_EQ(S_OK, bar.Result());
    EXPECT_EQ(ROLE_SYSTEM_SCROLLBAR, bar.Role(CHILDID_SELF));
    EXPECT_EQ(CString(L"Vertical"), bar.Name(CHILDID_SELF));
    EXPECT_EQ(0, bar.State(CHILDID_SELF));
    EXPECT_EQ(5, bar.ChildCount());
    EXPECT_TRUE(RectIs(bar.Location(CHILDID_SELF), ToScreen(Bar())));

    m_host.PostToPanel(WM_VSCROLL, MAKEWPARAM(SB_PAGEDOWN, 0), 0); // position 101: 40 % of 250
    const int nThumbTop = Bar().top + 67 * 101 / kLastPosition;
    const RECT& b = Bar();
    struct Part
    {
        LONG nRole;
        RECT rc;
        bool bInvisible;
    };
    const Part parts[] = {
        {ROLE_SYSTEM_PUSHBUTTON, {b.left, b.top, b.left, b.top}, true},
        {ROLE_SYSTEM_PUSHBUTTON, {b.left, b.top, b.right, nThumbTop}, false},
        {ROLE_SYSTEM_INDICATOR, {b.left, nThumbTop, b.right, nThumbTop + kThumbLength}, false},
        {ROLE_SYSTEM_PUSHBUTTON, {b.left, nThumbTop + kThumbLength, b.right, b.bottom}, false},
        {ROLE_SYSTEM_PUSHBUTTON, {b.left, b.bottom, b.left, b.bottom}, true},
    };
    for (LONG nId = 1; nId <= 5; ++nId) {
        SCOPED_TRACE(nId);
        EXPECT_EQ(parts[nId - 1].nRole, bar.Role(nId));
        EXPECT_TRUE(RectIs(bar.Location(nId), ToScreen(parts[nId - 1].rc)));
        EXPECT_EQ(parts[nId - 1].bInvisible, (bar.State(nId) & STATE_SYSTEM_INVISIBLE) != 0);
    }
    EXPECT_EQ(CString(L"40"), bar.Value(CHILDID_SELF));
    m_host.PostToPanel(WM_VSCROLL, MAKEWPARAM(SB_TOP, 0), 0);
    EXPECT_EQ(CString(L"0"), bar.Value(CHILDID_SELF));
    m_host.PostToPanel(WM_VSCROLL, MAKEWPARAM(SB_BOTTOM, 0), 0);
    EXPECT_EQ(CString(L"100"), bar.Value(CHILDID_SELF));
}

UINT_PTR WINAPI FailingSetTimer(HWND, UINT_PTR, UINT, TIMERPROC)
{
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return 0;
}

// Without timers a track press pages once, and an auto-hiding bar stays shown.
TEST_F(SkinScrollBarTest, WithoutTimersAPressPagesOnceAndTheBarStays)
{
    ASSERT_TRUE(OpenBarPanel(40, true));
    CImportPatch patch(GetModuleHandleW(m_host.Folder() + L"Tavrin.dll"), "user32.dll", "SetTimer",
                       reinterpret_cast<void*>(&FailingSetTimer));
    ASSERT_TRUE(patch.IsPatched());
    MoveMouse(m_skin.ItemCentre(0));
    POINT ptPress = BarPoint(Bar().bottom - 2);
    Press(ptPress);
    Wait(400);
    EXPECT_EQ(kListHeight, ScrollInfo().nPos) << "a press without its repeat timer pages once";
    Release(ptPress);
    m_host.PostToPanel(WM_MOUSELEAVE, 0, 0);
    Wait(1300);
    EXPECT_NE(0, ThumbRows(TestSkin::kThumbFrames[0]).second) << "the bar hid without its timer";
}

// The value-change events that the panel raises for its vertical bar.
std::vector<HWND> g_valueChanges;

void CALLBACK RecordValueChange(HWINEVENTHOOK, DWORD, HWND hWnd, LONG idObject, LONG, DWORD, DWORD)
{
    if (idObject == OBJID_VSCROLL)
        g_valueChanges.push_back(hWnd);
}

TEST_F(SkinScrollBarTest, AWheelStepRaisesAValueChangeAndAShortListHidesTheBar)
{
    ASSERT_TRUE(OpenBarPanel(24));
    g_valueChanges.clear();
    HWINEVENTHOOK hHook = SetWinEventHook(EVENT_OBJECT_VALUECHANGE, EVENT_OBJECT_VALUECHANGE, nullptr,
                                          RecordValueChange, GetCurrentProcessId(), GetCurrentThreadId(),
                                          WINEVENT_OUTOFCONTEXT);
    ASSERT_TRUE(hHook);
    m_host.PostToPanel(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), 0);
    m_host.PumpUntilIdle();
    std::vector<HWND> afterStep = g_valueChanges;
    m_host.PostToPanel(WM_MOUSEWHEEL, MAKEWPARAM(0, 30), 0); // short of a notch: no move
    m_host.PumpUntilIdle();
    UnhookWinEvent(hHook);
    ASSERT_FALSE(afterStep.empty()) << "no value change for the step";
    EXPECT_EQ(std::vector<HWND>(afterStep.size(), Panel()), afterStep);
    EXPECT_EQ(afterStep, g_valueChanges) << "a delta short of a notch changed the value";

    // 4 tools fit: the bar is not needed, and screen readers find it invisible.
    m_catalog.Write(NumberedTools(4));
    m_host.PostToPanel(WM_USER + 3, 0, 0);
    PanelAccessible bar(Panel(), OBJID_VSCROLL);
    ASSERT_EQ(S_OK, bar.Result());
    EXPECT_NE(0, bar.State(CHILDID_SELF) & STATE_SYSTEM_INVISIBLE);
    EXPECT_EQ(0, ThumbRows(TestSkin::kThumbFrames[0]).second);
}

} // namespace
