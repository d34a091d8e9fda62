// The skinned dialog base: window set-up from the skin, background painting
// (ordinary and layered), caption dragging and the reserved control IDs.
#include <gtest/gtest.h>
#include "DialogTestSupport.h"
#include "TestSkinDlg.h"

namespace {

const Gdiplus::ARGB kRed = 0xFFFF0000;
const Gdiplus::ARGB kGreen = 0xFF00FF00;
const Gdiplus::ARGB kBlue = 0xFF0000FF;
const Gdiplus::ARGB kYellow = 0xFFFFFF00;
const Gdiplus::ARGB kWhite = 0xFFFFFFFF;

CSize WindowSize(HWND hWnd)
{
    RECT rc;
    GetWindowRect(hWnd, &rc);
    return CSize(rc.right - rc.left, rc.bottom - rc.top);
}

LOGFONTW DialogFont(const TestSkinDlg& dlg)
{
    LOGFONTW lf = {};
    EXPECT_EQ(static_cast<int>(sizeof(lf)), GetObjectW(dlg.m_font.GetSafeHandle(), sizeof(lf), &lf));
    return lf;
}

} // namespace

TEST(DialogBase, RunTimeClassIsNamedAndNotCreatable)
{
    CRuntimeClass* pClass = RUNTIME_CLASS(CKdCommonDlg);
    EXPECT_STREQ("CKdCommonDlg", pClass->m_lpszClassName);
    EXPECT_TRUE(pClass->IsDerivedFrom(RUNTIME_CLASS(CDialog)));
    EXPECT_EQ(nullptr, pClass->CreateObject());
}

TEST(DialogBase, WindowTakesSizeTitleIconAndFontFromSkin)
{
    SkinFolder folder;
    WriteIconFile(folder.Image(L"app.ico"), RGB(0, 0, 255));
    struct Case
    {
        DWORD dwAddStyle;
        const wchar_t* pszFontSize;
        const wchar_t* pszWeight; // null: absent
        const wchar_t* pszCharSet;
        LONG nHeight;
        LONG nWeight;
        BYTE nCharSet;
    };
    const Case cases[] = {
        {0, L"12", nullptr, nullptr, -12, 0, 0},
        {WS_CAPTION, L"0X10", L"700", L"134", 0, 700, 134},
        {0, L"20px", L"400", L"390", -20, 400, 134}, // leading digits only; character set's low 8 bits
    };
    for (const Case& c : cases) {
        Attributes info = {{L"SheetSize", L"300, 200"}, {L"Title", L"Skinned title"}, {L"Icon", L"app.ico"},
                           {L"FontName", L"DejaVu Sans"}, {L"FontSize", c.pszFontSize}};
        if (c.pszWeight)
            info.push_back({L"FontWeight", c.pszWeight});
        if (c.pszCharSet)
            info.push_back({L"FontCharSet", c.pszCharSet});
        ScopedDialog dlg(folder.WriteSkin(L"size.xml", info), c.dwAddStyle);
        SCOPED_TRACE(c.pszFontSize);

        CSize expected(300, 200);
        if (c.dwAddStyle & WS_CAPTION) {
            expected.cx += 2 * GetSystemMetrics(SM_CXDLGFRAME);
            expected.cy += 2 * GetSystemMetrics(SM_CYDLGFRAME) + GetSystemMetrics(SM_CYCAPTION);
        }
        EXPECT_EQ(expected, WindowSize(dlg->m_hWnd));
        CString strTitle;
        dlg->GetWindowText(strTitle);
        EXPECT_STREQ(L"Skinned title", strTitle);

        HICON hIcon = dlg->m_hIcon.Get();
        ASSERT_NE(nullptr, hIcon);
        EXPECT_EQ(reinterpret_cast<LRESULT>(hIcon), dlg->SendMessage(WM_GETICON, ICON_BIG));
        EXPECT_EQ(reinterpret_cast<LRESULT>(hIcon), dlg->SendMessage(WM_GETICON, ICON_SMALL));

        LOGFONTW lf = DialogFont(*dlg);
        EXPECT_EQ(c.nHeight, lf.lfHeight);
        EXPECT_EQ(c.nWeight, lf.lfWeight);
        EXPECT_EQ(c.nCharSet, lf.lfCharSet);
        EXPECT_STREQ(L"DejaVu Sans", lf.lfFaceName);
    }
}

