// A stand-in for the tool-service library, for the tests of a library that
// misbehaves: it hands out the list it is told to (one whose last record
// links back to an earlier one, say) and, once, calls back into the host from
// inside one of its calls, as a library or host may do while the panel waits
// for it. Started tools are only counted.
#include <string>
#include "include/PellixSDK.h"
#include "tests/panel/fake/FakePellix.h"

namespace {

int g_nTools = 0;
int g_nLoopTo = -1;
FakePxCall g_callBackFrom = FakePxCall::None;
void (*g_pfnCallBack)() = nullptr;
int g_nStarted = 0;
std::wstring g_strLastStarted;

void CallBackOnce(FakePxCall call)
{
    if (call != g_callBackFrom || !g_pfnCallBack)
        return;
    void (*pfn)() = g_pfnCallBack;
    g_pfnCallBack = nullptr;
    g_callBackFrom = FakePxCall::None;
    pfn();
}

void CopyText(wchar_t* pField, size_t cchField, const std::wstring& strText)
{
    wcsncpy_s(pField, cchField, strText.c_str(), _TRUNCATE);
}

} // namespace

extern "C" {

void __cdecl FakePxSetTools(int nTools, int nLoopTo)
{
    g_nTools = nTools;
    g_nLoopTo = nLoopTo;
}

void __cdecl FakePxCallBackFrom(FakePxCall call, void (*pfnCallBack)())
{
    g_callBackFrom = call;
    g_pfnCallBack = pfnCallBack;
}

int __cdecl FakePxStartCount()
{
    return g_nStarted;
}

const wchar_t* __cdecl FakePxLastStarted()
{
    return g_strLastStarted.c_str();
}

// Records "Tool <i>" with identifier "tool<i>", all listed; the last one
// links to record g_nLoopTo when that is not -1.
int __cdecl PxGetAllPluginList(_PLUGIN_INFO** ppHead)
{
    CallBackOnce(FakePxCall::GetList);
    *ppHead = nullptr;
    if (g_nTools <= 0)
        return 0;
    _PLUGIN_INFO* pRecords = new _PLUGIN_INFO[g_nTools]();
    for (int i = 0; i < g_nTools; ++i) {
        CopyText(pRecords[i].szName, PX_NAME_CCH, L"Tool " + std::to_wstring(i));
        CopyText(pRecords[i].szId, PX_ID_CCH, L"tool" + std::to_wstring(i));
        pRecords[i].bFlags = PX_FLAG_LISTED;
        pRecords[i].pNext = i + 1 < g_nTools ? &pRecords[i + 1] : nullptr;
    }
    if (g_nLoopTo >= 0 && g_nLoopTo < g_nTools)
        pRecords[g_nTools - 1].pNext = &pRecords[g_nLoopTo];
    *ppHead = pRecords;
    return g_nTools;
}

void __cdecl PxFreePluginListBuffer(_PLUGIN_INFO* pHead)
{
    delete[] pHead;
}

BOOL __cdecl PxGetAllPluginListFromInternet(HWND hNotify, UINT uMsg)
{
    CallBackOnce(FakePxCall::Refresh);
    PostMessageW(hNotify, uMsg, 0, 0);
    return FALSE;
}

BOOL __cdecl PxRunTool(const wchar_t* pszId, int, int, HWND, DWORD* pResult, int)
{
    ++g_nStarted;
    g_strLastStarted = pszId ? pszId : L"";
    if (pResult)
        *pResult = 0;
    CallBackOnce(FakePxCall::RunTool);
    return TRUE;
}

} // extern "C"
