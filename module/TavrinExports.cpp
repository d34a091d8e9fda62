// The module's exported functions and the lifetime of its one tool manager
// panel. Every export runs inside the module's own framework state, so the
// panel's creation sees the module's resources, window map and application.
#define TAVRIN_BUILDING_MODULE
#include "include/Tavrin.h"
#include "framework/Afx.h"
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
    delete g_pToolMgrDlg;
    g_pToolMgrDlg = nullptr;
}
}

extern "C" int WINAPI QmUIFunInitialize(DWORD /*dwReserved*/)
{
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    return 0;
}

extern "C" int WINAPI QmUIFunUnInitialize(DWORD /*dwReserved*/)
{
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    DestroyPanel();
    g_runtime.Stop();
    return 0;
}

extern "C" int WINAPI QmUIFunEnter(HWND hParent, HWND* phPanel, DWORD /*dwReserved*/)
{
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    DestroyPanel();
    g_runtime.Start();
    // The pointer is in place before the window exists: set-up runs during Create.
    g_pToolMgrDlg = new CToolMgrDlg;
    g_pToolMgrDlg->Create(IDD_TOOLMGR_DLG, CWnd::FromHandle(hParent));
    if (phPanel)
        *phPanel = g_pToolMgrDlg->GetSafeHwnd();
    return 0;
}

extern "C" BOOL __cdecl DllPreTranslateMessage(MSG* pMsg)
{
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    return pMsg ? theApp.PreTranslateMessage(pMsg) : FALSE;
}

extern "C" BOOL WINAPI DllMain(HINSTANCE hInstDll, DWORD dwReason, LPVOID /*lpReserved*/)
{
    if (dwReason == DLL_PROCESS_ATTACH)
        return AfxDllProcessAttach(hInstDll);
    if (dwReason == DLL_PROCESS_DETACH)
        AfxDllProcessDetach();
    return TRUE;
}
