#include "CBenchModule.h"
#include "BenchFiles.h"

bool CBenchModule::Load()
{
    hModule = LoadLibraryW(L"Tavrin.dll"); // with its default skin beside it
    if (!hModule)
        return false;
    initialize = Export<InitializeFn>(hModule, "QmUIFunInitialize");
    uninitialize = Export<InitializeFn>(hModule, "QmUIFunUnInitialize");
    enter = Export<EnterFn>(hModule, "QmUIFunEnter");
    preTranslate = Export<PreTranslateFn>(hModule, "DllPreTranslateMessage");
    initialize(0);
    WNDCLASSW wc = {};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"TavrinBenchHost";
    RegisterClassW(&wc);
    hHost = CreateWindowW(wc.lpszClassName, L"bench host", WS_OVERLAPPEDWINDOW, 0, 0, 200, 200, nullptr, nullptr,
                          wc.hInstance, nullptr);
    return true;
}

void CBenchModule::Unload()
{
    uninitialize(0);
    DestroyWindow(hHost);
    FreeLibrary(hModule);
}

void CBenchModule::Pump() const
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (preTranslate(&msg))
            continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

HWND CBenchModule::Open(const std::wstring& strCatalog, double* pCreateMs)
{
    if (hPanel)
        DestroyWindow(hPanel);
    Pump();
    SetEnvironmentVariableW(L"PELLIX_CATALOG", strCatalog.c_str());
    hPanel = nullptr;
    if (aroundEnter)
        aroundEnter(true);
    double t0 = Now();
    enter(hHost, &hPanel, 0);
    double t1 = Now();
    if (aroundEnter)
        aroundEnter(false);
    if (pCreateMs)
        *pCreateMs = t1 - t0;
    SetWindowPos(hPanel, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(hPanel, SW_SHOWNOACTIVATE);
    UpdateWindow(hPanel);
    Pump();
    return hPanel;
}

double CBenchModule::Stop()
{
    double t0 = Now();
    uninitialize(0);
    double ms = Now() - t0;
    hPanel = nullptr;
    Pump();
    return ms;
}

void Wheel(HWND hPanel, bool bDown)
{
    POINT pt = {100, 200};
    ClientToScreen(hPanel, &pt);
    SendMessageW(hPanel, WM_MOUSEWHEEL, MAKEWPARAM(0, bDown ? -WHEEL_DELTA : WHEEL_DELTA), MAKELPARAM(pt.x, pt.y));
    UpdateWindow(hPanel);
}

int ScrollPos(HWND hPanel)
{
    SCROLLINFO si = {sizeof(si), SIF_POS, 0, 0, 0, 0, 0};
    GetScrollInfo(hPanel, SB_VERT, &si);
    return si.nPos;
}

