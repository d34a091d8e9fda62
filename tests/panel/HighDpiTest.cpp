// The panel at display scales from 100 % to 200 %. A process reads its DPI
// once, so each DPI runs in a child process of its own (CDpiChild): there the
// window, the grid's cells, hit testing and screen-reader locations follow
// the scale, the item strip's variant for the scale is drawn, and the default
// skin keeps its four columns. The 144-DPI child also shows that an unaware
// host gets an unscaled panel, and leaves its scrolled panel's state for the
// 96-DPI child, which sends WM_DPICHANGED to a scrolled panel made at 96 and
// compares the two.
#include <algorithm>
#include <cstring>
#include "AccessFixture.h"
#include "support/CDpiChild.h"
#include "support/CTempFolder.h"
#include "support/TestFiles.h"
#include "support/WindowPixels.h"
#include "framework/CClientDC.h"

namespace {

const int kBaseDpi = 96;
const int kReferenceDpi = 144;
const int kTools = 30;
const wchar_t kReferenceFile[] = L"panel-144.bin";
// The strip's variants, each with colours of its own: normal, hover, pressed, unused.
const Gdiplus::ARGB kFrames15[4] = {0xFF2080E0, 0xFFE0E080, 0xFF802020, 0xFF404040};
const Gdiplus::ARGB kFrames2[4] = {0xFF20E080, 0xFFE080E0, 0xFF208020, 0xFF505050};

struct DpiRow
{
    int nDpi;
    const Gdiplus::ARGB* pFrames; // the frames of the variant drawn at this DPI
};
// 144 first: the 96-DPI child compares against the panel it leaves.
const DpiRow kDpiRows[] = {{144, kFrames15}, {96, TestSkin::kItemFrames}, {120, kFrames15}, {192, kFrames2}};

// What a scrolled panel shows, as one child leaves it for another.
struct PanelState
{
    std::vector<int> numbers; // window size, scroll position, then each item's cell (client coordinates)
    std::vector<DWORD> listPixels;

    std::string Bytes() const
    {
        int nNumbers = static_cast<int>(numbers.size());
        std::string strBytes(reinterpret_cast<const char*>(&nNumbers), sizeof(int));
        strBytes.append(reinterpret_cast<const char*>(numbers.data()), numbers.size() * sizeof(int));
        strBytes.append(reinterpret_cast<const char*>(listPixels.data()), listPixels.size() * sizeof(DWORD));
        return strBytes;
    }
    static PanelState FromBytes(const std::string& strBytes)
    {
        PanelState state;
        int nNumbers = 0;
        if (strBytes.size() < sizeof(int))
            return state;
        std::memcpy(&nNumbers, strBytes.data(), sizeof(int));
        size_t cbNumbers = static_cast<size_t>(nNumbers) * sizeof(int);
        if (nNumbers < 0 || strBytes.size() < sizeof(int) + cbNumbers)
            return state;
        state.numbers.resize(static_cast<size_t>(nNumbers));
        std::memcpy(state.numbers.data(), strBytes.data() + sizeof(int), cbNumbers);
        state.listPixels.resize((strBytes.size() - sizeof(int) - cbNumbers) / sizeof(DWORD));
        std::memcpy(state.listPixels.data(), strBytes.data() + sizeof(int) + cbNumbers,
                    state.listPixels.size() * sizeof(DWORD));
        return state;
    }
};

class HighDpiChild : public AccessFixture
{
protected:
    // round(v * dpi / 96), for the test skin's lengths (none is negative).
    int Scaled(int v) const { return (v * m_nDpi + 48) / 96; }

    // Item nItem's cell in client coordinates, the grid scrolled to nScrollPos:
    // the list area's edges, the item size and the spacing each scaled once.
    RECT Cell(int nItem, int nScrollPos = 0) const
    {
        RECT rcList = m_skin.ListArea();
        int x = Scaled(rcList.left) + nItem % TestSkin::kColumns * (Scaled(TestSkin::kItemW) + Scaled(TestSkin::kSpacing));
        int y = Scaled(rcList.top) + nItem / TestSkin::kColumns * (Scaled(TestSkin::kItemH) + Scaled(TestSkin::kSpacing)) -
                nScrollPos;
        return {x, y, x + Scaled(TestSkin::kItemW), y + Scaled(TestSkin::kItemH)};
    }
    // The list area in client coordinates.
    RECT ListRect() const
    {
        RECT rc = m_skin.ListArea();
        return {Scaled(rc.left), Scaled(rc.top), Scaled(rc.right), Scaled(rc.bottom)};
    }
    static POINT Centre(const RECT& rc) { return {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2}; }
    RECT OnScreen(RECT rc) const
    {
        MapWindowPoints(Panel(), nullptr, reinterpret_cast<POINT*>(&rc), 2);
        return rc;
    }
    static SIZE WindowSize(HWND hWnd)
    {
        RECT rc = {};
        GetWindowRect(hWnd, &rc);
        return {rc.right - rc.left, rc.bottom - rc.top};
    }

