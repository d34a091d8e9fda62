// The windowless list's mouse state machine, notifications and tooltip,
// against a real owner window that records what the list sends it.
#include <functional>
#include <gtest/gtest.h>
#include "ListTestSupport.h"
#include "controls/CKdWindowLessList.h"

namespace {

const UINT kClick = WM_USER + 1, kRedraw = WM_USER + 2;

struct Notification
{
    UINT nMsg;
    CString strItemId; // id of the clicked item, read during the call
    LPARAM lParam;

    bool operator==(const Notification& other) const
    {
        return nMsg == other.nMsg && strItemId == other.strItemId && lParam == other.lParam;
    }
};

std::ostream& operator<<(std::ostream& os, const Notification& n)
{
    return os << (n.nMsg == kClick ? "click " : n.nMsg == kRedraw ? "redraw" : "other ") << n.strItemId.ToAnsi()
              << " " << n.lParam;
}

const Notification kRedrawNote = {kRedraw, L"", 0};
Notification Click(const wchar_t* pszId, LPARAM lParam)
{
    return {kClick, pszId, lParam};
}

// A popup window that records the list's notifications.
class RecordingOwner : public CWnd
{
public:
    RecordingOwner()
    {
        CreateEx(0, nullptr, L"list owner", WS_POPUP | WS_VISIBLE, 0, 0, 300, 200, nullptr, nullptr);
    }
    ~RecordingOwner() override { DestroyWindow(); }

    std::vector<Notification> TakeNotes()
    {
        std::vector<Notification> notes;
        notes.swap(m_notes);
        return notes;
    }

    std::function<void()> m_onClick; // runs inside the click notification

protected:
    LRESULT OnItemClick(WPARAM wParam, LPARAM lParam)
    {
        auto* pItem = reinterpret_cast<_WLL_LIST_CTRL_ITEM*>(wParam);
        m_notes.push_back({kClick, pItem ? pItem->strId : CString(L"(null)"), lParam});
        if (m_onClick)
            m_onClick();
        return 0;
    }
    LRESULT OnListRedraw(WPARAM wParam, LPARAM lParam)
    {
        m_notes.push_back({kRedraw, L"", lParam});
        return 0;
    }
    DECLARE_MESSAGE_MAP()

private:
    std::vector<Notification> m_notes;
};

BEGIN_MESSAGE_MAP(RecordingOwner, CWnd)
    ON_MESSAGE(WM_USER + 1, &RecordingOwner::OnItemClick)
    ON_MESSAGE(WM_USER + 2, &RecordingOwner::OnListRedraw)
END_MESSAGE_MAP()

// The list sits at (10, 40) of the owner, 100 x 60, items 30 x 20 with
// spacings 10 and 5: two columns, item i at column i % 2 and row i / 2.
// One owner window serves every test: destroying a shown window costs Wine
// a long wait for the X server.
class ListMouse : public testing::Test
{
protected:
    static void SetUpTestSuite() { s_pOwner = new RecordingOwner; }
    static void TearDownTestSuite()
    {
        delete s_pOwner;
        s_pOwner = nullptr;
    }
    void SetUp() override
    {
        m_owner.TakeNotes();
        m_owner.m_onClick = nullptr;
        ReleaseCapture();
    }

    void LoadAndFill(CKdWindowLessList& list, SkinEntries extra = {}, int nItems = 8)
    {
        SkinEntries entries = {{L"ListItemSpec", L"30;20;10;5"}};
        entries.insert(entries.end(), extra.begin(), extra.end());
        list.LoadSkin(WriteListSkin(m_folder, entries), kListSection, L"", L"Default");
        list.SetOwner(&m_owner);
        for (int i = 0; i < nItems; ++i) {
            CString strId, strTip;
            strId.Format(L"id%d", i);
            strTip.Format(L"Tip %d", i);
            list.AddItem(strId, L"name", strTip, L"");
        }
        list.m_nLeft = 10;
        list.m_nTop = 40;
        list.m_nWidth = 100;
        list.m_nHeight = 60;
    }

    // Owner client point inside item i (content scrolled by nOffsetY).
    static LPARAM OnItem(int i, int nOffsetY = 0)
    {
        return Point(10 + (i % 2) * 40 + 15, 40 + nOffsetY + (i / 2) * 25 + 10);
    }
    static LPARAM Point(int x, int y)
    {
        return MAKELPARAM(static_cast<WORD>(static_cast<short>(x)), static_cast<WORD>(static_cast<short>(y)));
    }
    static LPARAM InSpacing() { return Point(10 + 35, 40 + 5); } // between columns 0 and 1

