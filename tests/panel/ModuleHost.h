// Plays the host application for Tavrin.dll: a fresh module folder holding
// copies of Tavrin.dll and Pellix.dll (the skin and the log go to its Config
// folder), the module loaded from there with its four exports,
// a host window that owns the panel, and a message loop that offers every
// message to DllPreTranslateMessage before dispatching it.
#pragma once
#include <windows.h>
#include <functional>
#include <vector>
#include "include/Tavrin.h"
#include "support/CTempFolder.h"
#include "support/TestFiles.h"

class ModuleHost
{
public:
    using InitializeFn = PFN_QMUIFUNINITIALIZE;
    using EnterFn = PFN_QMUIFUNENTER;
    using PreTranslateFn = PFN_DLLPRETRANSLATEMESSAGE;

    // Where the host shows the panel, in screen coordinates.
    static const POINT kPanelOrigin;

    ModuleHost();
    ~ModuleHost();
    ModuleHost(const ModuleHost&) = delete;
    ModuleHost& operator=(const ModuleHost&) = delete;

    const CString& Folder() const { return m_folder.Path(); } // the module's folder
    CString ConfigFile(const wchar_t* pszName) const { return Folder() + L"Config\\" + pszName; }

    // Loads the module from the folder (which reads the log switches) and
    // calls QmUIFunInitialize; false when the module or an export is missing.
    bool Load();
    // QmUIFunUnInitialize, then unloads the module.
    void Unload();
    // Before Load: puts another tool-service library beside the module in
    // place of Pellix.dll.
    void UseToolService(const CString& strLibrary);
    // After Load: the tool-service library that the module loaded.
    HMODULE ToolService() const;

    // QmUIFunEnter with the host window; returns the panel's handle.
    HWND Enter();
    HWND Panel() const { return m_hPanel; }
    HWND HostWindow() const { return m_hHost; }

    InitializeFn Initialize = nullptr;
    InitializeFn UnInitialize = nullptr;
    EnterFn EnterExport = nullptr;
    PreTranslateFn PreTranslate = nullptr;

    // Places the panel at kPanelOrigin, shows it and lets it paint.
    void ShowPanel();

    // Runs the message loop until no message has arrived for a short while
    // (bounded by a few seconds).
    void PumpUntilIdle();
    // Runs the message loop until bDone() holds or nTimeoutMs have passed;
    // returns bDone().
    bool PumpUntil(const std::function<bool()>& bDone, DWORD nTimeoutMs = 5000);
    // Handles the queued messages of one window only.
    void PumpWindow(HWND hWnd);
    // Posts a message to the panel and runs the loop until idle.
    void PostToPanel(UINT uMsg, WPARAM wParam, LPARAM lParam);

    // Messages that DllPreTranslateMessage reported as handled.
    const std::vector<MSG>& Translated() const { return m_translated; }

private:
    void DispatchOne(const MSG& msg);
    bool PeekAndDispatch(HWND hWnd);

    CTempFolder m_folder;
    HMODULE m_hModule = nullptr;
    HWND m_hHost = nullptr;
    HWND m_hPanel = nullptr;
    std::vector<MSG> m_translated;
};