    void WriteStripVariants() const
    {
        CString strImages = m_host.Folder() + L"Config\\Default\\";
        WriteFramesPng(strImages + L"Item@1.5x.png", 90, 75, kFrames15, 4);
        WriteFramesPng(strImages + L"Item@2x.png", 120, 100, kFrames2, 4);
    }
    void ScrollOnePage()
    {
        m_host.PostToPanel(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), 0);
    }
    PanelState Capture()
    {
        PanelState state;
        SIZE size = WindowSize(Panel());
        state.numbers = {size.cx, size.cy, ScrollInfo().nPos};
        PanelAccessible access(Panel());
        POINT ptOrigin = {0, 0};
        ClientToScreen(Panel(), &ptOrigin);
        for (LONG nId = 1; nId <= kTools; ++nId) {
            RECT rc = access.Location(nId);
            state.numbers.insert(state.numbers.end(), {rc.left - ptOrigin.x, rc.top - ptOrigin.y,
                                                       rc.right - ptOrigin.x, rc.bottom - ptOrigin.y});
        }
        RECT rcList = ListRect();
        WindowPixels pixels(Panel());
        for (int y = rcList.top; y < rcList.bottom; ++y)
            for (int x = rcList.left; x < rcList.right; ++x)
                state.listPixels.push_back(pixels.At(x, y));
        return state;
    }

    void ExpectScaledPanel(const DpiRow& row);
    void LeaveReference();
    void ExpectDpiChangeMatchesReference();
    void ExpectDefaultSkinHasFourColumns();
    void ExpectUnawareHostGetsUnscaledPanel();

    int m_nDpi = CDpiChild::RequestedDpi();
};

void HighDpiChild::ExpectScaledPanel(const DpiRow& row)
{
    EXPECT_EQ(Scaled(320), WindowSize(Panel()).cx);
    EXPECT_EQ(Scaled(240), WindowSize(Panel()).cy);
    {
        WindowPixels pixels(Panel());
        for (int nItem : {0, 5}) {
            SCOPED_TRACE(nItem);
            RECT rc = Cell(nItem);
            EXPECT_TRUE(PixelIs(pixels, {rc.left + 2, rc.top + 2}, row.pFrames[0]));
            EXPECT_TRUE(PixelIs(pixels, {rc.right - 3, rc.top + 2}, row.pFrames[0]));
            EXPECT_TRUE(PixelIs(pixels, {rc.right + 1, rc.top + 2}, TestSkin::kListBack));
            EXPECT_TRUE(PixelIs(pixels, {rc.left + 2, rc.bottom + 1}, TestSkin::kListBack));
        }
    }
    MoveMouse(Centre(Cell(1)));
    EXPECT_TRUE(PixelIs(WindowPixels(Panel()), {Cell(1).left + 2, Cell(1).top + 2}, row.pFrames[1]));
    Click(Centre(Cell(2)));
    EXPECT_EQ(std::vector<CString>{L"tool2"}, m_catalog.StartedTools());
    PanelAccessible access(Panel());
    EXPECT_TRUE(RectIs(access.Location(7), OnScreen(Cell(6))));
}

void HighDpiChild::LeaveReference()
{
    ScrollOnePage();
    WriteFileBytes(CDpiChild::SharedFolder() + kReferenceFile, Capture().Bytes());
}