    static RecordingOwner* s_pOwner;
    RecordingOwner& m_owner = *s_pOwner;
    CTempFolder m_folder{L"listtest", L"Default"};
};

RecordingOwner* ListMouse::s_pOwner = nullptr;

using Notes = std::vector<Notification>;

} // namespace

TEST_F(ListMouse, ClickGoesToTheItemUnderTheRelease)
{
    CKdWindowLessList list;
    LoadAndFill(list);
    ASSERT_TRUE(m_owner.m_hWnd);
    EXPECT_EQ(kClick, list.m_nMsgClick);
    EXPECT_EQ(kRedraw, list.m_nMsgRedraw);

    EXPECT_TRUE(list.OnMouseMessage(WM_LBUTTONDOWN, OnItem(2)));
    EXPECT_EQ(Notes{kRedrawNote}, m_owner.TakeNotes());
    EXPECT_EQ(2, list.m_nPressed);
    EXPECT_EQ(m_owner.m_hWnd, GetCapture());
    EXPECT_EQ(m_owner.m_hWnd, GetFocus());

    EXPECT_TRUE(list.OnMouseMessage(WM_LBUTTONUP, OnItem(5)));
    EXPECT_EQ((Notes{kRedrawNote, Click(L"id5", 0)}), m_owner.TakeNotes());
    EXPECT_EQ(-1, list.m_nPressed);
    EXPECT_EQ(nullptr, GetCapture());

    // A press beside the items is not consumed; a later release over an item
    // still clicks it.
    EXPECT_FALSE(list.OnMouseMessage(WM_LBUTTONDOWN, InSpacing()));
    EXPECT_EQ(Notes{}, m_owner.TakeNotes());
    EXPECT_EQ(nullptr, GetCapture());
    EXPECT_EQ(-1, list.m_nPressed);
    EXPECT_TRUE(list.OnMouseMessage(WM_LBUTTONUP, OnItem(3)));
    EXPECT_EQ(Notes{Click(L"id3", 0)}, m_owner.TakeNotes());

    // A release beside the items clears the press without a click.
    EXPECT_TRUE(list.OnMouseMessage(WM_LBUTTONDOWN, OnItem(1)));
    EXPECT_FALSE(list.OnMouseMessage(WM_LBUTTONUP, InSpacing()));
    EXPECT_EQ((Notes{kRedrawNote, kRedrawNote}), m_owner.TakeNotes());
    EXPECT_EQ(-1, list.m_nPressed);

    // Other messages are never consumed.
    EXPECT_FALSE(list.OnMouseMessage(WM_RBUTTONDOWN, OnItem(1)));
    EXPECT_EQ(Notes{}, m_owner.TakeNotes());
}

TEST_F(ListMouse, DoubleClickRedrawsThenClicksWithOne)
{
    CKdWindowLessList list;
    LoadAndFill(list);
    EXPECT_TRUE(list.OnMouseMessage(WM_LBUTTONDOWN, OnItem(4)));
    m_owner.TakeNotes();
    EXPECT_TRUE(list.OnMouseMessage(WM_LBUTTONDBLCLK, OnItem(4)));
    EXPECT_EQ((Notes{kRedrawNote, Click(L"id4", 1)}), m_owner.TakeNotes());
    EXPECT_EQ(-1, list.m_nPressed);
    EXPECT_EQ(nullptr, GetCapture());

    EXPECT_FALSE(list.OnMouseMessage(WM_LBUTTONDBLCLK, InSpacing()));
    EXPECT_EQ(Notes{}, m_owner.TakeNotes());
}

