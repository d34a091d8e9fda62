// A host application for Tavrin.dll: loads the module, creates its tool
// manager panel for a main window, shows it and runs a message loop that
// offers every message to the module first. GDI+ is started here only for the
// host's own PNG snapshot; the module starts what it needs itself.
//
// With --watch-skin the host is a live preview: it polls the author's skin
// folder from a timer in its loop, copies a settled change over the module's
// Config folder and enters the panel again, which reads the skin anew.
#include <windows.h>
#include <gdiplus.h>
#include <cstdio>
#include "HostOptions.h"
#include "ModuleLoader.h"
#include "PanelSnapshot.h"
#include "SkinWatcher.h"

namespace {
const UINT_PTR kSnapshotTimer = 1;
const UINT_PTR kWatchTimer = 2;
const UINT kSnapshotDelayMs = 1500; // long enough for the first paints under wine
const UINT kWatchPollMs = 300;

struct HostState
{
    HWND hPanel = nullptr;
    std::wstring screenshotPath;
    int exitCode = 0;
    ModuleLoader* module = nullptr;
    SkinWatcher* watcher = nullptr; // set while previewing
};
HostState g_host;

void Report(const std::wstring& text)
{
    fwprintf(stderr, L"TavrinHost: %ls\n", text.c_str());
}

void TakeSnapshotAndQuit(HWND hMain)
{
    KillTimer(hMain, kSnapshotTimer);
    std::wstring error;
    if (!SaveWindowAsPng(g_host.hPanel, g_host.screenshotPath, error)) {
        Report(error);
        g_host.exitCode = 1;
    }
    DestroyWindow(hMain);
}

// The preview replaces the screenshot in one step, so a reader of the file
// never sees half of it.
void TakeSnapshotAndGoOn(HWND hMain)
{
    KillTimer(hMain, kSnapshotTimer);
    std::wstring error, temporary = g_host.screenshotPath + L".part";
    if (!SaveWindowAsPng(g_host.hPanel, temporary, error))
        Report(error);
    else if (!MoveFileExW(temporary.c_str(), g_host.screenshotPath.c_str(), MOVEFILE_REPLACE_EXISTING))
        Report(L"cannot replace " + g_host.screenshotPath);
}

void ShowPanel(HWND hMain, HWND hPanel);

// Copies the author's skin beside the module and enters the panel again.
void ReloadSkin(HWND hMain)
{
    std::wstring error;
    if (!g_host.watcher->CopyToTarget(error))
        Report(error);
    g_host.module->Enter(hMain, &g_host.hPanel, 0);
    if (!g_host.hPanel) {
        Report(L"the module created no panel");
        return;
    }
    ShowPanel(hMain, g_host.hPanel);
    Report(L"skin reloaded");
    if (!g_host.screenshotPath.empty())
        SetTimer(hMain, kSnapshotTimer, kSnapshotDelayMs, nullptr);
}

LRESULT CALLBACK MainWndProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_TIMER:
        if (wParam == kSnapshotTimer) {
            if (g_host.watcher)
                TakeSnapshotAndGoOn(hWnd);
            else
                TakeSnapshotAndQuit(hWnd);
            return 0;
        }
        if (wParam == kWatchTimer) {
            if (g_host.watcher->PollSettledChange())
                ReloadSkin(hWnd);
            return 0;
        }
        break;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(hWnd, msg, wParam, lParam);
}

HWND CreateMainWindow(HINSTANCE hInst)
{
    WNDCLASSEXW wc = {sizeof(wc)};
    wc.lpfnWndProc = MainWndProc;
    wc.hInstance = hInst;
    wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1);
    wc.lpszClassName = L"TavrinHostMain";
    RegisterClassExW(&wc);
    return CreateWindowExW(0, wc.lpszClassName, L"Tavrin host", WS_OVERLAPPEDWINDOW,
                           40, 40, 520, 600, nullptr, nullptr, hInst, nullptr);
}

// Places the panel inside the main window's client area, 20 pixels in.
void ShowPanel(HWND hMain, HWND hPanel)
{
    POINT origin = {20, 20};
    ClientToScreen(hMain, &origin);
    SetWindowPos(hPanel, nullptr, origin.x, origin.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(hPanel, SW_SHOW);
    UpdateWindow(hPanel);
}

int RunMessageLoop(ModuleLoader& module)
{
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (module.PreTranslate(&msg))
            continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return g_host.exitCode;
}

int RunHost(HINSTANCE hInst, const HostOptions& options)
{
    ModuleLoader module;
    std::wstring error;
    if (!module.Load(options.moduleDir, error)) {
        Report(error);
        return 2;
    }
    module.Initialize(0);
    g_host.module = &module;
    SkinWatcher watcher(options.watchSkinDir, module.Folder() + L"\\Config");
    if (!options.watchSkinDir.empty()) {
        g_host.watcher = &watcher;
        if (!watcher.CopyToTarget(error))
            Report(error);
    }
    HWND hMain = CreateMainWindow(hInst);
    ShowWindow(hMain, SW_SHOW);
    module.Enter(hMain, &g_host.hPanel, 0);
    if (!g_host.hPanel) {
        Report(L"the module created no panel");
        module.UnInitialize(0);
        DestroyWindow(hMain);
        return 3;
    }
    ShowPanel(hMain, g_host.hPanel);
    g_host.screenshotPath = options.screenshotPath;
    if (!g_host.screenshotPath.empty())
        SetTimer(hMain, kSnapshotTimer, kSnapshotDelayMs, nullptr);
    if (g_host.watcher)
        SetTimer(hMain, kWatchTimer, kWatchPollMs, nullptr);
    int code = RunMessageLoop(module);
    g_host.watcher = nullptr;
    module.UnInitialize(0);
    return code;
}
}

int WINAPI wWinMain(HINSTANCE hInst, HINSTANCE, PWSTR, int)
{
    HostOptions options = HostOptions::Parse(__argc, __wargv);
    if (!options.valid) {
        Report(options.error);
        return 2;
    }
    // COM on the UI thread lets screen readers reach the panel's accessible object.
    HRESULT hrCom = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    Gdiplus::GdiplusStartupInput gdiplusInput;
    ULONG_PTR gdiplusToken = 0;
    Gdiplus::GdiplusStartup(&gdiplusToken, &gdiplusInput, nullptr);
    int code = RunHost(hInst, options);
    Gdiplus::GdiplusShutdown(gdiplusToken);
    if (SUCCEEDED(hrCom))
        CoUninitialize();
    return code;
}
