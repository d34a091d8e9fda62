// Message maps: typed handlers, chaining from a derived class's map to its
// base's, command routing through OnCommand, and Default().
#include "FrameworkTestSupport.h"
#include <gtest/gtest.h>

namespace {

// Handlers append "<class>.<handler> <arguments>" to m_log.
class CMapBaseWnd : public CWnd
{
public:
    CString m_log;

protected:
    void Log(const wchar_t* pszFormat, ...)
    {
        CString line;
        va_list args;
        va_start(args, pszFormat);
        line.FormatV(pszFormat, args);
        va_end(args);
        if (!m_log.IsEmpty())
            m_log += L"|";
        m_log += line;
    }

    void OnLButtonDown(UINT nFlags, CPoint point) { Log(L"base.down %u %d %d", nFlags, point.x, point.y); }
    BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt)
    {
        Log(L"base.wheel %u %d %d %d", nFlags, zDelta, pt.x, pt.y);
        return TRUE;
    }
    void OnSize(UINT nType, int cx, int cy) { Log(L"base.size %u %d %d", nType, cx, cy); }
    LRESULT OnUserOne(WPARAM wParam, LPARAM lParam)
    {
        Log(L"base.user %d %d", static_cast<int>(wParam), static_cast<int>(lParam));
        return 42;
    }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CMapBaseWnd, CWnd)
    ON_WM_LBUTTONDOWN()
    ON_WM_MOUSEWHEEL()
    ON_WM_SIZE()
    ON_MESSAGE(WM_USER + 1, &CMapBaseWnd::OnUserOne)
END_MESSAGE_MAP()

class CMapDerivedWnd : public CMapBaseWnd
{
protected:
    void OnLButtonDown(UINT nFlags, CPoint point)
    {
        Log(L"derived.down %u %d %d", nFlags, point.x, point.y);
        CMapBaseWnd::OnLButtonDown(nFlags, point);
    }
    void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
    {
        Log(L"derived.vscroll %u %u %s", nSBCode, nPos, pScrollBar ? L"bar" : L"own");
    }
    void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
    {
        Log(L"derived.hscroll %u %u %s", nSBCode, nPos, pScrollBar ? L"bar" : L"own");
    }
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) { Log(L"derived.keydown %u %u %u", nChar, nRepCnt, nFlags); }
    void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags) { Log(L"derived.keyup %u %u %u", nChar, nRepCnt, nFlags); }
    void OnLButtonDblClk(UINT nFlags, CPoint point) { Log(L"derived.dblclk %u %d %d", nFlags, point.x, point.y); }
    BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
    {
        Log(L"derived.setcursor %s %u %u", pWnd == this ? L"self" : L"other", nHitTest, message);
        return FALSE;
    }
    BOOL OnEraseBkgnd(CDC* pDC)
    {
        Log(L"derived.erase %s", pDC && pDC->GetSafeHdc() == m_hDCExpected ? L"dc" : L"wrong-dc");
        return TRUE;
    }
    UINT OnGetDlgCode() { Log(L"derived.dlgcode"); return DLGC_WANTARROWS; }
    void OnMouseLeave() { Log(L"derived.leave"); }
    void OnSysCommand(UINT nID, LPARAM lParam) { Log(L"derived.syscommand %x %d", nID, static_cast<int>(lParam)); }
    void OnMouseMove(UINT nFlags, CPoint point) { Log(L"derived.move %u %d %d", nFlags, point.x, point.y); }
    void OnLButtonUp(UINT nFlags, CPoint point) { Log(L"derived.up %u %d %d", nFlags, point.x, point.y); }

public:
    HDC m_hDCExpected = nullptr;

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CMapDerivedWnd, CMapBaseWnd)
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_MOUSEMOVE()
    ON_WM_VSCROLL()
    ON_WM_HSCROLL()
    ON_WM_KEYDOWN()
    ON_WM_KEYUP()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_SETCURSOR()
    ON_WM_ERASEBKGND()
    ON_WM_GETDLGCODE()
    ON_WM_MOUSELEAVE()
    ON_WM_SYSCOMMAND()
END_MESSAGE_MAP()

} // namespace