TEST(DialogBase, IconThatFailsToLoadLeavesNoIcon)
{
    SkinFolder folder;
    ScopedDialog dlg(folder.WriteSkin(L"noicon.xml", {{L"SheetSize", L"120,80"}, {L"Icon", L"missing.ico"}}));
    EXPECT_EQ(nullptr, dlg->m_hIcon.Get());
    EXPECT_EQ(0, dlg->SendMessage(WM_GETICON, ICON_BIG));
    EXPECT_EQ(0, dlg->SendMessage(WM_GETICON, ICON_SMALL));
    CSize expected(120, 80);
    EXPECT_EQ(expected, WindowSize(dlg->m_hWnd));
}

TEST(DialogBase, FaceColouredSheetWhenBackgroundImageIsMissing)
{
    SkinFolder folder;
    ScopedDialog dlg(folder.WriteSkin(L"face.xml", {{L"SheetSize", L"300,200"}, {L"BackBmp", L"missing.png"}}));
    ASSERT_TRUE(dlg->m_pBackBitmap);
    EXPECT_EQ(300u, dlg->m_pBackBitmap->Width());
    EXPECT_EQ(200u, dlg->m_pBackBitmap->Height());

    Canvas canvas(320, 220, kRed);
    canvas.Paint(dlg->m_hWnd, WM_ERASEBKGND);
    Gdiplus::ARGB face = OpaqueArgb(GetSysColor(COLOR_BTNFACE));
    for (POINT pt : {POINT{0, 0}, POINT{150, 100}, POINT{299, 199}})
        EXPECT_TRUE(RgbNear(face, canvas.At(pt.x, pt.y))) << pt.x << "," << pt.y << " " << std::hex << canvas.At(pt.x, pt.y);
    // The sheet is exactly the sheet size: the canvas beyond it stays untouched.
    EXPECT_EQ(kRed, canvas.At(300, 100));
    EXPECT_EQ(kRed, canvas.At(150, 200));
}