void HighDpiChild::ExpectDpiChangeMatchesReference()
{
    ScrollOnePage();
    int nFirstRow = ScrollInfo().nPos / (TestSkin::kItemH + TestSkin::kSpacing);
    ASSERT_GT(nFirstRow, 0);
    RECT rcWindow = {};
    GetWindowRect(Panel(), &rcWindow);
    RECT rcSuggested = {rcWindow.left, rcWindow.top, rcWindow.left + 320 * kReferenceDpi / kBaseDpi,
                        rcWindow.top + 240 * kReferenceDpi / kBaseDpi};
    SendMessageW(Panel(), WM_DPICHANGED, MAKEWPARAM(kReferenceDpi, kReferenceDpi), reinterpret_cast<LPARAM>(&rcSuggested));
    m_host.PumpUntilIdle();

    m_nDpi = kReferenceDpi; // the expected geometry is the reference's from here on
    EXPECT_EQ(nFirstRow * (Scaled(TestSkin::kItemH) + Scaled(TestSkin::kSpacing)), ScrollInfo().nPos);
    PanelState reference = PanelState::FromBytes(ReadFileBytes(CDpiChild::SharedFolder() + kReferenceFile));
    ASSERT_FALSE(reference.numbers.empty()) << "the 144-DPI child left no panel";
    PanelState changed = Capture();
    EXPECT_EQ(reference.numbers, changed.numbers);
    ASSERT_EQ(reference.listPixels.size(), changed.listPixels.size());
    size_t nDiffering = 0;
    for (size_t i = 0; i < changed.listPixels.size(); ++i)
        nDiffering += changed.listPixels[i] != reference.listPixels[i] ? 1 : 0;
    EXPECT_EQ(0u, nDiffering) << "of " << changed.listPixels.size() << " list pixels";
    m_nDpi = CDpiChild::RequestedDpi();
}

void HighDpiChild::ExpectDefaultSkinHasFourColumns()
{
    ModuleHost host;
    CopyFolderTree(ProgramFolder() + L"Config\\", host.Folder() + L"Config\\");
    ASSERT_TRUE(host.Load());
    HWND hPanel = host.Enter();
    ASSERT_TRUE(IsWindow(hPanel));
    host.ShowPanel();
    std::vector<RECT> cells;
    {
        PanelAccessible access(hPanel); // released before the module goes
        for (LONG nId = 1; nId <= 5; ++nId)
            cells.push_back(access.Location(nId));
    }
    for (size_t i = 1; i < 4; ++i) {
        EXPECT_EQ(cells[0].top, cells[i].top) << i;
        EXPECT_GT(cells[i].left, cells[i - 1].left) << i;
    }
    EXPECT_EQ(cells[0].left, cells[4].left);
    EXPECT_GT(cells[4].top, cells[0].top);
    host.Unload();
}

void HighDpiChild::ExpectUnawareHostGetsUnscaledPanel()
{
    using SetContextFn = HANDLE(WINAPI*)(HANDLE);
    auto pSetContext = reinterpret_cast<SetContextFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "SetThreadDpiAwarenessContext")));
    ASSERT_TRUE(pSetContext);
    const HANDLE kUnaware = reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-1));
    ModuleHost host;
    SkinWriter(host.Folder()).Write();
    ASSERT_TRUE(host.Load());
    HANDLE hPrevious = pSetContext(kUnaware);
    ASSERT_TRUE(hPrevious);
    HWND hPanel = host.Enter();
    pSetContext(hPrevious);
    ASSERT_TRUE(IsWindow(hPanel));
    host.ShowPanel();
    EXPECT_EQ(320, WindowSize(hPanel).cx);
    EXPECT_EQ(240, WindowSize(hPanel).cy);
    host.Unload();
}

TEST_F(HighDpiChild, PanelFollowsItsScale)
{
    if (m_nDpi == 0)
        GTEST_SKIP() << "runs in the child processes of HighDpi.PanelAtEveryScale";
    CDpiChild::ReportStarted();
    {
        CClientDC screen(nullptr);
        ASSERT_EQ(m_nDpi, GetDeviceCaps(screen.GetSafeHdc(), LOGPIXELSX));
    }
    const DpiRow* pRow = std::find_if(std::begin(kDpiRows), std::end(kDpiRows),
                                      [this](const DpiRow& row) { return row.nDpi == m_nDpi; });
    ASSERT_NE(std::end(kDpiRows), pRow);
    m_skin.Write();
    WriteStripVariants();
    m_catalog.Write(NumberedTools(kTools));
    ASSERT_TRUE(OpenPanel());
    ExpectScaledPanel(*pRow);
    if (m_nDpi == kReferenceDpi)
        LeaveReference();
    else if (m_nDpi == kBaseDpi)
        ExpectDpiChangeMatchesReference();
    m_host.Unload();
    ExpectDefaultSkinHasFourColumns();
    if (m_nDpi == kReferenceDpi)
        ExpectUnawareHostGetsUnscaledPanel();
}

TEST(HighDpi, PanelAtEveryScale)
{
    CTempFolder shared(L"dpi");
    for (const DpiRow& row : kDpiRows) {
        SCOPED_TRACE(row.nDpi);
        std::string strOutput;
        EXPECT_EQ(0, CDpiChild::Run(row.nDpi, L"HighDpiChild.*", shared.Path(), strOutput)) << strOutput;
        EXPECT_NE(std::string::npos, strOutput.find("[  PASSED  ] 1 test.")) << strOutput;
    }
}

} // namespace
