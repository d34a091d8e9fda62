// The module's exported functions and the lifetime of its one tool manager
// panel. Every export runs inside the module's own framework state, so the
// panel's creation sees the module's resources, window map and application.
// No exception leaves an export.
//
// A host or tool-service library may call QmUIFunUnInitialize or
// QmUIFunEnter from inside a call that the panel is making or a message it is
// handling. The panel's window then goes at once, but its object is deleted,
// and the libraries stopped, only once the panel's code has returned (see
// CBusyScope). Unloading the module while a panel exists is a host error.
#define TAVRIN_BUILDING_MODULE
#include "include/Tavrin.h"
#include <exception>
#include "framework/Afx.h"
#include "framework/CBusyScope.h"
#include "module/CModuleRuntime.h"
#include "module/CTavrinApp.h"
#include "panel/CToolMgrDlg.h"
#include "res/resource.h"

CTavrinApp theApp;
CToolMgrDlg* g_pToolMgrDlg = nullptr;

namespace {
CModuleRuntime g_runtime;
}

namespace {
void DestroyPanel()
{
    if (!g_pToolMgrDlg)
        return;
    g_pToolMgrDlg->DestroyWindow();
    CToolMgrDlg* pPanel = g_pToolMgrDlg;
    CBusyScope::RunWhenIdle([pPanel] { delete pPanel; });
    g_pToolMgrDlg = nullptr;
}

void StopRuntimeWithoutPanel()
{
    // A panel made meanwhile (QmUIFunEnter called again) keeps the libraries.
    CBusyScope::RunWhenIdle([] {
        if (!g_pToolMgrDlg)
            g_runtime.Stop();
    });
}
}

extern "C" int WINAPI QmUIFunInitialize(DWORD /*dwReserved*/)
{
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    // The run time makes a thread's exception state at the thread's first
    // throw, and ends the process when it cannot allocate it: a first throw
    // for want of memory would be the last. It is made here, before any (the
    // volatile keeps the call, which the compiler takes for one without effect).
    volatile int nUncaught = std::uncaught_exceptions();
    (void)nUncaught;
    return 0;
}

extern "C" int WINAPI QmUIFunUnInitialize(DWORD /*dwReserved*/)
{
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    try {
        DestroyPanel();
        StopRuntimeWithoutPanel();
    } catch (...) {
    }
    return 0;
}

extern "C" int WINAPI QmUIFunEnter(HWND hParent, HWND* phPanel, DWORD /*dwReserved*/)
{
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    try {
        DestroyPanel();
        g_runtime.Start();
        // The set-up runs inside Create: a panel replaced or destroyed by a
        // nested call is deleted only after Create has returned.
        CBusyScope busy;
        // The pointer is in place before the window exists: set-up runs during Create.
        CToolMgrDlg* pPanel = new CToolMgrDlg;
        g_pToolMgrDlg = pPanel;
        pPanel->Create(IDD_TOOLMGR_DLG, CWnd::FromHandle(hParent));
        if (phPanel)
            *phPanel = g_pToolMgrDlg ? g_pToolMgrDlg->GetSafeHwnd() : nullptr;
    } catch (...) {
    }
    return 0;
}

extern "C" BOOL __cdecl DllPreTranslateMessage(MSG* pMsg)
{
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    if (!pMsg)
        return FALSE;
    try {
        CBusyScope busy;
        return theApp.PreTranslateMessage(pMsg);
    } catch (...) {
        return FALSE;
    }
}

extern "C" BOOL WINAPI DllMain(HINSTANCE hInstDll, DWORD dwReason, LPVOID /*lpReserved*/)
{
    if (dwReason == DLL_PROCESS_ATTACH)
        return AfxDllProcessAttach(hInstDll);
    if (dwReason == DLL_PROCESS_DETACH)
        AfxDllProcessDetach();
    return TRUE;
}