TEST(DialogBase, BackgroundImageIsPaintedByEraseAndPaint)
{
    SkinFolder folder;
    WritePng(folder.Image(L"back.png"), 200, 100,
             {{{0, 0, 100, 50}, kRed}, {{100, 0, 200, 50}, kGreen}, {{0, 50, 100, 100}, kBlue}, {{100, 50, 200, 100}, kYellow}});
    ScopedDialog dlg(folder.WriteSkin(L"back.xml", {{L"SheetSize", L"200,100"}, {L"BackBmp", L"back.png"}}));
    Canvas canvas(200, 100, kWhite);
    canvas.Paint(dlg->m_hWnd, WM_ERASEBKGND);
    EXPECT_EQ(kRed, canvas.At(10, 10));
    EXPECT_EQ(kGreen, canvas.At(190, 10));
    EXPECT_EQ(kBlue, canvas.At(10, 90));
    EXPECT_EQ(kYellow, canvas.At(190, 90));

    // The window's own paint shows the same picture on screen.
    dlg.ShowAt(400, 300);
    RedrawWindow(dlg->m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
    PumpMessages();
    EXPECT_TRUE(RgbNear(kRed, ScreenPixel(410, 310)));
    EXPECT_TRUE(RgbNear(kYellow, ScreenPixel(590, 390)));
}

TEST(DialogBase, LayeredWindowShowsBackgroundWithOpacity)
{
    SkinFolder folder;
    // Opaque white, half-transparent white and fully transparent columns.
    WritePng(folder.Image(L"layer.png"), 90, 30,
             {{{0, 0, 30, 30}, kWhite}, {{30, 0, 60, 30}, 0x80FFFFFF}});
    struct Case
    {
        const wchar_t* pszAlpha; // null: absent
        int nOpaque;             // expected grey level of the opaque column on screen
    };
    const Case cases[] = {{L"100", 255}, {L"50", 127}, {L"150", 255}, {L"0", 0}, {nullptr, 0}};
    for (const Case& c : cases) {
        Attributes info = {{L"SheetSize", L"90,30"}, {L"BackBmp", L"layer.png"}, {L"IsLayerWnd", L"1"}};
        if (c.pszAlpha)
            info.push_back({L"AlpahValue", c.pszAlpha});
        SCOPED_TRACE(c.pszAlpha ? c.pszAlpha : L"absent");
        ScopedDialog dlg(folder.WriteSkin(L"layer.xml", info));
        EXPECT_TRUE(dlg->GetExStyle() & WS_EX_LAYERED);
        EXPECT_EQ(1, dlg->m_nDrawBackground);
        dlg.ShowAt(200, 600);
        EXPECT_EQ(1, dlg->LoadBackground());
        PumpMessages();

        // The bitmap handed to UpdateLayeredWindow carries per-pixel alpha.
        ASSERT_EQ(90, dlg->m_nLastDrawnWidth);
        ASSERT_EQ(90u * 30u, dlg->m_lastDrawn.size());
        EXPECT_EQ(0xFFu, dlg->m_lastDrawn[15 * 90 + 10] >> 24);
        EXPECT_NEAR(0x80, static_cast<int>(dlg->m_lastDrawn[15 * 90 + 45] >> 24), 1);
        EXPECT_EQ(0x00u, dlg->m_lastDrawn[15 * 90 + 75] >> 24);

        // On screen each column is the picture blended with the overall opacity.
        int nOpaque = c.nOpaque;
        int nHalf = c.nOpaque * 0x80 / 255;
        EXPECT_NEAR(nOpaque, static_cast<int>(ScreenPixel(210, 615) & 0xFF), 2);
        EXPECT_NEAR(nHalf, static_cast<int>(ScreenPixel(245, 615) & 0xFF), 2);
        EXPECT_EQ(0u, ScreenPixel(275, 615) & 0xFFFFFF);
    }
}

TEST(DialogBase, NoLayeredUpdateWhileMinimised)
{
    SkinFolder folder;
    WritePng(folder.Image(L"layer.png"), 60, 40, {{{0, 0, 60, 40}, kWhite}});
    CString strSkin = folder.WriteSkin(
        L"min.xml", {{L"SheetSize", L"60,40"}, {L"BackBmp", L"layer.png"}, {L"IsLayerWnd", L"1"}, {L"AlpahValue", L"100"}});

    ScopedDialog dlg(strSkin, 0, TRUE);
    ASSERT_TRUE(dlg->IsIconic());
    EXPECT_EQ(0, dlg->m_nDrawBackground);
    EXPECT_FALSE(dlg->GetExStyle() & WS_EX_LAYERED);
    EXPECT_EQ(1, dlg->LoadBackground());
    EXPECT_EQ(0, dlg->UpdateLayered(100));
    EXPECT_EQ(0, dlg->m_nDrawBackground);
    EXPECT_FALSE(dlg->GetExStyle() & WS_EX_LAYERED);

    dlg->ShowWindow(SW_RESTORE);
    int nDrawn = dlg->m_nDrawBackground;
    EXPECT_EQ(1, dlg->UpdateLayered(100));
    EXPECT_EQ(nDrawn + 1, dlg->m_nDrawBackground);
    EXPECT_TRUE(dlg->GetExStyle() & WS_EX_LAYERED);
}

TEST(DialogBase, CaptionBandStartsMovesOnlyInsideIt)
{
    SkinFolder folder;
    struct Case
    {
        const wchar_t* pszDrag;
        const wchar_t* pszBand; // null: absent
        int y;
        BOOL bChild;
        bool bMoves;
    };
    const Case cases[] = {
        {L"1", nullptr, 9000, FALSE, true},  // no band given: 10000 pixels
        {L"1", L"0", 10000, FALSE, true},
        {L"1", L"0", 10001, FALSE, false},
        {L"1", L"40", 40, FALSE, true},
        {L"1", L"40", 41, FALSE, false},
        {L"0", L"40", 5, FALSE, false},
        {L"1", L"40", 5, TRUE, false},       // a child dialog never moves
    };
    for (const Case& c : cases) {
        Attributes info = {{L"SheetSize", L"100,60"}, {L"IsDrag", c.pszDrag}};
        if (c.pszBand)
            info.push_back({L"CaptionHeight", c.pszBand});
        ScopedDialog dlg(folder.WriteSkin(L"drag.xml", info));
        if (c.bChild)
            dlg->ModifyStyle(WS_POPUP, WS_CHILD);
        SCOPED_TRACE(testing::Message() << "band " << (c.pszBand ? c.pszBand : L"-") << " y " << c.y);

        dlg->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(7, c.y));
        // The move request is taken from the queue before it is dispatched.
        MSG msg = {};
        bool bPosted = PeekMessageW(&msg, dlg->m_hWnd, WM_NCLBUTTONDOWN, WM_NCLBUTTONDOWN, PM_REMOVE) != FALSE;
        EXPECT_EQ(c.bMoves, bPosted);
        if (bPosted) {
            EXPECT_EQ(static_cast<WPARAM>(HTCAPTION), msg.wParam);
            EXPECT_EQ(MAKELPARAM(7, c.y), msg.lParam);
        }
        if (c.bChild)
            dlg->ModifyStyle(WS_CHILD, WS_POPUP);
    }
}