TEST(MessageMap, TypedHandlersAlongTheChain)
{
    CMapDerivedWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, L"map", WS_POPUP, 0, 0, 120, 80, nullptr, nullptr));
    HDC hdc = ::GetDC(wnd.m_hWnd);
    wnd.m_hDCExpected = hdc;
    // A scroll-bar control, for the messages that name the bar that sent them.
    HWND hBar = ::CreateWindowExW(0, L"SCROLLBAR", nullptr, WS_CHILD | SBS_HORZ, 0, 60, 120, 16, wnd.m_hWnd,
                                  nullptr, ::GetModuleHandleW(nullptr), nullptr);

    struct Case
    {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
        const wchar_t* log;
        LRESULT result;
    };
    const Case cases[] = {
        // Derived handler first, which calls its base explicitly; negative client coordinates.
        { WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, MAKELPARAM(-3, 40), L"derived.down 5 -3 40|base.down 5 -3 40", 0 },
        { WM_LBUTTONUP, 0, MAKELPARAM(7, 8), L"derived.up 0 7 8", 0 },
        { WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(65535, 2), L"derived.move 1 -1 2", 0 },
        // Only the base maps these: the derived map chains to it.
        { WM_MOUSEWHEEL, MAKEWPARAM(MK_CONTROL, static_cast<WORD>(-240)), MAKELPARAM(300, 200),
          L"base.wheel 8 -240 300 200", TRUE },
        { WM_SIZE, SIZE_RESTORED, MAKELPARAM(640, 480), L"base.size 0 640 480", 0 },
        { WM_USER + 1, 7, 9, L"base.user 7 9", 42 },
        { WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 37), 0, L"derived.vscroll 5 37 own", 0 },
        { WM_HSCROLL, MAKEWPARAM(SB_LINEDOWN, 0), 1, L"derived.hscroll 1 0 bar", 0 },
        { WM_KEYDOWN, VK_RETURN, MAKELPARAM(3, 0x001C), L"derived.keydown 13 3 28", 0 },
        { WM_KEYUP, VK_SPACE, MAKELPARAM(1, 0xC039), L"derived.keyup 32 1 49209", 0 },
        { WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(4, 5), L"derived.dblclk 1 4 5", 0 },
        // FALSE without Default(): the cursor is reported as not set.
        { WM_SETCURSOR, 0, MAKELPARAM(HTCLIENT, WM_MOUSEMOVE), L"derived.setcursor self 1 512", FALSE },
        { WM_ERASEBKGND, 0, 0, L"derived.erase dc", TRUE },
        { WM_GETDLGCODE, 0, 0, L"derived.dlgcode", DLGC_WANTARROWS },
        { WM_MOUSELEAVE, 0, 0, L"derived.leave", 0 },
        { WM_SYSCOMMAND, SC_MINIMIZE, 0, L"derived.syscommand f020 0", 0 },
    };
    for (const Case& c : cases) {
        wnd.m_log.Empty();
        WPARAM wParam = c.message == WM_SETCURSOR ? reinterpret_cast<WPARAM>(wnd.m_hWnd)
                      : c.message == WM_ERASEBKGND ? reinterpret_cast<WPARAM>(hdc) : c.wParam;
        LPARAM lParam = c.message == WM_HSCROLL ? reinterpret_cast<LPARAM>(hBar) : c.lParam;
        LRESULT result = wnd.SendMessage(c.message, wParam, lParam);
        EXPECT_STREQ(c.log, wnd.m_log.GetString()) << "message " << std::hex << c.message;
        EXPECT_EQ(c.result, result) << "message " << std::hex << c.message;
    }
    EXPECT_FALSE(wnd.IsIconic()) << "the handler did not pass SC_MINIMIZE on";
    ::ReleaseDC(wnd.m_hWnd, hdc);
}

namespace {

const UINT kSwallowedId = 200;

// OnCommand sees every WM_COMMAND first and keeps kSwallowedId for itself.
class CCommandWnd : public CWnd
{
public:
    CString m_log;

    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        Append(L"virtual");
        if (LOWORD(wParam) == kSwallowedId)
            return TRUE;
        return CWnd::OnCommand(wParam, lParam);
    }
    void Append(const wchar_t* psz)
    {
        if (!m_log.IsEmpty())
            m_log += L"|";
        m_log += psz;
    }

protected:
    void OnFirst() { Append(L"map.first"); }
    void OnSwallowed() { Append(L"map.swallowed"); }
    void OnClicked() { Append(L"map.clicked"); }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CCommandWnd, CWnd)
    ON_COMMAND(100, &CCommandWnd::OnFirst)
    ON_COMMAND(kSwallowedId, &CCommandWnd::OnSwallowed)
    ON_BN_CLICKED(300, &CCommandWnd::OnClicked)
END_MESSAGE_MAP()

