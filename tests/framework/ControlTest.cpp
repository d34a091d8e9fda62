// Controls: owner-drawn buttons reached through reflection, check state,
// tooltips, and painting through CPaintDC.
#include "FrameworkTestSupport.h"
#include <gtest/gtest.h>

namespace {

const COLORREF kParentColour = RGB(0, 128, 255);
const COLORREF kButtonColour = RGB(255, 0, 0);

// Fills its client area in one colour.
class CPaintedWnd : public CWnd
{
protected:
    void OnPaint()
    {
        CPaintDC dc(this);
        CRect rc;
        GetClientRect(&rc);
        dc.FillSolidRect(&rc, kParentColour);
    }
    BOOL OnEraseBkgnd(CDC*) { return TRUE; }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CPaintedWnd, CWnd)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

// Makes itself owner-drawn while it is being created, as skinned buttons do,
// and paints itself in one colour.
class COwnerDrawnButton : public CButton
{
public:
    int m_nDraws = 0;
    DRAWITEMSTRUCT m_lastDraw = {};

    void PreSubclassWindow() override
    {
        ModifyStyle(0, BS_OWNERDRAW);
        CButton::PreSubclassWindow();
    }
    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override
    {
        ++m_nDraws;
        m_lastDraw = *lpDrawItemStruct;
        CDC* pDC = CDC::FromHandle(lpDrawItemStruct->hDC);
        pDC->FillSolidRect(&lpDrawItemStruct->rcItem, kButtonColour);
    }
};

COLORREF ScreenPixel(CWnd& wnd, int x, int y)
{
    CClientDC dc(&wnd);
    return dc.GetPixel(x, y);
}

} // namespace

TEST(Controls, OwnerDrawnButtonDrawsThroughReflection)
{
    CPaintedWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, nullptr, L"owner draw", WS_POPUP, 20, 20, 200, 100, nullptr, nullptr));
    parent.ShowWindow(SW_SHOWNA);
    COwnerDrawnButton button;
    ASSERT_TRUE(button.Create(L"Go", WS_VISIBLE | BS_PUSHBUTTON, CRect(10, 10, 90, 40), &parent, 300));
    EXPECT_EQ(static_cast<UINT>(BS_OWNERDRAW), button.GetButtonStyle());
    parent.UpdateWindow();
    button.UpdateWindow();
    PumpMessages();

    ASSERT_GT(button.m_nDraws, 0);
    EXPECT_EQ(button.m_hWnd, button.m_lastDraw.hwndItem);
    EXPECT_EQ(300u, button.m_lastDraw.CtlID);
    EXPECT_EQ(static_cast<UINT>(ODT_BUTTON), button.m_lastDraw.CtlType);
    EXPECT_EQ(kButtonColour, ScreenPixel(button, 5, 5));
    EXPECT_EQ(kParentColour, ScreenPixel(parent, 150, 70));

    // A plain check box keeps the window's own drawing and check state.
    CButton check;
    ASSERT_TRUE(check.Create(L"Check", WS_VISIBLE | BS_AUTOCHECKBOX, CRect(100, 10, 190, 30), &parent, 301));
    EXPECT_EQ(static_cast<UINT>(BS_AUTOCHECKBOX), check.GetButtonStyle());
    EXPECT_EQ(BST_UNCHECKED, check.GetCheck());
    check.SetCheck(BST_CHECKED);
    EXPECT_EQ(BST_CHECKED, check.GetCheck());
}

namespace {

CString ToolText(HWND hTip, HWND hOwner, UINT_PTR uId)
{
    wchar_t szText[256] = {};
    TOOLINFOW ti = {};
    ti.cbSize = TTTOOLINFOW_V2_SIZE;
    ti.hwnd = hOwner;
    ti.uId = uId;
    ti.lpszText = szText;
    ::SendMessageW(hTip, TTM_GETTEXTW, 256, reinterpret_cast<LPARAM>(&ti));
    return CString(szText);
}

TOOLINFOW ToolInfo(HWND hTip, HWND hOwner, UINT_PTR uId)
{
    TOOLINFOW ti = {};
    ti.cbSize = TTTOOLINFOW_V2_SIZE;
    ti.hwnd = hOwner;
    ti.uId = uId;
    ::SendMessageW(hTip, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&ti));
    return ti;
}

} // namespace