TEST(DialogBase, ReservedIdentifiersRunDialogActions)
{
    SkinFolder folder;
    const wchar_t* ids[] = {L"close", L"IdOk", L"IDCANCEL", L"idYes", L"IDNO", L"Minimize", L"Other"};
    std::vector<Attributes> controls;
    for (const wchar_t* pszID : ids)
        controls.push_back({{L"ID", pszID}, {L"ControlType", L"2"}, {L"Pos", L"0,0,20,20"}});
    CString strSkin = folder.WriteSkin(L"ids.xml", {{L"SheetSize", L"100,60"}}, controls);

    struct Case
    {
        int nIndex;
        const wchar_t* pszAction; // recorded virtual action, or null
        bool bVisible;
        bool bIconic;
    };
    const Case cases[] = {
        {0, L"OnCancel", false, false}, {1, L"OnOK", false, false}, {2, L"OnCancel", false, false},
        {3, nullptr, false, false},     {4, nullptr, false, false}, {5, nullptr, true, true},
        {6, nullptr, true, false},
    };
    for (const Case& c : cases) {
        ScopedDialog dlg(strSkin);
        dlg.ShowAt(300, 300);
        SCOPED_TRACE(ids[c.nIndex]);
        // Any notification code counts, not only a click.
        WPARAM wParam = MAKEWPARAM(0x100 + c.nIndex, c.nIndex % 2 ? BN_CLICKED : BN_DOUBLECLICKED);
        dlg->SendMessage(WM_COMMAND, wParam, reinterpret_cast<LPARAM>(dlg.Control(c.nIndex)));
        PumpMessages();
        ASSERT_EQ(1u, dlg->m_commands.size());
        EXPECT_STREQ(ids[c.nIndex], dlg->m_commands[0]);
        EXPECT_EQ(c.pszAction ? 1u : 0u, dlg->m_actions.size());
        if (c.pszAction && !dlg->m_actions.empty()) {
            EXPECT_STREQ(c.pszAction, dlg->m_actions[0]);
        }
        EXPECT_EQ(c.bVisible, dlg->IsWindowVisible() != FALSE);
        EXPECT_EQ(c.bIconic, dlg->IsIconic() != FALSE);
    }
}

TEST(DialogBase, CommandHookAndInheritedHandling)
{
    SkinFolder folder;
    std::vector<Attributes> controls;
    for (const wchar_t* pszID : {L"CLOSE", L"A", L"B", L"C", L"D", L"E", L"F"})
        controls.push_back({{L"ID", pszID}, {L"ControlType", L"2"}, {L"Pos", L"0,0,20,20"}});
    ScopedDialog dlg(folder.WriteSkin(L"hook.xml", {{L"SheetSize", L"100,60"}}, controls));
    ASSERT_EQ(7, dlg->m_arrDynamicItems.GetSize());
    dlg.ShowAt(300, 300);

    // A hook answering 0 handles the command itself: the dialog stays open.
    dlg->m_nCommandResult = 0;
    SendMessageW(dlg.Control(0), BM_CLICK, 0, 0);
    PumpMessages();
    ASSERT_EQ(1u, dlg->m_commands.size());
    EXPECT_STREQ(L"CLOSE", dlg->m_commands[0]);
    EXPECT_TRUE(dlg->m_actions.empty());
    EXPECT_TRUE(dlg->IsWindowVisible());

    // Identifiers outside the descriptions go to the inherited handling.
    dlg->SendMessage(WM_COMMAND, MAKEWPARAM(TestSkinDlg::kBelowSkinControlsID, 0), 0);
    dlg->SendMessage(WM_COMMAND, MAKEWPARAM(TestSkinDlg::kPastSkinControlsID, 0), 0);
    EXPECT_EQ(1u, dlg->m_commands.size());
    ASSERT_EQ(2u, dlg->m_actions.size());
    EXPECT_STREQ(L"255", dlg->m_actions[0]);
    EXPECT_STREQ(L"263", dlg->m_actions[1]);

    // The dialog's own IDOK still reaches OnOK through the inherited map.
    dlg->SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    ASSERT_EQ(3u, dlg->m_actions.size());
    EXPECT_STREQ(L"OnOK", dlg->m_actions[2]);
}

