// Tavrin.dll loaded as a host loads it, with a host window of its own and
// the message loop a host runs.
#pragma once
#include <windows.h>
#include <functional>
#include <string>

class CBenchModule
{
public:
    using InitializeFn = int(WINAPI*)(DWORD);
    using EnterFn = int(WINAPI*)(HWND, HWND*, DWORD);
    using PreTranslateFn = BOOL(__cdecl*)(MSG*);

    HMODULE hModule = nullptr;
    InitializeFn initialize = nullptr;
    InitializeFn uninitialize = nullptr;
    EnterFn enter = nullptr;
    PreTranslateFn preTranslate = nullptr;
    HWND hHost = nullptr;
    HWND hPanel = nullptr; // the last panel opened
    // Called just before QmUIFunEnter (true) and just after it (false).
    std::function<void(bool)> aroundEnter;

    bool Load();
    void Unload();
    void Pump() const;
    // A new panel for the catalog, shown and painted. pCreateMs receives the
    // time of QmUIFunEnter alone: the previous panel's window is destroyed
    // before, as closing its owner would destroy it (under Wine destroying a
    // shown window waits for the display server), and the module's libraries
    // stay started from the first call on.
    HWND Open(const std::wstring& strCatalog, double* pCreateMs = nullptr);
    // QmUIFunUnInitialize, which destroys the panel and stops the module's
    // libraries; gives its milliseconds.
    double Stop();
};

template <class Fn>
Fn Export(HMODULE hModule, const char* pszName)
{
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(hModule, pszName)));
}

// One wheel notch down (or up) over the grid, painted at once.
void Wheel(HWND hPanel, bool bDown);
int ScrollPos(HWND hPanel);