TEST(Controls, ToolTipToolsByWindowAndByRectangle)
{
    CWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, nullptr, L"tips", WS_POPUP, 0, 0, 200, 100, nullptr, nullptr));
    CButton button;
    ASSERT_TRUE(button.Create(L"b", WS_VISIBLE, CRect(0, 0, 40, 20), &parent, 10));

    CToolTipCtrl tip;
    ASSERT_TRUE(tip.Create(&parent));
    wchar_t szClass[64] = {};
    ::GetClassNameW(tip.m_hWnd, szClass, 64);
    EXPECT_EQ(0, _wcsicmp(szClass, TOOLTIPS_CLASSW));
    EXPECT_TRUE(tip.GetStyle() & WS_POPUP);
    EXPECT_EQ(parent.m_hWnd, ::GetWindow(tip.m_hWnd, GW_OWNER));
    EXPECT_EQ(&tip, CWnd::FromHandlePermanent(tip.m_hWnd));

    // The window form: the tool is the control, known to its parent by its handle.
    EXPECT_TRUE(tip.AddTool(&button, L"First tip"));
    CRect area(50, 0, 100, 50);
    EXPECT_TRUE(tip.AddTool(&parent, L"Area tip", &area, 7));
    EXPECT_EQ(2, tip.SendMessage(TTM_GETTOOLCOUNT));
    EXPECT_STREQ(L"First tip", ToolText(tip.m_hWnd, parent.m_hWnd, reinterpret_cast<UINT_PTR>(button.m_hWnd)).GetString());
    EXPECT_STREQ(L"Area tip", ToolText(tip.m_hWnd, parent.m_hWnd, 7).GetString());
    UINT_PTR uButton = reinterpret_cast<UINT_PTR>(button.m_hWnd);
    EXPECT_TRUE(ToolInfo(tip.m_hWnd, parent.m_hWnd, uButton).uFlags & TTF_IDISHWND);
    TOOLINFOW areaInfo = ToolInfo(tip.m_hWnd, parent.m_hWnd, 7);
    EXPECT_FALSE(areaInfo.uFlags & TTF_IDISHWND);
    EXPECT_EQ(area, areaInfo.rect);

    tip.UpdateTipText(L"Second tip", &button);
    tip.UpdateTipText(L"Other area", &parent, 7);
    EXPECT_STREQ(L"Second tip", ToolText(tip.m_hWnd, parent.m_hWnd, reinterpret_cast<UINT_PTR>(button.m_hWnd)).GetString());
    EXPECT_STREQ(L"Other area", ToolText(tip.m_hWnd, parent.m_hWnd, 7).GetString());

    tip.SetMaxTipWidth(150);
    EXPECT_EQ(150, tip.SendMessage(TTM_GETMAXTIPWIDTH));
}

TEST(Controls, WindowOperationsOnRealWindows)
{
    CWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, nullptr, L"ops", WS_POPUP | WS_VSCROLL, 100, 50, 300, 200, nullptr, nullptr));
    CStatic label;
    ASSERT_TRUE(label.Create(L"text", WS_VISIBLE, CRect(0, 0, 60, 20), &parent, 42));
    EXPECT_EQ(42, label.GetDlgCtrlID());
    EXPECT_EQ(&parent, label.GetParent());
    EXPECT_EQ(&label, parent.GetDlgItem(42));
    EXPECT_EQ(&label, parent.GetWindow(GW_CHILD));

    // Placement and coordinates.
    label.MoveWindow(10, 20, 50, 30);
    CRect rcLabel;
    label.GetWindowRect(&rcLabel);
    parent.ScreenToClient(&rcLabel);
    EXPECT_EQ(CRect(10, 20, 60, 50), rcLabel);
    CPoint pt(0, 0);
    label.ClientToScreen(&pt);
    parent.ScreenToClient(&pt);
    EXPECT_EQ(CPoint(10, 20), pt);

    // Styles: FALSE when nothing changes.
    EXPECT_TRUE(label.ModifyStyle(0, SS_CENTER));
    EXPECT_TRUE(label.GetStyle() & SS_CENTER);
    EXPECT_FALSE(label.ModifyStyle(0, SS_CENTER));
    EXPECT_TRUE(label.ModifyStyleEx(0, WS_EX_TRANSPARENT));
    EXPECT_FALSE(label.ModifyStyleEx(0, WS_EX_TRANSPARENT));
    EXPECT_TRUE(label.GetExStyle() & WS_EX_TRANSPARENT);

    // Text, font, enabling.
    label.SetWindowText(L"renamed");
    CString text;
    label.GetWindowText(text);
    EXPECT_STREQ(L"renamed", text.GetString());
    CFont font;
    ASSERT_TRUE(font.CreateFont(-14, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Arial"));
    label.SetFont(&font);
    EXPECT_EQ(font.GetSafeHandle(), label.GetFont()->GetSafeHandle());
    label.EnableWindow(FALSE);
    EXPECT_FALSE(label.IsWindowEnabled());

    // The window's own scroll bar.
    SCROLLINFO si = {};
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    si.nMax = 100;
    si.nPage = 10;
    si.nPos = 30;
    parent.SetScrollInfo(SB_VERT, &si);
    EXPECT_EQ(30, parent.GetScrollPos(SB_VERT));
    SCROLLINFO read = {};
    ASSERT_TRUE(parent.GetScrollInfo(SB_VERT, &read));
    EXPECT_EQ(100, read.nMax);
    EXPECT_EQ(10u, read.nPage);
}
