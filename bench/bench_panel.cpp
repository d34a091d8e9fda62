// Cost of the tool manager panel for catalogs of 10, 1,000 and 10,000 tools:
// creating the panel (which loads the skin and fills the grid), one full
// repaint, and one repaint driven by the pointer moving onto another item.
// The module is loaded as a host loads it; each figure is also printed as a
// ratio to the 10-tool case.
#include <windows.h>
#include <gdiplus.h>
#include <cstdio>
#include <fstream>
#include <string>

namespace {

using InitializeFn = int(WINAPI*)(DWORD);
using EnterFn = int(WINAPI*)(HWND, HWND*, DWORD);
using PreTranslateFn = BOOL(__cdecl*)(MSG*);

const int kRepeats = 5;

double Now()
{
    LARGE_INTEGER f, t;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) * 1000.0 / static_cast<double>(f.QuadPart);
}

std::wstring TempCatalog(int nTools)
{
    wchar_t dir[MAX_PATH];
    GetTempPathW(MAX_PATH, dir);
    std::wstring path = std::wstring(dir) + L"tavrin_bench_" + std::to_wstring(nTools) + L".ini";
    std::ofstream out(path.c_str(), std::ios::binary);
    for (int i = 0; i < nTools; ++i)
        out << "[Tool]\r\nName=Tool " << i << "\r\nId=bench." << i << "\r\nVersion=1.0\r\nDescription=Benchmark tool "
            << i << "\r\nIcon=ToolIcons\\tool" << (i % 9 + 1 < 10 ? "0" : "") << (i % 9 + 1)
            << ".png\r\nListed=1\r\nCommand=cmd.exe\r\n";
    return path;
}

void Pump(PreTranslateFn preTranslate)
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (preTranslate(&msg))
            continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

struct Figures
{
    double create = 0, repaint = 0, hover = 0;
};

Figures Measure(HWND hHost, EnterFn enter, InitializeFn uninitialize, PreTranslateFn preTranslate, int nTools)
{
    SetEnvironmentVariableW(L"PELLIX_CATALOG", TempCatalog(nTools).c_str());
    Figures f;
    for (int r = 0; r < kRepeats; ++r) {
        // The previous panel goes first, outside the timing: destroying a shown
        // window waits for the display server under Wine.
        uninitialize(0);
        Pump(preTranslate);
        HWND hPanel = nullptr;
        double t0 = Now();
        enter(hHost, &hPanel, 0);
        f.create += Now() - t0;
        ShowWindow(hPanel, SW_SHOWNOACTIVATE);
        Pump(preTranslate);

        t0 = Now();
        RedrawWindow(hPanel, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        f.repaint += Now() - t0;

        // Alternate between two items so every move changes the hovered item.
        LPARAM pt = MAKELPARAM(r % 2 ? 50 : 130, 100);
        t0 = Now();
        SendMessageW(hPanel, WM_MOUSEMOVE, 0, pt);
        UpdateWindow(hPanel);
        f.hover += Now() - t0;
    }
    f.create /= kRepeats;
    f.repaint /= kRepeats;
    f.hover /= kRepeats;
    return f;
}

HWND CreateHostWindow()
{
    WNDCLASSW wc = {};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"TavrinBenchHost";
    RegisterClassW(&wc);
    return CreateWindowW(wc.lpszClassName, L"bench host", WS_OVERLAPPEDWINDOW, 0, 0, 200, 200, nullptr, nullptr,
                         wc.hInstance, nullptr);
}

} // namespace

int main()
{
    Gdiplus::GdiplusStartupInput input;
    ULONG_PTR token = 0;
    Gdiplus::GdiplusStartup(&token, &input, nullptr);
    HMODULE hModule = LoadLibraryW(L"Tavrin.dll"); // with its default skin beside it
    if (!hModule) {
        std::printf("cannot load Tavrin.dll\n");
        return 1;
    }
    auto initialize = reinterpret_cast<InitializeFn>(reinterpret_cast<void*>(GetProcAddress(hModule, "QmUIFunInitialize")));
    auto uninitialize = reinterpret_cast<InitializeFn>(reinterpret_cast<void*>(GetProcAddress(hModule, "QmUIFunUnInitialize")));
    auto enter = reinterpret_cast<EnterFn>(reinterpret_cast<void*>(GetProcAddress(hModule, "QmUIFunEnter")));
    auto preTranslate = reinterpret_cast<PreTranslateFn>(reinterpret_cast<void*>(GetProcAddress(hModule, "DllPreTranslateMessage")));
    initialize(0);
    HWND hHost = CreateHostWindow();

    const int counts[] = {10, 1000, 10000};
    Figures base;
    std::printf("%-8s %14s %14s %14s\n", "tools", "create ms", "repaint ms", "hover ms");
    for (int n : counts) {
        Figures f = Measure(hHost, enter, uninitialize, preTranslate, n);
        if (n == counts[0])
            base = f;
        std::printf("%-8d %8.2f (%4.1fx) %8.2f (%4.1fx) %8.2f (%4.1fx)\n", n, f.create, f.create / base.create,
                    f.repaint, f.repaint / base.repaint, f.hover, f.hover / base.hover);
    }
    uninitialize(0);
    DestroyWindow(hHost);
    FreeLibrary(hModule);
    Gdiplus::GdiplusShutdown(token);
    return 0;
}
