#include "CResourceMeter.h"
#include <psapi.h>

namespace {

const ULONG_PTR kLastHandleSlot = 0xFFFF;
const ULONG_PTR kFirstUserHandle = 0x20;

bool GuiResourcesAnswer()
{
    // A process with a window has GDI objects on Windows; Wine answers 0.
    return GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS) != 0;
}

BOOL CALLBACK CountOwnChild(HWND, LPARAM lParam)
{
    ++*reinterpret_cast<LONG*>(lParam);
    return TRUE;
}

BOOL CALLBACK CountOwnWindow(HWND hWnd, LPARAM lParam)
{
    DWORD dwProcess = 0;
    GetWindowThreadProcessId(hWnd, &dwProcess);
    if (dwProcess == GetCurrentProcessId()) {
        ++*reinterpret_cast<LONG*>(lParam);
        EnumChildWindows(hWnd, CountOwnChild, lParam);
    }
    return TRUE;
}

bool IsOwnIcon(HICON hIcon)
{
    ICONINFO info = {};
    if (!GetIconInfo(hIcon, &info))
        return false;
    if (info.hbmMask)
        DeleteObject(info.hbmMask);
    if (info.hbmColor)
        DeleteObject(info.hbmColor);
    return true;
}

} // namespace

ResourceCounts CResourceMeter::Measure()
{
    ResourceCounts counts;
    if (GuiResourcesAnswer()) {
        counts.nGdiObjects = static_cast<LONG>(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS));
        counts.nUserObjects = static_cast<LONG>(GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS));
    } else {
        counts.nGdiObjects = ProbeGdiObjects();
        counts.nUserObjects = ProbeUserObjects();
    }
    counts.nPrivateBytes = PrivateBytes();
    return counts;
}

std::string CResourceMeter::Method()
{
    if (GuiResourcesAnswer())
        return "GetGuiResources";
    return "handle-table probe";
}

LONG CResourceMeter::ProbeGdiObjects()
{
    LONG nCount = 0;
    for (ULONG_PTR nSlot = 1; nSlot <= kLastHandleSlot; ++nSlot)
        if (GetObjectType(reinterpret_cast<HGDIOBJ>(nSlot)) != 0)
            ++nCount;
    return nCount;
}

LONG CResourceMeter::ProbeUserObjects()
{
    LONG nCount = 0;
    EnumWindows(CountOwnWindow, reinterpret_cast<LPARAM>(&nCount));
    for (ULONG_PTR nValue = kFirstUserHandle; nValue <= kLastHandleSlot; nValue += 2) {
        if (IsOwnIcon(reinterpret_cast<HICON>(nValue)) || IsMenu(reinterpret_cast<HMENU>(nValue)))
            ++nCount;
    }
    return nCount;
}

LONGLONG CResourceMeter::PrivateBytes()
{
    PROCESS_MEMORY_COUNTERS_EX counters = {};
    counters.cb = sizeof(counters);
    if (!GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                              sizeof(counters)))
        return 0;
    return counters.PrivateUsage ? static_cast<LONGLONG>(counters.PrivateUsage)
                                 : static_cast<LONGLONG>(counters.PagefileUsage);
}
