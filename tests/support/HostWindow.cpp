#include "HostWindow.h"

HWND CreateHostWindow(const wchar_t* pszClass, const wchar_t* pszTitle, const RECT& rc)
{
    WNDCLASSW wc = {};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1);
    wc.lpszClassName = pszClass;
    RegisterClassW(&wc);
    return CreateWindowExW(0, pszClass, pszTitle, WS_OVERLAPPEDWINDOW, rc.left, rc.top, rc.right - rc.left,
                           rc.bottom - rc.top, nullptr, nullptr, wc.hInstance, nullptr);
}
