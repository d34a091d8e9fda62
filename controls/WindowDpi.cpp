#include "controls/WindowDpi.h"
#include "framework/CClientDC.h"
#include "skin/CDpiScale.h"

namespace {

template <class Fn>
Fn User32Function(const char* pszName)
{
    HMODULE hUser32 = ::GetModuleHandleW(L"user32.dll");
    return hUser32 ? reinterpret_cast<Fn>(reinterpret_cast<void*>(::GetProcAddress(hUser32, pszName))) : nullptr;
}

int ScreenDpi()
{
    CClientDC screen(nullptr);
    int nDpi = screen.GetSafeHdc() ? ::GetDeviceCaps(screen.GetSafeHdc(), LOGPIXELSX) : 0;
    return nDpi > 0 ? nDpi : CDpiScale::kBaseDpi;
}

} // namespace

int WindowDpi(HWND hWnd)
{
    using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
    static const auto pGetDpiForWindow = User32Function<GetDpiForWindowFn>("GetDpiForWindow");
    if (pGetDpiForWindow) {
        UINT nDpi = hWnd ? pGetDpiForWindow(hWnd) : 0;
        return nDpi > 0 ? static_cast<int>(nDpi) : CDpiScale::kBaseDpi;
    }
    return ::IsProcessDPIAware() ? ScreenDpi() : CDpiScale::kBaseDpi;
}

int SystemMetricForDpi(int nIndex, int nDpi)
{
    using GetSystemMetricsForDpiFn = int(WINAPI*)(int, UINT);
    static const auto pGetSystemMetricsForDpi = User32Function<GetSystemMetricsForDpiFn>("GetSystemMetricsForDpi");
    if (pGetSystemMetricsForDpi)
        return pGetSystemMetricsForDpi(nIndex, static_cast<UINT>(nDpi));
    return ::GetSystemMetrics(nIndex);
}