namespace {

// What the controls looked like as their windows went away.
HWND g_hDestroyedDialog = nullptr;
std::vector<Gdiplus::ARGB> g_seenAtDestroy; // one pixel of each child, painted at its WM_DESTROY
bool g_bFontAliveAtDestroy = false;
HFONT g_hDialogFont = nullptr;

LRESULT CALLBACK WatchDestroy(int nCode, WPARAM wParam, LPARAM lParam)
{
    const auto* pMsg = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (nCode == HC_ACTION && pMsg->message == WM_DESTROY) {
        if (pMsg->hwnd == g_hDestroyedDialog) {
            g_bFontAliveAtDestroy = GetObjectType(g_hDialogFont) == OBJ_FONT;
        } else if (GetParent(pMsg->hwnd) == g_hDestroyedDialog) {
            Canvas canvas(20, 10, 0xFF000000);
            canvas.Paint(pMsg->hwnd, WM_ERASEBKGND);
            g_seenAtDestroy.push_back(canvas.At(5, 5));
        }
    }
    return CallNextHookEx(nullptr, nCode, wParam, lParam);
}

} // namespace

TEST(DialogBase, DeletingTheObjectDestroysItsWindowWhileTheControlsStillHaveTheirBackground)
{
    SkinFolder folder;
    WritePng(folder.Image(L"back.png"), 100, 60, {{{0, 0, 100, 60}, kGreen}});
    auto* pDlg = new TestSkinDlg(folder.WriteSkin(
        L"order.xml", {{L"SheetSize", L"100,60"}, {L"BackBmp", L"back.png"}, {L"FontSize", L"12"}},
        {{{L"ID", L"L"}, {L"ControlType", L"1"}, {L"Pos", L"0,0,20,10"}},
         {{L"ID", L"B"}, {L"ControlType", L"2"}, {L"Pos", L"30,0,20,10"}}}));
    ASSERT_TRUE(pDlg->CreateFromTemplate());
    g_hDestroyedDialog = pDlg->m_hWnd;
    g_hDialogFont = static_cast<HFONT>(pDlg->m_font.GetSafeHandle());
    g_seenAtDestroy.clear();
    g_bFontAliveAtDestroy = false;
    HHOOK hHook = SetWindowsHookExW(WH_CALLWNDPROC, WatchDestroy, nullptr, GetCurrentThreadId());
    delete pDlg; // its window still exists
    UnhookWindowsHookEx(hHook);
    EXPECT_TRUE(g_bFontAliveAtDestroy) << "the font was released before the window";
    EXPECT_EQ(std::vector<Gdiplus::ARGB>(2, kGreen), g_seenAtDestroy) << "the controls lost the background first";
}

TEST(DialogBase, EraseWithoutADeviceContextErasesNothing)
{
    SkinFolder folder;
    WritePng(folder.Image(L"back.png"), 100, 60, {{{0, 0, 100, 60}, kGreen}});
    for (const wchar_t* pszLayered : {L"0", L"1"}) {
        SCOPED_TRACE(testing::Message() << "IsLayerWnd " << CString(pszLayered).ToAnsi());
        ScopedDialog dlg(folder.WriteSkin(
            L"erase.xml", {{L"SheetSize", L"100,60"}, {L"BackBmp", L"back.png"}, {L"IsLayerWnd", pszLayered}},
            {{{L"ID", L"L"}, {L"ControlType", L"1"}, {L"Pos", L"0,0,20,10"}},
             {{L"ID", L"B"}, {L"ControlType", L"2"}, {L"Pos", L"30,0,20,10"}}}));
        for (HWND hWnd : {dlg->m_hWnd, dlg.Control(0), dlg.Control(1)})
            EXPECT_EQ(0, SendMessageW(hWnd, WM_ERASEBKGND, 0, 0));
        Canvas canvas(100, 60, kWhite);
        canvas.Paint(dlg.Control(0), WM_ERASEBKGND);
        EXPECT_EQ(kGreen, canvas.At(5, 5)) << "a device context is still painted";
    }
}
