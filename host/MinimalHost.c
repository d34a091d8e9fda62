/*
 * The smallest complete host of Tavrin.dll, in plain C: a main window, the
 * tool manager panel inside it, and a message loop that offers every message
 * to the module first. Its manifest (DpiAware.manifest) makes it per-monitor
 * DPI aware, so that the panel is drawn sharp at every display scale. Build
 * with MinGW:
 *     windres DpiAware.rc -o DpiAware.o
 *     gcc MinimalHost.c DpiAware.o -Iinclude -Llib -lTavrin -mwindows -o MinimalHost.exe
 * or with Visual Studio:
 *     cl MinimalHost.c /Iinclude lib\Tavrin.lib user32.lib /link /MANIFEST:EMBED /MANIFESTINPUT:DpiAware.manifest
 * and run it beside Tavrin.dll, Pellix.dll and the Config folder.
 */
#include <windows.h>
#include "Tavrin.h"

static LRESULT CALLBACK MainWndProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(hWnd, msg, wParam, lParam);
}

static HWND CreateMainWindow(HINSTANCE hInst)
{
    WNDCLASSW wc = {0};
    wc.lpfnWndProc = MainWndProc;
    wc.hInstance = hInst;
    wc.hCursor = LoadCursorW(NULL, (LPCWSTR)IDC_ARROW);
    wc.hbrBackground = (HBRUSH)(COLOR_APPWORKSPACE + 1);
    wc.lpszClassName = L"MinimalTavrinHost";
    RegisterClassW(&wc);
    return CreateWindowW(wc.lpszClassName, L"Minimal Tavrin host", WS_OVERLAPPEDWINDOW,
                         40, 40, 520, 600, NULL, NULL, hInst, NULL);
}

int WINAPI WinMain(HINSTANCE hInst, HINSTANCE hPrev, LPSTR pszCmdLine, int nShow)
{
    HWND hMain, hPanel = NULL;
    POINT origin = {20, 20};
    MSG msg;

    (void)hPrev;
    (void)pszCmdLine;
    QmUIFunInitialize(0);
    hMain = CreateMainWindow(hInst);
    ShowWindow(hMain, nShow);

    /* The panel is created hidden; the host places and shows it. */
    QmUIFunEnter(hMain, &hPanel, 0);
    if (!hPanel) {
        QmUIFunUnInitialize(0);
        return 1;
    }
    ClientToScreen(hMain, &origin);
    SetWindowPos(hPanel, NULL, origin.x, origin.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(hPanel, SW_SHOW);

    /* The module sees every message first: tooltips and dialog keys need it. */
    while (GetMessageW(&msg, NULL, 0, 0) > 0) {
        if (DllPreTranslateMessage(&msg))
            continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }

    QmUIFunUnInitialize(0);
    return (int)msg.wParam;
}
