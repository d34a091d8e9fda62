#include "ModuleHost.h"
#include <gtest/gtest.h>
#include "support/HostWindow.h"

const POINT ModuleHost::kPanelOrigin = {100, 100};

namespace {

const wchar_t kHostClass[] = L"TavrinTestHost";
const wchar_t* const kModuleFiles[] = {L"Tavrin.dll", L"Pellix.dll"};
const DWORD kQuietMs = 120;          // no message for this long counts as idle
const DWORD kIdleLimitMs = 5000;     // a loop that never goes quiet stops here

template <class Fn>
bool Resolve(HMODULE hModule, const char* pszName, Fn& fn)
{
    fn = reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(hModule, pszName)));
    EXPECT_NE(nullptr, reinterpret_cast<void*>(fn)) << "Tavrin.dll does not export " << pszName;
    return fn != nullptr;
}

} // namespace

ModuleHost::ModuleHost() : m_folder(L"tavrin panel")
{
    CString strSource = ProgramFolder();
    for (const wchar_t* pszFile : kModuleFiles)
        EXPECT_TRUE(CopyFileW(strSource + pszFile, Folder() + pszFile, FALSE)) << CString(pszFile).ToAnsi();
    CreateDirectoryW(Folder() + L"Config", nullptr);
    CreateDirectoryW(Folder() + L"Config\\Default", nullptr);
    m_hHost = CreateHostWindow(kHostClass, L"Panel test host", {700, 100, 900, 250});
}

ModuleHost::~ModuleHost()
{
    Unload();
    DestroyWindow(m_hHost);
}

bool ModuleHost::Load()
{
    // Its own dependencies (Pellix.dll) are found beside the module.
    m_hModule = LoadLibraryExW(Folder() + L"Tavrin.dll", nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    EXPECT_NE(nullptr, m_hModule) << "cannot load Tavrin.dll, error " << GetLastError();
    if (!m_hModule)
        return false;
    bool bResolved = Resolve(m_hModule, "QmUIFunInitialize", Initialize) &&
                     Resolve(m_hModule, "QmUIFunUnInitialize", UnInitialize) &&
                     Resolve(m_hModule, "QmUIFunEnter", EnterExport) &&
                     Resolve(m_hModule, "DllPreTranslateMessage", PreTranslate);
    if (bResolved) {
        EXPECT_EQ(0, Initialize(0));
    }
    return bResolved;
}

void ModuleHost::Unload()
{
    if (!m_hModule)
        return;
    if (UnInitialize)
        UnInitialize(0);
    PumpUntilIdle();
    FreeLibrary(m_hModule);
    m_hModule = nullptr;
    m_hPanel = nullptr;
    Initialize = UnInitialize = nullptr;
    EnterExport = nullptr;
    PreTranslate = nullptr;
}

void ModuleHost::UseToolService(const CString& strLibrary)
{
    EXPECT_TRUE(CopyFileW(strLibrary, Folder() + L"Pellix.dll", FALSE)) << strLibrary.ToAnsi();
}

HMODULE ModuleHost::ToolService() const
{
    return GetModuleHandleW(Folder() + L"Pellix.dll");
}

HWND ModuleHost::Enter()
{
    HWND hPanel = reinterpret_cast<HWND>(static_cast<INT_PTR>(-1));
    EXPECT_EQ(0, EnterExport(m_hHost, &hPanel, 0));
    m_hPanel = hPanel;
    return hPanel;
}

void ModuleHost::ShowPanel()
{
    SetWindowPos(m_hPanel, HWND_TOP, kPanelOrigin.x, kPanelOrigin.y, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
    UpdateWindow(m_hPanel);
    PumpUntilIdle();
}

void ModuleHost::DispatchOne(const MSG& msg)
{
    MSG copy = msg;
    if (PreTranslate && PreTranslate(&copy)) {
        m_translated.push_back(msg);
        return;
    }
    TranslateMessage(&copy);
    DispatchMessageW(&copy);
}

bool ModuleHost::PeekAndDispatch(HWND hWnd)
{
    MSG msg;
    if (!PeekMessageW(&msg, hWnd, 0, 0, PM_REMOVE))
        return false;
    DispatchOne(msg);
    return true;
}

void ModuleHost::PumpUntilIdle()
{
    DWORD dwStart = GetTickCount(), dwLastMessage = dwStart;
    while (GetTickCount() - dwStart < kIdleLimitMs) {
        if (PeekAndDispatch(nullptr)) {
            dwLastMessage = GetTickCount();
            continue;
        }
        if (GetTickCount() - dwLastMessage >= kQuietMs)
            break;
        MsgWaitForMultipleObjectsEx(0, nullptr, kQuietMs, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    }
}

bool ModuleHost::PumpUntil(const std::function<bool()>& bDone, DWORD nTimeoutMs)
{
    DWORD dwStart = GetTickCount();
    while (!bDone()) {
        if (GetTickCount() - dwStart >= nTimeoutMs)
            return bDone();
        if (!PeekAndDispatch(nullptr))
            MsgWaitForMultipleObjectsEx(0, nullptr, 20, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    }
    return true;
}

void ModuleHost::PumpWindow(HWND hWnd)
{
    while (PeekAndDispatch(hWnd)) {
    }
}

void ModuleHost::PostToPanel(UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    PostMessageW(m_hPanel, uMsg, wParam, lParam);
    PumpUntilIdle();
}
