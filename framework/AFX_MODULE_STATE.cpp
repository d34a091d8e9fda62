#include "AFX_MODULE_STATE.h"
#include "AFX_THREAD_STATE.h"
#include "CWinApp.h"

// The image this copy of the framework is linked into (DLL or EXE).
extern "C" IMAGE_DOS_HEADER __ImageBase;

AFX_MODULE_STATE::AFX_MODULE_STATE(HINSTANCE hInstance)
    : m_hCurrentInstanceHandle(hInstance), m_hCurrentResourceHandle(hInstance)
{
}

AFX_MODULE_STATE::~AFX_MODULE_STATE()
{
    if (m_hActCtx != INVALID_HANDLE_VALUE)
        ::ReleaseActCtx(m_hActCtx);
}

AFX_MODULE_STATE* AfxGetStaticModuleState()
{
    // Made on first use, so that static objects of the binary (its
    // application object) may use it while they are constructed.
    static AFX_MODULE_STATE s_state(reinterpret_cast<HINSTANCE>(&__ImageBase));
    return &s_state;
}

AFX_MODULE_STATE* AfxGetModuleState()
{
    AFX_MODULE_STATE* pState = AfxGetThreadState()->m_pModuleState;
    return pState ? pState : AfxGetStaticModuleState();
}

HINSTANCE AfxGetInstanceHandle()
{
    return AfxGetModuleState()->m_hCurrentInstanceHandle;
}

HINSTANCE AfxGetResourceHandle()
{
    return AfxGetModuleState()->m_hCurrentResourceHandle;
}

CWinApp* AfxGetApp()
{
    return AfxGetModuleState()->m_pCurrentWinApp;
}

// The activation context of the module's manifest resource (ID 2, the one
// the loader uses for a DLL), or INVALID_HANDLE_VALUE when it has none.
static HANDLE CreateModuleActCtx(HINSTANCE hInst)
{
    if (!::FindResourceW(hInst, MAKEINTRESOURCEW(2), reinterpret_cast<LPCWSTR>(RT_MANIFEST)))
        return INVALID_HANDLE_VALUE;
    ACTCTXW ctx = {};
    ctx.cbSize = sizeof(ctx);
    ctx.dwFlags = ACTCTX_FLAG_HMODULE_VALID | ACTCTX_FLAG_RESOURCE_NAME_VALID;
    ctx.hModule = hInst;
    ctx.lpResourceName = MAKEINTRESOURCEW(2);
    return ::CreateActCtxW(&ctx);
}

BOOL AfxDllProcessAttach(HINSTANCE hInstDll)
{
    AFX_MODULE_STATE* pState = AfxGetStaticModuleState();
    pState->m_hCurrentInstanceHandle = pState->m_hCurrentResourceHandle = hInstDll;
    pState->m_bDLL = TRUE;
    if (pState->m_hActCtx == INVALID_HANDLE_VALUE)
        pState->m_hActCtx = CreateModuleActCtx(hInstDll);
    AFX_MANAGE_STATE(pState);
    CWinApp* pApp = pState->m_pCurrentWinApp;
    return pApp ? pApp->InitInstance() : TRUE;
}

void AfxDllProcessDetach()
{
    AFX_MODULE_STATE* pState = AfxGetStaticModuleState();
    AFX_MANAGE_STATE(pState);
    if (CWinApp* pApp = pState->m_pCurrentWinApp)
        pApp->ExitInstance();
}

AFX_MAINTAIN_STATE2::AFX_MAINTAIN_STATE2(AFX_MODULE_STATE* pNewState)
{
    AFX_THREAD_STATE* pThread = AfxGetThreadState();
    m_pPrevModuleState = pThread->m_pModuleState;
    pThread->m_pModuleState = pNewState;
    if (pNewState && pNewState->m_hActCtx != INVALID_HANDLE_VALUE)
        m_bActivated = ::ActivateActCtx(pNewState->m_hActCtx, &m_ulActCtxCookie);
}

AFX_MAINTAIN_STATE2::~AFX_MAINTAIN_STATE2()
{
    if (m_bActivated)
        ::DeactivateActCtx(0, m_ulActCtxCookie);
    AfxGetThreadState()->m_pModuleState = m_pPrevModuleState;
}
