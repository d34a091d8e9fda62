// Linking of window objects to their windows: from the first message of the
// creation to the last one, and the maps that find an object from a handle.
#include "FrameworkTestSupport.h"
#include <gtest/gtest.h>
#include <algorithm>

namespace {

// Records every message its WindowProc sees and when PreSubclassWindow and
// PostNcDestroy ran relative to them.
class CProbeWnd : public CWnd
{
public:
    std::vector<UINT> m_messages;
    HWND m_hWndAtPreSubclass = nullptr;
    size_t m_nMessagesAtPreSubclass = 99;
    int m_nPostNcDestroy = 0;
    HWND m_hWndAtPostNcDestroy = reinterpret_cast<HWND>(1);
    CWnd* m_pPermanentAtPostNcDestroy = reinterpret_cast<CWnd*>(1);
    HWND m_hWndBeforeDestroy = nullptr;

    void PreSubclassWindow() override
    {
        m_hWndAtPreSubclass = m_hWnd;
        m_nMessagesAtPreSubclass = m_messages.size();
        m_hWndBeforeDestroy = m_hWnd;
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        m_messages.push_back(message);
        return CWnd::WindowProc(message, wParam, lParam);
    }
    void PostNcDestroy() override
    {
        ++m_nPostNcDestroy;
        m_hWndAtPostNcDestroy = m_hWnd;
        m_pPermanentAtPostNcDestroy = CWnd::FromHandlePermanent(m_hWndBeforeDestroy);
    }
};

bool Contains(const std::vector<UINT>& v, UINT message)
{
    return std::find(v.begin(), v.end(), message) != v.end();
}

} // namespace

TEST(WindowLink, ObjectSeesEveryMessageFromCreationToNcDestroy)
{
    g_superCalls.clear();
    CProbeWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, RecordingClassName(), L"probe", WS_OVERLAPPEDWINDOW, 0, 0, 200, 120, nullptr, nullptr));
    HWND hWnd = wnd.m_hWnd;

    // Linked before the first message, with the handle already in place.
    EXPECT_EQ(hWnd, wnd.m_hWndAtPreSubclass);
    EXPECT_EQ(0u, wnd.m_nMessagesAtPreSubclass);
    EXPECT_TRUE(Contains(wnd.m_messages, WM_NCCREATE));
    EXPECT_TRUE(Contains(wnd.m_messages, WM_CREATE));
    EXPECT_EQ(&wnd, CWnd::FromHandlePermanent(hWnd));
    EXPECT_EQ(&wnd, CWnd::FromHandle(hWnd));

    // Nothing handled the messages, so the class's own procedure got each one,
    // in the same order: the object missed none and swallowed none.
    std::vector<UINT> reachedClass;
    for (const SuperCall& c : g_superCalls)
        if (c.hWnd == hWnd)
            reachedClass.push_back(c.message);
    EXPECT_EQ(wnd.m_messages, reachedClass);

    ASSERT_TRUE(wnd.DestroyWindow());
    EXPECT_EQ(static_cast<UINT>(WM_NCDESTROY), wnd.m_messages.back());
    EXPECT_EQ(1, wnd.m_nPostNcDestroy);
    // The link was cut before PostNcDestroy ran.
    EXPECT_EQ(nullptr, wnd.m_hWndAtPostNcDestroy);
    EXPECT_EQ(nullptr, wnd.m_pPermanentAtPostNcDestroy);
    EXPECT_EQ(nullptr, wnd.m_hWnd);
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hWnd));
    EXPECT_FALSE(::IsWindow(hWnd));
}

namespace {

// Deletes itself when its window is gone, as a modeless window often does.
class CSelfDeletingWnd : public CWnd
{
public:
    explicit CSelfDeletingWnd(bool* pDeleted) : m_pDeleted(pDeleted) {}
    ~CSelfDeletingWnd() override { *m_pDeleted = true; }
    void PostNcDestroy() override { delete this; }

private:
    bool* m_pDeleted;
};

// Counts the messages that reach its WindowProc after its destructor began.
class CDestructionWatchWnd : public CWnd
{
public:
    explicit CDestructionWatchWnd(int* pLateCalls) : m_pLateCalls(pLateCalls) {}
    ~CDestructionWatchWnd() override { m_bDestroying = true; }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (m_bDestroying)
            ++*m_pLateCalls;
        return CWnd::WindowProc(message, wParam, lParam);
    }

private:
    int* m_pLateCalls;
    bool m_bDestroying = false;
};

} // namespace