// A control whose object sees the notifications reflected by its parent.
class CNotifiedButton : public CButton
{
public:
    CCommandWnd* m_pParentLog = nullptr;
    BOOL m_bEat = FALSE;

    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override
    {
        if (message == WM_COMMAND)
            m_pParentLog->Append(m_bEat ? L"child.eaten" : L"child.seen");
        return m_bEat;
    }
};

} // namespace

TEST(MessageMap, CommandsGoThroughOnCommandThenTheMap)
{
    CCommandWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, L"commands", WS_POPUP, 0, 0, 120, 80, nullptr, nullptr));
    CNotifiedButton button;
    button.m_pParentLog = &wnd;
    ASSERT_TRUE(button.Create(L"b", WS_VISIBLE, CRect(0, 0, 30, 20), &wnd, 300));
    LPARAM lButton = reinterpret_cast<LPARAM>(button.m_hWnd);

    struct Case
    {
        WPARAM wParam;
        LPARAM lParam;
        BOOL bEat;
        const wchar_t* log;
        LRESULT result;
    };
    const Case cases[] = {
        { MAKEWPARAM(100, 0), 0, FALSE, L"virtual|map.first", 1 },
        { MAKEWPARAM(100, 1), 0, FALSE, L"virtual|map.first", 1 }, // accelerator
        { MAKEWPARAM(kSwallowedId, 0), 0, FALSE, L"virtual", 1 },
        { MAKEWPARAM(999, 0), 0, FALSE, L"virtual", 0 },            // no entry: default processing
        { MAKEWPARAM(300, BN_CLICKED), lButton, FALSE, L"virtual|child.seen|map.clicked", 1 },
        { MAKEWPARAM(300, BN_CLICKED), lButton, TRUE, L"virtual|child.eaten", 1 },
        { MAKEWPARAM(300, BN_SETFOCUS), lButton, FALSE, L"virtual|child.seen", 0 }, // other code: no entry
    };
    for (const Case& c : cases) {
        wnd.m_log.Empty();
        button.m_bEat = c.bEat;
        LRESULT result = wnd.SendMessage(WM_COMMAND, c.wParam, c.lParam);
        EXPECT_STREQ(c.log, wnd.m_log.GetString()) << "wParam " << std::hex << c.wParam;
        EXPECT_EQ(c.result, result) << "wParam " << std::hex << c.wParam;
    }
}

namespace {

// Handlers that call the base with other arguments, or send another message
// to the window first, before the default processing.
class CDefaultWnd : public CWnd
{
public:
    LRESULT m_nestedResult = 0;

protected:
    void OnSize(UINT nType, int cx, int cy) { CWnd::OnSize(nType, cx + 5, cy + 5); }
    void OnLButtonDown(UINT nFlags, CPoint point)
    {
        m_nestedResult = SendMessage(kAskRecordingProc, 1, 2);
        CWnd::OnLButtonDown(nFlags, CPoint(0, 0));
    }
    LRESULT OnAsk(WPARAM, LPARAM) { return Default(); }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDefaultWnd, CWnd)
    ON_WM_SIZE()
    ON_WM_LBUTTONDOWN()
    ON_MESSAGE(kAskRecordingProc, &CDefaultWnd::OnAsk)
END_MESSAGE_MAP()

} // namespace

TEST(MessageMap, DefaultPassesTheOriginalMessageOn)
{
    CDefaultWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, RecordingClassName(), L"default", WS_POPUP, 0, 0, 120, 80, nullptr, nullptr));
    g_superCalls.clear();

    wnd.SendMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(50, 60));
    auto sizes = SuperCallsOf(wnd.m_hWnd, WM_SIZE);
    ASSERT_EQ(1u, sizes.size());
    EXPECT_EQ(MAKELPARAM(50, 60), sizes[0].lParam) << "Default ignores the handler's arguments";

    // A message handled in between does not disturb the outer one.
    g_superCalls.clear();
    wnd.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(11, 22));
    ASSERT_EQ(2u, g_superCalls.size());
    EXPECT_EQ(kAskRecordingProc, g_superCalls[0].message);
    EXPECT_EQ(2, g_superCalls[0].lParam);
    EXPECT_EQ(static_cast<UINT>(WM_LBUTTONDOWN), g_superCalls[1].message);
    EXPECT_EQ(static_cast<WPARAM>(MK_LBUTTON), g_superCalls[1].wParam);
    EXPECT_EQ(MAKELPARAM(11, 22), g_superCalls[1].lParam);
    // Default's result is that of the window's own procedure.
    EXPECT_EQ(kRecordingAnswer, wnd.m_nestedResult);
}
