// The fault table. Each row fails its import as the platform does when it
// runs out of something: allocations and creations answer null with the
// last error (or errno) the system sets, GDI+ answers OutOfMemory, COM
// E_OUTOFMEMORY, files and registry keys the errors of a refused access.
// Strides: the full sweep tries every one of the first kDenseCalls calls and
// then every m-th; the suite's sample tries call 1 and then every s-th, so
// that it takes about three minutes per build.
#include "FaultImport.h"
#include <gdiplus.h>
#include <commctrl.h>
#include <objbase.h>
#include <shlwapi.h>
#include <cstdlib>
#include <cstring>
#include "FaultHook.h"

using namespace Gdiplus::DllExports;

namespace {

// CreateWindowExW is two rows: the tooltip's window (the row after nRow) and every other window.
template <size_t nRow>
HWND WINAPI CreateWindowHook(DWORD dwExStyle, LPCWSTR pszClass, LPCWSTR pszName, DWORD dwStyle, int x, int y,
                             int nWidth, int nHeight, HWND hParent, HMENU hMenu, HINSTANCE hInstance, LPVOID pParam)
{
    bool bTooltip = !IS_INTRESOURCE(pszClass) && _wcsicmp(pszClass, TOOLTIPS_CLASSW) == 0;
    size_t nCounted = bTooltip ? nRow + 1 : nRow;
    if (CFaultInjector::Fails(nCounted, __builtin_return_address(0)))
        return FaultValue<HWND>(FaultImports()[nCounted]);
    return reinterpret_cast<decltype(&CreateWindowExW)>(CFaultInjector::Original(nRow))(
        dwExStyle, pszClass, pszName, dwStyle, x, y, nWidth, nHeight, hParent, hMenu, hInstance, pParam);
}

// Each hook's row is its position in the table, which __COUNTER__ numbers.
const int kFirstRow = __COUNTER__ + 1;
#define ROW (__COUNTER__ - kFirstRow)
#define HOOK(function) reinterpret_cast<void*>(&FaultHook<ROW, decltype(&function)>::Call)
#define CRT_HOOK(...) reinterpret_cast<void*>(&CrtFaultHook<ROW, __VA_ARGS__>::Call)
#define COUNTED_BY_THE_ROW_ABOVE (static_cast<void>(ROW), nullptr)

const intptr_t kNull = 0;
const intptr_t kInvalidHandle = -1;
const char kNullNoMemory[] = "null, ERROR_NOT_ENOUGH_MEMORY";

} // namespace

