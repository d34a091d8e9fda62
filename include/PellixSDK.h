// Pellix tool-service library: the tool record and the four calls that list,
// refresh and start tools. This one header serves the library itself, the
// modules that import it (Pellix.dll, imported by name through its import
// library) and other implementers of the library, who find it in include/.
//
// The record layout is binary: the byte offsets below are the contract, on the
// 32-bit target and on its 64-bit twin alike (only pNext grows there).
#pragma once
#include <windows.h>
#include <stddef.h>

#ifdef __cplusplus
#define PELLIX_EXTERN_C extern "C"
#else
#define PELLIX_EXTERN_C
#endif

// The library exports through its .def file; everyone else imports.
#ifdef PELLIX_BUILDING_LIBRARY
#define PELLIX_API PELLIX_EXTERN_C
#else
#define PELLIX_API PELLIX_EXTERN_C __declspec(dllimport)
#endif

// Field sizes in UTF-16 units, terminating NUL included.
#define PX_NAME_CCH 51
#define PX_ID_CCH 101
#define PX_VERSION_CCH 161
#define PX_DESC_CCH 103
#define PX_ICONPATH_CCH 262

// bFlags bit 0: the tool is shown in tool lists.
#define PX_FLAG_LISTED 0x01

// One tool. Texts are UTF-16 and NUL-terminated when the library writes them;
// readers must still not rely on the terminator and stay inside each field.
typedef struct _PLUGIN_INFO
{
    wchar_t szName[PX_NAME_CCH];         // offset 0
    wchar_t szId[PX_ID_CCH];             // offset 102: handed back to PxRunTool
    wchar_t szVersion[PX_VERSION_CCH];   // offset 304
    wchar_t szDesc[PX_DESC_CCH];         // offset 626
    wchar_t szIconPath[PX_ICONPATH_CCH]; // offset 832: full path of an image file
    BYTE bFlags;                         // offset 1356: PX_FLAG_LISTED
    BYTE abReserved[2131];               // offsets 1357..3487, zero
    struct _PLUGIN_INFO* pNext;          // offset 3488: next record, null after the last
} _PLUGIN_INFO;

#ifdef __cplusplus
#define PELLIX_STATIC_ASSERT(cond, text) static_assert(cond, text)
#else
#define PELLIX_STATIC_ASSERT(cond, text) _Static_assert(cond, text)
#endif
PELLIX_STATIC_ASSERT(offsetof(_PLUGIN_INFO, szName) == 0, "szName offset");
PELLIX_STATIC_ASSERT(offsetof(_PLUGIN_INFO, szId) == 102, "szId offset");
PELLIX_STATIC_ASSERT(offsetof(_PLUGIN_INFO, szVersion) == 304, "szVersion offset");
PELLIX_STATIC_ASSERT(offsetof(_PLUGIN_INFO, szDesc) == 626, "szDesc offset");
PELLIX_STATIC_ASSERT(offsetof(_PLUGIN_INFO, szIconPath) == 832, "szIconPath offset");
PELLIX_STATIC_ASSERT(offsetof(_PLUGIN_INFO, bFlags) == 1356, "bFlags offset");
PELLIX_STATIC_ASSERT(offsetof(_PLUGIN_INFO, abReserved) == 1357, "reserved bytes offset");
PELLIX_STATIC_ASSERT(offsetof(_PLUGIN_INFO, pNext) == 3488, "pNext offset");
PELLIX_STATIC_ASSERT(sizeof(_PLUGIN_INFO) == 3488 + sizeof(void*), "record size");
#undef PELLIX_STATIC_ASSERT

// All four calls use the C calling convention and undecorated names.

// Writes the first record of a fresh copy of the tool list to *ppHead (null
// when there are no tools or the list cannot be read); always writes *ppHead.
// Returns the number of records, or -1 when the list could not be read.
PELLIX_API int __cdecl PxGetAllPluginList(_PLUGIN_INFO** ppHead);

// Releases a whole list from PxGetAllPluginList; null is accepted.
PELLIX_API void __cdecl PxFreePluginListBuffer(_PLUGIN_INFO* pHead);

// Starts a refresh of the tool list from its configured source and returns at
// once. When the refresh has ended (replaced or, on failure, kept the list),
// uMsg is posted to hNotify with wParam and lParam 0. Returns TRUE when the
// refresh runs in the background, FALSE when it could not start (the message
// is then posted before the call returns).
PELLIX_API BOOL __cdecl PxGetAllPluginListFromInternet(HWND hNotify, UINT uMsg);

// Starts the tool whose identifier is pszId. nReserved1, nReserved2 and
// nReserved3 are accepted for callers that pass them and select nothing;
// hOwner is the caller's window. *pResult (when not null) receives 0 when the
// tool was started, else a Windows error code (ERROR_NOT_FOUND for an unknown
// identifier). Returns TRUE when the tool was started.
PELLIX_API BOOL __cdecl PxRunTool(const wchar_t* pszId, int nReserved1, int nReserved2, HWND hOwner,
                                  DWORD* pResult, int nReserved3);