TEST_F(ListMouse, HoverFollowsThePointerAndTheLeave)
{
    CKdWindowLessList list;
    LoadAndFill(list);
    struct {
        UINT nMsg;
        LPARAM lParam;
        BOOL bConsumed;
        int nHover;
        size_t nRedraws;
    } steps[] = {
        {WM_MOUSEMOVE, InSpacing(), FALSE, -1, 0},
        {WM_MOUSEMOVE, OnItem(2), TRUE, 2, 1},
        {WM_MOUSEMOVE, OnItem(2) + 3, FALSE, 2, 0}, // moving within the item
        {WM_MOUSEMOVE, OnItem(3), TRUE, 3, 1},
        {WM_MOUSEMOVE, InSpacing(), TRUE, -1, 1},
        {WM_MOUSEMOVE, Point(500, 500), FALSE, -1, 0},
        {WM_MOUSELEAVE, 0, FALSE, -1, 0},
        {WM_MOUSEMOVE, OnItem(0), TRUE, 0, 1},
        {WM_MOUSELEAVE, 0, TRUE, -1, 1},
    };
    int nStep = 0;
    for (const auto& s : steps) {
        SCOPED_TRACE(testing::Message() << "step " << nStep++);
        EXPECT_EQ(s.bConsumed, list.OnMouseMessage(s.nMsg, s.lParam));
        EXPECT_EQ(s.nHover, list.m_nHover);
        EXPECT_EQ(Notes(s.nRedraws, kRedrawNote), m_owner.TakeNotes());
    }
}

TEST_F(ListMouse, ScrolledContentIsHitAboveTheArea)
{
    CKdWindowLessList list;
    LoadAndFill(list);
    list.m_nOffsetY = -50; // rows 0 and 1 scrolled out above
    EXPECT_TRUE(list.OnMouseMessage(WM_MOUSEMOVE, Point(10 + 5, 40 + 5)));
    EXPECT_EQ(4, list.m_nHover);
    EXPECT_TRUE(list.OnMouseMessage(WM_MOUSEMOVE, Point(10 + 5, 40 - 15)));
    EXPECT_EQ(2, list.m_nHover);
    EXPECT_TRUE(list.OnMouseMessage(WM_LBUTTONUP, OnItem(1, -50)));
    EXPECT_EQ(Click(L"id1", 0), m_owner.TakeNotes().back());
}

TEST_F(ListMouse, OwnerMayRefillTheListDuringTheClick)
{
    CKdWindowLessList list;
    LoadAndFill(list);
    m_owner.m_onClick = [&list]() {
        list.DeleteAllItems();
        for (int i = 0; i < 40; ++i)
            list.AddItem(L"new", L"", L"", L"");
    };
    EXPECT_TRUE(list.OnMouseMessage(WM_LBUTTONUP, OnItem(6)));
    EXPECT_EQ(Notes{Click(L"id6", 0)}, m_owner.TakeNotes());
    EXPECT_TRUE(list.OnMouseMessage(WM_LBUTTONDBLCLK, OnItem(1)));
    EXPECT_EQ((Notes{kRedrawNote, Click(L"new", 1)}), m_owner.TakeNotes());
    EXPECT_EQ(40, list.m_arrItems.GetSize());
}

TEST_F(ListMouse, WithoutOwnerNothingIsSent)
{
    CKdWindowLessList list;
    list.LoadSkin(WriteListSkin(m_folder, {{L"ListItemSpec", L"30;20;10;5"}}), kListSection, L"", L"Default");
    list.AddItem(L"a", L"", L"", L"");
    list.m_nWidth = 100;
    list.m_nHeight = 60;
    EXPECT_TRUE(list.OnMouseMessage(WM_LBUTTONDOWN, Point(5, 5)));
    EXPECT_EQ(0, list.m_nPressed);
    EXPECT_EQ(nullptr, GetCapture());
    EXPECT_TRUE(list.OnMouseMessage(WM_MOUSEMOVE, Point(5, 5)));
    EXPECT_TRUE(list.OnMouseMessage(WM_LBUTTONUP, Point(5, 5)));
    EXPECT_EQ(-1, list.m_nPressed);
    EXPECT_EQ(Notes{}, m_owner.TakeNotes());
}