const std::vector<FaultImport>& FaultImports()
{
    static const std::vector<FaultImport> kRows = {
        {"malloc", "msvcrt.dll", "malloc", "null, errno ENOMEM", kNull, 0, ENOMEM, 10, 101,
         CRT_HOOK(void*, size_t)},
        {"calloc", "msvcrt.dll", "calloc", "null, errno ENOMEM", kNull, 0, ENOMEM, 10, 101,
         CRT_HOOK(void*, size_t, size_t)},
        {"realloc", "msvcrt.dll", "realloc", "null, errno ENOMEM", kNull, 0, ENOMEM, 10, 101,
         CRT_HOOK(void*, void*, size_t)},
        {"HeapAlloc", "kernel32.dll", "HeapAlloc", kNullNoMemory, kNull, ERROR_NOT_ENOUGH_MEMORY, 0, 10, 1,
         HOOK(HeapAlloc)},
        {"GlobalAlloc", "kernel32.dll", "GlobalAlloc", kNullNoMemory, kNull, ERROR_NOT_ENOUGH_MEMORY, 0, 10, 1,
         HOOK(GlobalAlloc)},
        {"CreateWindowExW", "user32.dll", "CreateWindowExW", kNullNoMemory, kNull, ERROR_NOT_ENOUGH_MEMORY, 0, 1,
         1, reinterpret_cast<void*>(&CreateWindowHook<ROW>)},
        {"CreateWindowExW (tooltip)", "user32.dll", "CreateWindowExW", kNullNoMemory, kNull,
         ERROR_NOT_ENOUGH_MEMORY, 0, 1, 1, COUNTED_BY_THE_ROW_ABOVE},
        {"CreateDialogIndirectParamW", "user32.dll", "CreateDialogIndirectParamW", kNullNoMemory, kNull,
         ERROR_NOT_ENOUGH_MEMORY, 0, 1, 1, HOOK(CreateDialogIndirectParamW)},
        {"SetTimer", "user32.dll", "SetTimer", "0, ERROR_NOT_ENOUGH_MEMORY", kNull, ERROR_NOT_ENOUGH_MEMORY, 0, 1, 1,
         HOOK(SetTimer)},
        {"CreateCompatibleDC", "gdi32.dll", "CreateCompatibleDC", kNullNoMemory, kNull, ERROR_NOT_ENOUGH_MEMORY, 0,
         1, 1, HOOK(CreateCompatibleDC)},
        {"CreateDIBSection", "gdi32.dll", "CreateDIBSection", kNullNoMemory, kNull, ERROR_NOT_ENOUGH_MEMORY, 0, 1, 1,
         HOOK(CreateDIBSection)},
        {"CreateFontW", "gdi32.dll", "CreateFontW", kNullNoMemory, kNull, ERROR_NOT_ENOUGH_MEMORY, 0, 1, 1,
         HOOK(CreateFontW)},
        {"CreateFontIndirectW", "gdi32.dll", "CreateFontIndirectW", kNullNoMemory, kNull, ERROR_NOT_ENOUGH_MEMORY, 0,
         1, 1, HOOK(CreateFontIndirectW)},
        {"GdipCreateBitmapFromStream", "gdiplus.dll", "GdipCreateBitmapFromStream", "OutOfMemory",
         Gdiplus::OutOfMemory, 0, 0, 1, 1, HOOK(GdipCreateBitmapFromStream)},
        {"GdipLoadImageFromStream", "gdiplus.dll", "GdipLoadImageFromStream", "OutOfMemory", Gdiplus::OutOfMemory,
         0, 0, 1, 1, HOOK(GdipLoadImageFromStream)},
        {"GdipCreateBitmapFromScan0", "gdiplus.dll", "GdipCreateBitmapFromScan0", "OutOfMemory",
         Gdiplus::OutOfMemory, 0, 0, 1, 1, HOOK(GdipCreateBitmapFromScan0)},
        {"GdipCreateFromHDC", "gdiplus.dll", "GdipCreateFromHDC", "OutOfMemory", Gdiplus::OutOfMemory, 0, 0, 1, 1,
         HOOK(GdipCreateFromHDC)},
        {"GdipGetImageGraphicsContext", "gdiplus.dll", "GdipGetImageGraphicsContext", "OutOfMemory",
         Gdiplus::OutOfMemory, 0, 0, 1, 2, HOOK(GdipGetImageGraphicsContext)},
        {"GdipCreateFontFamilyFromName", "gdiplus.dll", "GdipCreateFontFamilyFromName", "OutOfMemory",
         Gdiplus::OutOfMemory, 0, 0, 1, 1, HOOK(GdipCreateFontFamilyFromName)},
        {"GdipGetGenericFontFamilySansSerif", "gdiplus.dll", "GdipGetGenericFontFamilySansSerif", "OutOfMemory",
         Gdiplus::OutOfMemory, 0, 0, 1, 1, HOOK(GdipGetGenericFontFamilySansSerif)},
        {"GdipCreateFont", "gdiplus.dll", "GdipCreateFont", "OutOfMemory", Gdiplus::OutOfMemory, 0, 0, 1, 1,
         HOOK(GdipCreateFont)},
        {"GdipCreateStringFormat", "gdiplus.dll", "GdipCreateStringFormat", "OutOfMemory", Gdiplus::OutOfMemory, 0,
         0, 1, 1, HOOK(GdipCreateStringFormat)},
        {"GdipCreateSolidFill", "gdiplus.dll", "GdipCreateSolidFill", "OutOfMemory", Gdiplus::OutOfMemory, 0, 0, 1, 1, HOOK(GdipCreateSolidFill)},
        {"GdipCreatePen1", "gdiplus.dll", "GdipCreatePen1", "OutOfMemory", Gdiplus::OutOfMemory, 0, 0, 1, 1,
         HOOK(GdipCreatePen1)},
        {"CreateStreamOnHGlobal", "ole32.dll", "CreateStreamOnHGlobal", "E_OUTOFMEMORY", E_OUTOFMEMORY, 0, 0, 1, 1,
         HOOK(CreateStreamOnHGlobal)},
        {"SHCreateMemStream", "shlwapi.dll", "SHCreateMemStream", "null", kNull, 0, 0, 1, 1,
         HOOK(SHCreateMemStream)},
        {"CreateFileW", "kernel32.dll", "CreateFileW", "INVALID_HANDLE_VALUE, ERROR_ACCESS_DENIED", kInvalidHandle,
         ERROR_ACCESS_DENIED, 0, 1, 2, HOOK(CreateFileW)},
        {"ReadFile", "kernel32.dll", "ReadFile", "FALSE, ERROR_READ_FAULT", FALSE, ERROR_READ_FAULT, 0, 1, 2,
         HOOK(ReadFile)},
        {"RegOpenKeyW", "advapi32.dll", "RegOpenKeyW", "ERROR_ACCESS_DENIED", ERROR_ACCESS_DENIED, 0, 0, 1, 1,
         HOOK(RegOpenKeyW)},
        {"RegOpenKeyExW", "advapi32.dll", "RegOpenKeyExW", "ERROR_ACCESS_DENIED", ERROR_ACCESS_DENIED, 0, 0, 1, 1,
         HOOK(RegOpenKeyExW)},
        {"RegQueryValueExW", "advapi32.dll", "RegQueryValueExW", "ERROR_ACCESS_DENIED", ERROR_ACCESS_DENIED, 0, 0, 1,
         1, HOOK(RegQueryValueExW)},
    };
    return kRows;
}

const std::vector<FaultRegression>& FaultRegressions()
{
    static const std::vector<FaultRegression> kPoints = {
        {"malloc", "CXmlMemoryManager8allocate",
         "the XML library's start failed half-way and took itself for started: no later panel had its skin"},
    };
    return kPoints;
}

int FindFaultImport(const char* pszName)
{
    const std::vector<FaultImport>& rows = FaultImports();
    for (size_t i = 0; i < rows.size(); ++i)
        if (_stricmp(rows[i].pszName, pszName) == 0)
            return static_cast<int>(i);
    return -1;
}
