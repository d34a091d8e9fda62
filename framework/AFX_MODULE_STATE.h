// Per-module framework state, as MFC's AFX_MODULE_STATE. Every binary that
// links the framework (the module DLL, a test program) has its own static
// state: its instance and resource handles, its application object, its
// activation context and its map of permanent window objects. The state in
// effect on a thread is switched with AFX_MANAGE_STATE.
#pragma once
#include "CMap.h"
#include <windows.h>

class CWinApp;
class CWnd;

struct AFX_MODULE_STATE
{
    explicit AFX_MODULE_STATE(HINSTANCE hInstance);
    ~AFX_MODULE_STATE();
    AFX_MODULE_STATE(const AFX_MODULE_STATE&) = delete;
    AFX_MODULE_STATE& operator=(const AFX_MODULE_STATE&) = delete;

    HINSTANCE m_hCurrentInstanceHandle;
    HINSTANCE m_hCurrentResourceHandle;
    CWinApp* m_pCurrentWinApp = nullptr;
    BOOL m_bDLL = FALSE;
    // Activation context activated while the state is in effect (null: none).
    HANDLE m_hActCtx = INVALID_HANDLE_VALUE;
    // Window objects linked to their windows (attached or subclassed).
    CMap<HWND, HWND, CWnd*, CWnd*> m_mapHWND;
};

// The state in effect on the calling thread (the module's own state by default).
AFX_MODULE_STATE* AfxGetModuleState();
// The state of the binary this code is linked into.
AFX_MODULE_STATE* AfxGetStaticModuleState();

HINSTANCE AfxGetInstanceHandle();
HINSTANCE AfxGetResourceHandle();
CWinApp* AfxGetApp();

// Called from a DLL's DllMain, as a regular MFC DLL does: DLL_PROCESS_ATTACH
// records the DLL's handle, creates the activation context of its manifest
// (resource 2, if any) and runs the application object's InitInstance, whose
// result is returned; DLL_PROCESS_DETACH runs ExitInstance. The activation
// context is released with the state when the binary is unloaded.
BOOL AfxDllProcessAttach(HINSTANCE hInstDll);
void AfxDllProcessDetach();

// Scope guard switching the thread to a module state (and its activation
// context) and restoring the previous one on every way out of the scope.
class AFX_MAINTAIN_STATE2
{
public:
    explicit AFX_MAINTAIN_STATE2(AFX_MODULE_STATE* pNewState);
    ~AFX_MAINTAIN_STATE2();
    AFX_MAINTAIN_STATE2(const AFX_MAINTAIN_STATE2&) = delete;
    AFX_MAINTAIN_STATE2& operator=(const AFX_MAINTAIN_STATE2&) = delete;

private:
    AFX_MODULE_STATE* m_pPrevModuleState;
    ULONG_PTR m_ulActCtxCookie = 0;
    BOOL m_bActivated = FALSE;
};

#define AFX_MANAGE_STATE(p) AFX_MAINTAIN_STATE2 _ctlState(p);
