// Per-thread framework state, as MFC's _AFX_THREAD_STATE: the module state in
// effect, the window object waiting for its window to be created, the
// creation hook, and the message being handled (for CWnd::Default).
// Plain data only, so the thread-local instance needs no constructor.
#pragma once
#include <windows.h>

struct AFX_MODULE_STATE;
class CWnd;

struct AFX_THREAD_STATE
{
    AFX_MODULE_STATE* m_pModuleState;
    CWnd* m_pWndInit;
    HHOOK m_hHookCbt;
    MSG m_lastSentMsg;
};

AFX_THREAD_STATE* AfxGetThreadState();