namespace {

struct ToolTipSearch
{
    HWND hOwner;
    int nCount;
};

// Window enumeration callbacks are stdcall on the 32-bit target, which a
// lambda does not convert to, hence a named function.
BOOL CALLBACK CountIfToolTipOf(HWND hWnd, LPARAM lParam)
{
    auto* pSearch = reinterpret_cast<ToolTipSearch*>(lParam);
    wchar_t szClass[64] = {};
    GetClassNameW(hWnd, szClass, 64);
    if (_wcsicmp(szClass, TOOLTIPS_CLASSW) == 0 && GetWindow(hWnd, GW_OWNER) == pSearch->hOwner)
        ++pSearch->nCount;
    return TRUE;
}

// Tooltip windows owned by the window.
int CountToolTipsOf(HWND hOwner)
{
    ToolTipSearch search = {hOwner, 0};
    EnumThreadWindows(GetCurrentThreadId(), CountIfToolTipOf, reinterpret_cast<LPARAM>(&search));
    return search.nCount;
}

// Text of the tooltip's only tool.
CString ToolText(HWND hToolTip)
{
    TTTOOLINFOW ti = {};
    ti.cbSize = TTTOOLINFOW_V2_SIZE;
    if (!SendMessageW(hToolTip, TTM_ENUMTOOLSW, 0, reinterpret_cast<LPARAM>(&ti)))
        return L"(no tool)";
    wchar_t szText[256] = {};
    ti.lpszText = szText;
    SendMessageW(hToolTip, TTM_GETTEXTW, 256, reinterpret_cast<LPARAM>(&ti));
    return szText;
}

} // namespace

TEST_F(ListMouse, ToolTipIsMadeOnceWhenTheSkinAsksForIt)
{
    CKdWindowLessList list;
    LoadAndFill(list, {{L"ShowToolTip", L"1"}, {L"ToolTipWidth", L"150"}});
    HWND hTip = list.m_toolTip.m_hWnd;
    ASSERT_NE(nullptr, hTip);
    EXPECT_EQ(m_owner.m_hWnd, GetWindow(hTip, GW_OWNER));
    EXPECT_EQ(150, SendMessageW(hTip, TTM_GETMAXTIPWIDTH, 0, 0));
    EXPECT_EQ(1, SendMessageW(hTip, TTM_GETTOOLCOUNT, 0, 0));
    EXPECT_STREQ(L"", ToolText(hTip));

    // Refills call SetOwner again: the same tooltip, still one tool.
    list.SetOwner(&m_owner);
    list.SetOwner(&m_owner);
    EXPECT_EQ(hTip, list.m_toolTip.m_hWnd);
    EXPECT_EQ(1, SendMessageW(hTip, TTM_GETTOOLCOUNT, 0, 0));
    EXPECT_EQ(1, CountToolTipsOf(m_owner.m_hWnd));

    // The text is that of the last item entered.
    struct {
        LPARAM lParam;
        const wchar_t* pszText;
    } steps[] = {
        {OnItem(1), L"Tip 1"}, {OnItem(1) + 2, L"Tip 1"}, {OnItem(2), L"Tip 2"},
        {InSpacing(), L"Tip 2"}, {OnItem(7), L"Tip 7"},
    };
    for (const auto& s : steps) {
        list.OnMouseMessage(WM_MOUSEMOVE, s.lParam);
        EXPECT_STREQ(s.pszText, ToolText(hTip));
    }

    // The list's destruction takes its tooltip along.
    {
        CKdWindowLessList other;
        LoadAndFill(other, {{L"ShowToolTip", L"1"}});
        EXPECT_EQ(2, CountToolTipsOf(m_owner.m_hWnd));
        EXPECT_EQ(-1, SendMessageW(other.m_toolTip.m_hWnd, TTM_GETMAXTIPWIDTH, 0, 0)); // no width asked
    }
    EXPECT_EQ(1, CountToolTipsOf(m_owner.m_hWnd));
}

TEST_F(ListMouse, NoToolTipUnlessTheSkinAsksAndThereIsAnOwner)
{
    CKdWindowLessList list;
    LoadAndFill(list, {{L"ShowToolTip", L"0"}});
    EXPECT_EQ(nullptr, list.m_toolTip.m_hWnd);
    EXPECT_TRUE(list.OnMouseMessage(WM_MOUSEMOVE, OnItem(1)));
    EXPECT_TRUE(list.OnMouseMessage(WM_LBUTTONUP, OnItem(1)));
    EXPECT_EQ((Notes{kRedrawNote, Click(L"id1", 0)}), m_owner.TakeNotes());
    EXPECT_EQ(0, CountToolTipsOf(m_owner.m_hWnd));

    // Without an owner nothing is made; the first SetOwner with one makes it.
    CKdWindowLessList other;
    other.LoadSkin(WriteListSkin(m_folder, {{L"ShowToolTip", L"1"}}), kListSection, L"", L"Default");
    other.SetOwner(nullptr);
    EXPECT_EQ(nullptr, other.m_toolTip.m_hWnd);
    other.SetOwner(&m_owner);
    EXPECT_NE(nullptr, other.m_toolTip.m_hWnd);
}