TEST(WindowLink, DestroyingFromOutsideAndDeletingALiveWindow)
{
    // A window destroyed by ::DestroyWindow: the object deletes itself in
    // PostNcDestroy and no map keeps it.
    bool bDeleted = false;
    auto* pSelf = new CSelfDeletingWnd(&bDeleted);
    ASSERT_TRUE(pSelf->CreateEx(0, nullptr, L"self", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr));
    HWND hSelf = pSelf->m_hWnd;
    ::DestroyWindow(hSelf);
    EXPECT_TRUE(bDeleted);
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hSelf));

    // Deleting an object whose window still exists destroys the window; the
    // derived class's overrides are not reached once its destructor has run.
    int nLateCalls = 0;
    auto* pWatched = new CDestructionWatchWnd(&nLateCalls);
    ASSERT_TRUE(pWatched->CreateEx(0, nullptr, L"watched", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr));
    HWND hWatched = pWatched->m_hWnd;
    delete pWatched;
    EXPECT_FALSE(::IsWindow(hWatched));
    EXPECT_EQ(0, nLateCalls);
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hWatched));
}

namespace {

// Refuses its creation in OnCreate.
class CRefusingWnd : public CWnd
{
public:
    int m_nPostNcDestroy = 0;
    void PostNcDestroy() override { ++m_nPostNcDestroy; }

protected:
    int OnCreate(LPCREATESTRUCT lpCreateStruct)
    {
        m_bSawCreateParams = lpCreateStruct->lpCreateParams == this;
        return -1;
    }

public:
    bool m_bSawCreateParams = false;

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CRefusingWnd, CWnd)
    ON_WM_CREATE()
END_MESSAGE_MAP()

} // namespace

TEST(WindowLink, CreationRefusedInOnCreate)
{
    CRefusingWnd wnd;
    EXPECT_FALSE(wnd.CreateEx(0, nullptr, L"refused", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr, &wnd));
    EXPECT_TRUE(wnd.m_bSawCreateParams);
    EXPECT_EQ(1, wnd.m_nPostNcDestroy);
    EXPECT_EQ(nullptr, wnd.m_hWnd);
}

TEST(WindowLink, AttachDetachAndTemporaryWrappers)
{
    HWND hWnd = ::CreateWindowExW(0, L"STATIC", L"plain", WS_POPUP, 0, 0, 40, 40, nullptr, nullptr,
                                  ::GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(nullptr, hWnd);

    // A window without an object gets one temporary wrapper, always the same.
    CWnd* pTemp = CWnd::FromHandle(hWnd);
    ASSERT_NE(nullptr, pTemp);
    EXPECT_EQ(hWnd, pTemp->m_hWnd);
    EXPECT_EQ(pTemp, CWnd::FromHandle(hWnd));
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hWnd));
    EXPECT_EQ(nullptr, CWnd::FromHandle(nullptr));

    CWnd wnd;
    ASSERT_TRUE(wnd.Attach(hWnd));
    EXPECT_FALSE(CWnd().Attach(hWnd)) << "a window has at most one permanent object";
    EXPECT_EQ(&wnd, CWnd::FromHandle(hWnd));
    EXPECT_EQ(hWnd, wnd.Detach());
    EXPECT_EQ(nullptr, wnd.m_hWnd);
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hWnd));

    // Attached again, then destroyed through the object: the attached (not
    // subclassed) object is unlinked as well.
    ASSERT_TRUE(wnd.Attach(hWnd));
    EXPECT_TRUE(wnd.DestroyWindow());
    EXPECT_EQ(nullptr, wnd.m_hWnd);
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hWnd));
    EXPECT_FALSE(wnd.DestroyWindow());
}
