#include "CResourceMeter.h"
#include <gdiplus.h>
#include <psapi.h>
#include <map>

using namespace Gdiplus::DllExports;

namespace {

const ULONG_PTR kLastHandleSlot = 0xFFFF;
const ULONG_PTR kFirstUserHandle = 0x20;

bool GuiResourcesAnswer()
{
    // A process with a window has GDI objects on Windows; Wine answers 0.
    return GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS) != 0;
}

using ClassCounts = std::map<std::string, LONG>;

BOOL CALLBACK AddChildClass(HWND hWnd, LPARAM lParam)
{
    char szClass[64] = "";
    GetClassNameA(hWnd, szClass, sizeof(szClass));
    ++(*reinterpret_cast<ClassCounts*>(lParam))[szClass];
    return TRUE;
}

// EnumChildWindows reaches every descendant, so children are not enumerated again.
BOOL CALLBACK AddOwnWindowClass(HWND hWnd, LPARAM lParam)
{
    DWORD dwProcess = 0;
    GetWindowThreadProcessId(hWnd, &dwProcess);
    if (dwProcess == GetCurrentProcessId()) {
        AddChildClass(hWnd, lParam);
        EnumChildWindows(hWnd, AddChildClass, lParam);
    }
    return TRUE;
}

// The process's windows by class.
ClassCounts OwnWindowClasses()
{
    ClassCounts classes;
    EnumWindows(AddOwnWindowClass, reinterpret_cast<LPARAM>(&classes));
    return classes;
}

template <typename Key>
LONG Total(const std::map<Key, LONG>& counts)
{
    LONG nTotal = 0;
    for (const auto& entry : counts)
        nTotal += entry.second;
    return nTotal;
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

const char* GdiTypeName(DWORD dwType)
{
    static const char* const kNames[] = {"?",        "pen",      "brush",       "dc",     "metadc", "palette",
                                         "font",     "bitmap",   "region",      "metafile", "memdc", "extpen",
                                         "enhmetadc", "enhmetafile", "colorspace"};
    return dwType < sizeof(kNames) / sizeof(kNames[0]) ? kNames[dwType] : "?";
}

} // namespace

std::string CResourceMeter::Breakdown()
{
    std::string strText = "GDI objects:";
    for (const auto& entry : GdiObjectsByType())
        strText += std::string(" ") + GdiTypeName(entry.first) + " " + std::to_string(entry.second);
    strText += "; windows:";
    for (const auto& entry : OwnWindowClasses())
        strText += " " + entry.first + " " + std::to_string(entry.second);
    return strText;
}

ResourceCounts CResourceMeter::Measure()
{
    ResourceCounts counts;
    if (GuiResourcesAnswer()) {
        counts.nGdiObjects = static_cast<LONG>(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS));
        counts.nUserObjects = static_cast<LONG>(GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS));
    } else {
        std::map<DWORD, LONG> gdi = GdiObjectsByType();
        counts.nGdiObjects = Total(gdi);
        counts.nMemoryDcs = gdi[OBJ_MEMDC];
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

std::map<DWORD, LONG> CResourceMeter::GdiObjectsByType()
{
    std::map<DWORD, LONG> counts;
    for (ULONG_PTR nSlot = 1; nSlot <= kLastHandleSlot; ++nSlot)
        if (DWORD dwType = GetObjectType(reinterpret_cast<HGDIOBJ>(nSlot)))
            ++counts[dwType];
    return counts;
}

bool CResourceMeter::TextLayoutLeaksDc()
{
    if (GuiResourcesAnswer())
        return false;
    Gdiplus::GdiplusStartupInput input;
    ULONG_PTR token = 0;
    if (Gdiplus::GdiplusStartup(&token, &input, nullptr) != Gdiplus::Ok)
        return false;
    LONG nBefore = GdiObjectsByType()[OBJ_MEMDC];
    Gdiplus::GpBitmap* pBitmap = nullptr;
    Gdiplus::GpGraphics* pGraphics = nullptr;
    Gdiplus::GpFontFamily* pFamily = nullptr;
    Gdiplus::GpFont* pFont = nullptr;
    Gdiplus::GpStringFormat* pFormat = nullptr;
    GdipCreateBitmapFromScan0(8, 8, 0, PixelFormat32bppARGB, nullptr, &pBitmap);
    GdipGetImageGraphicsContext(pBitmap, &pGraphics);
    GdipGetGenericFontFamilySansSerif(&pFamily);
    GdipCreateFont(pFamily, 12, Gdiplus::FontStyleRegular, Gdiplus::UnitPixel, &pFont);
    GdipCreateStringFormat(0, LANG_NEUTRAL, &pFormat);
    Gdiplus::RectF rcLayout(0, 0, 1, 20), rcBounds;
    GdipMeasureString(pGraphics, L"Wide", -1, pFont, &rcLayout, pFormat, &rcBounds, nullptr, nullptr);
    GdipDeleteStringFormat(pFormat);
    GdipDeleteFont(pFont);
    GdipDeleteFontFamily(pFamily);
    GdipDeleteGraphics(pGraphics);
    GdipDisposeImage(pBitmap);
    LONG nAfter = GdiObjectsByType()[OBJ_MEMDC];
    Gdiplus::GdiplusShutdown(token);
    return nAfter > nBefore;
}

LONG CResourceMeter::ProbeUserObjects()
{
    LONG nCount = Total(OwnWindowClasses());
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
