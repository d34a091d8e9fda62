// A DLL that links its own copy of the framework, as the module does: its
// DllMain starts the framework, its exports run inside its module state.
#include "framework/Afx.h"

namespace {

class CTestDllApp : public CWinApp
{
public:
    int m_nInit = 0;

    BOOL InitInstance() override
    {
        ++m_nInit;
        return CWinApp::InitInstance();
    }
    int ExitInstance() override
    {
        // The process environment outlives the DLL, so the loader can check it.
        ::SetEnvironmentVariableW(L"FRAMEWORK_TEST_DLL_EXIT", L"1");
        return CWinApp::ExitInstance();
    }
};

CTestDllApp theApp;

// Translates every key press, as the module's panel does with its tooltips.
class CKeyTrapWnd : public CWnd
{
public:
    BOOL PreTranslateMessage(MSG* pMsg) override { return pMsg->message == WM_KEYDOWN; }
    void PostNcDestroy() override { delete this; }
};

} // namespace

extern "C" {

__declspec(dllexport) int FrameworkDllInitCount()
{
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    return theApp.m_nInit;
}

__declspec(dllexport) HINSTANCE FrameworkDllInstance()
{
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    return AfxGetInstanceHandle();
}

__declspec(dllexport) BOOL FrameworkDllAppIsOwn()
{
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    return AfxGetApp() == &theApp;
}

__declspec(dllexport) HWND FrameworkDllCreateWindow()
{
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    auto* pWnd = new CKeyTrapWnd;
    if (!pWnd->CreateEx(0, nullptr, L"dll window", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr)) {
        delete pWnd;
        return nullptr;
    }
    return pWnd->m_hWnd;
}

__declspec(dllexport) BOOL FrameworkDllPreTranslate(MSG* pMsg)
{
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    return AfxGetApp()->PreTranslateMessage(pMsg);
}

} // extern "C"

extern "C" BOOL WINAPI DllMain(HINSTANCE hInstDll, DWORD dwReason, LPVOID)
{
    if (dwReason == DLL_PROCESS_ATTACH)
        return AfxDllProcessAttach(hInstDll);
    if (dwReason == DLL_PROCESS_DETACH)
        AfxDllProcessDetach();
    return TRUE;
}
