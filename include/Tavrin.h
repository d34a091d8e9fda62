/*
 * Tavrin.h: the four functions of Tavrin.dll, the tool manager panel module.
 *
 * Plain C and C++; link lib/Tavrin.lib (Visual Studio) or lib/libTavrin.dll.a
 * (MinGW), or load the module with LoadLibrary and use the pointer types below.
 * The three QmUIFun calls are __stdcall (WINAPI: the callee removes the
 * arguments); DllPreTranslateMessage is __cdecl. A wrong guess corrupts the
 * 32-bit stack silently, so declare them only through this header.
 *
 * Call order, all on the host's user-interface thread (the thread that owns
 * the parent window and runs the message loop):
 *   1. LoadLibrary (or implicit load), then QmUIFunInitialize(0).
 *   2. QmUIFunEnter(hParent, &hPanel, 0): creates the panel hidden, owned by
 *      hParent; show and place it with hPanel. Calling it again replaces the
 *      panel.
 *   3. While a panel exists, offer every message of the message loop to
 *      DllPreTranslateMessage first; dispatch it only when that returns 0.
 *   4. QmUIFunUnInitialize(0): destroys the panel. Then FreeLibrary.
 *
 * Prerequisites: none. The module starts GDI+ and its own copy of Xerces-C on
 * the first QmUIFunEnter and stops them in QmUIFunUnInitialize. Screen
 * readers reach the panel through COM, which the host initialises on its UI
 * thread as for any window; the module does not.
 *
 * Unloading the module while a panel exists is a host error: call
 * QmUIFunUnInitialize first, and never from inside a call the panel makes
 * into the host or a tool-service library.
 */
#ifndef TAVRIN_H
#define TAVRIN_H

#include <windows.h>

#ifdef __cplusplus
extern "C" {
#endif

#ifdef TAVRIN_BUILDING_MODULE
#define TAVRIN_API __declspec(dllexport)
#else
#define TAVRIN_API __declspec(dllimport)
#endif

/* Does nothing but enter and leave the module; dwReserved is ignored. Returns 0. */
TAVRIN_API int WINAPI QmUIFunInitialize(DWORD dwReserved);

/* Destroys the panel if one exists and stops GDI+ and Xerces-C as the module
 * started them. dwReserved is ignored. Returns 0. */
TAVRIN_API int WINAPI QmUIFunUnInitialize(DWORD dwReserved);

/* Destroys any existing panel and creates a new one, hidden, as a popup tool
 * window owned by hParent. *phPanel receives its window handle, or NULL when
 * the panel could not be created. dwReserved is ignored. Returns 0: the
 * handle is the only result. */
TAVRIN_API int WINAPI QmUIFunEnter(HWND hParent, HWND* phPanel, DWORD dwReserved);

/* Offers a message that the host is about to dispatch to the panel (tooltips,
 * dialog keys). Nonzero: the module handled it and the host must not
 * translate or dispatch it. 0: dispatch as usual. */
TAVRIN_API BOOL __cdecl DllPreTranslateMessage(MSG* pMsg);

/* For hosts that load the module with LoadLibrary and GetProcAddress by these
 * undecorated names. */
typedef int(WINAPI* PFN_QMUIFUNINITIALIZE)(DWORD dwReserved);
typedef int(WINAPI* PFN_QMUIFUNUNINITIALIZE)(DWORD dwReserved);
typedef int(WINAPI* PFN_QMUIFUNENTER)(HWND hParent, HWND* phPanel, DWORD dwReserved);
typedef BOOL(__cdecl* PFN_DLLPRETRANSLATEMESSAGE)(MSG* pMsg);

#ifdef __cplusplus
}
#endif

#endif /* TAVRIN_H */
