// Module state: the binary's own state, switching with AFX_MANAGE_STATE, and
// the application object's offer of messages to the module's windows.
#include "FrameworkTestSupport.h"
#include <gtest/gtest.h>
#include <stdexcept>

namespace {

// The instance handle seen inside the guarded scope, left early or not.
HINSTANCE InstanceSeenInside(AFX_MODULE_STATE* pState, bool bLeaveEarly)
{
    AFX_MANAGE_STATE(pState);
    if (bLeaveEarly)
        return AfxGetInstanceHandle();
    AFX_MODULE_STATE* pInner = AfxGetModuleState();
    {
        AFX_MANAGE_STATE(AfxGetStaticModuleState());
        if (AfxGetModuleState() != AfxGetStaticModuleState())
            return nullptr;
    }
    return AfxGetModuleState() == pInner ? AfxGetInstanceHandle() : nullptr;
}

void ThrowInside(AFX_MODULE_STATE* pState)
{
    AFX_MANAGE_STATE(pState);
    throw std::runtime_error("leaving by exception");
}

} // namespace

TEST(ModuleState, ManageStateRestoresOnEveryWayOut)
{
    AFX_MODULE_STATE* pOwn = AfxGetModuleState();
    EXPECT_EQ(AfxGetStaticModuleState(), pOwn);
    EXPECT_EQ(::GetModuleHandleW(nullptr), AfxGetInstanceHandle());
    EXPECT_EQ(::GetModuleHandleW(nullptr), AfxGetResourceHandle());

    HINSTANCE hOther = reinterpret_cast<HINSTANCE>(static_cast<UINT_PTR>(0x10000));
    AFX_MODULE_STATE other(hOther);
    for (bool bEarly : { true, false }) {
        EXPECT_EQ(hOther, InstanceSeenInside(&other, bEarly)) << "early " << bEarly;
        EXPECT_EQ(pOwn, AfxGetModuleState()) << "early " << bEarly;
    }
    EXPECT_THROW(ThrowInside(&other), std::runtime_error);
    EXPECT_EQ(pOwn, AfxGetModuleState());
}

TEST(ModuleState, ManageStateActivatesTheModuleActivationContext)
{
    wchar_t szDir[MAX_PATH], szManifest[MAX_PATH];
    ::GetTempPathW(MAX_PATH, szDir);
    ::GetTempFileNameW(szDir, L"mfs", 0, szManifest);
    const char kManifest[] =
        "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n"
        "<assembly xmlns=\"urn:schemas-microsoft-com:asm.v1\" manifestVersion=\"1.0\">\r\n"
        "<assemblyIdentity type=\"win32\" name=\"Framework.Test\" version=\"1.0.0.0\"/>\r\n"
        "</assembly>\r\n";
    {
        CFileOwner file(::CreateFileW(szManifest, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
        ASSERT_TRUE(file.IsValid());
        DWORD written = 0;
        ASSERT_TRUE(::WriteFile(file, kManifest, sizeof(kManifest) - 1, &written, nullptr));
    }
    ACTCTXW ctx = {};
    ctx.cbSize = sizeof(ctx);
    ctx.lpSource = szManifest;
    AFX_MODULE_STATE other(::GetModuleHandleW(nullptr));
    other.m_hActCtx = ::CreateActCtxW(&ctx);
    ::DeleteFileW(szManifest);
    ASSERT_NE(INVALID_HANDLE_VALUE, other.m_hActCtx);

    auto currentContext = [] {
        HANDLE h = nullptr;
        ::GetCurrentActCtx(&h);
        if (h)
            ::ReleaseActCtx(h);
        return h;
    };
    HANDLE hBefore = currentContext();
    {
        AFX_MANAGE_STATE(&other);
        EXPECT_EQ(other.m_hActCtx, currentContext());
    }
    EXPECT_EQ(hBefore, currentContext());
}

namespace {

// Records its turn in a shared log; translates the messages it is told to.
class CTranslatingWnd : public CWnd
{
public:
    CTranslatingWnd(CString* pLog, const wchar_t* pszName, UINT nTranslated)
        : m_pLog(pLog), m_pszName(pszName), m_nTranslated(nTranslated) {}

    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        if (!m_pLog->IsEmpty())
            *m_pLog += L"|";
        *m_pLog += m_pszName;
        return pMsg->message == m_nTranslated;
    }

private:
    CString* m_pLog;
    const wchar_t* m_pszName;
    UINT m_nTranslated;
};

} // namespace

TEST(ModuleState, AppPreTranslateWalksFromTargetToParents)
{
    CWinApp app;
    EXPECT_EQ(&app, AfxGetApp());

    CString log;
    CTranslatingWnd parent(&log, L"parent", WM_KEYDOWN);
    CTranslatingWnd child(&log, L"child", 0);
    ASSERT_TRUE(parent.CreateEx(0, nullptr, L"parent", WS_POPUP, 0, 0, 200, 200, nullptr, nullptr));
    ASSERT_TRUE(child.Create(nullptr, L"child", WS_VISIBLE, CRect(0, 0, 100, 100), &parent, 1));
    // A window without an object between the target and the module's windows.
    HWND hPlain = ::CreateWindowExW(0, L"STATIC", L"plain", WS_CHILD, 0, 0, 10, 10, child.m_hWnd, nullptr,
                                    ::GetModuleHandleW(nullptr), nullptr);
    HWND hForeign = ::CreateWindowExW(0, L"STATIC", L"foreign", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                      ::GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(nullptr, hPlain);

    struct Case
    {
        HWND hWnd;
        UINT message;
        BOOL translated;
        const wchar_t* log;
    };
    const Case cases[] = {
        { hPlain, WM_KEYDOWN, TRUE, L"child|parent" },
        { child.m_hWnd, WM_KEYDOWN, TRUE, L"child|parent" },
        { hPlain, WM_CHAR, FALSE, L"child|parent" },
        { parent.m_hWnd, WM_KEYDOWN, TRUE, L"parent" },
        { hForeign, WM_KEYDOWN, FALSE, L"" },
        { nullptr, WM_KEYDOWN, FALSE, L"" },
    };
    for (const Case& c : cases) {
        log.Empty();
        MSG msg = { c.hWnd, c.message, 'A', 0, 0, { 0, 0 } };
        EXPECT_EQ(c.translated, app.PreTranslateMessage(&msg)) << log.ToAnsi();
        EXPECT_STREQ(c.log, log.GetString());
    }
    ::DestroyWindow(hForeign);
}
