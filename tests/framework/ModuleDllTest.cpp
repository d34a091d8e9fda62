// Each binary that links the framework has its own module state: a DLL's
// exports see the DLL's instance, application object and window map.
#include "FrameworkTestSupport.h"
#include <gtest/gtest.h>

namespace {

// Loads framework_test_dll.dll for the test's lifetime.
class CTestDll
{
public:
    CTestDll() : m_hModule(::LoadLibraryW(L"framework_test_dll.dll")) {}
    ~CTestDll() { Free(); }
    CTestDll(const CTestDll&) = delete;
    CTestDll& operator=(const CTestDll&) = delete;

    HMODULE Handle() const { return m_hModule; }
    template <class Fn>
    Fn Get(const char* pszName) const { return reinterpret_cast<Fn>(::GetProcAddress(m_hModule, pszName)); }
    void Free()
    {
        if (m_hModule)
            ::FreeLibrary(m_hModule);
        m_hModule = nullptr;
    }

private:
    HMODULE m_hModule;
};

} // namespace

TEST(ModuleDll, DllRunsInItsOwnModuleState)
{
    ::SetEnvironmentVariableW(L"FRAMEWORK_TEST_DLL_EXIT", nullptr);
    CWinApp exeApp;
    CTestDll dll;
    ASSERT_NE(nullptr, dll.Handle()) << "framework_test_dll.dll beside the test program";

    auto initCount = dll.Get<int (*)()>("FrameworkDllInitCount");
    auto instance = dll.Get<HINSTANCE (*)()>("FrameworkDllInstance");
    auto appIsOwn = dll.Get<BOOL (*)()>("FrameworkDllAppIsOwn");
    auto createWindow = dll.Get<HWND (*)()>("FrameworkDllCreateWindow");
    auto preTranslate = dll.Get<BOOL (*)(MSG*)>("FrameworkDllPreTranslate");
    ASSERT_TRUE(initCount && instance && appIsOwn && createWindow && preTranslate);

    EXPECT_EQ(1, initCount()) << "InitInstance ran once, from DllMain";
    EXPECT_EQ(reinterpret_cast<HINSTANCE>(dll.Handle()), instance());
    EXPECT_TRUE(appIsOwn());
    EXPECT_EQ(&exeApp, AfxGetApp()) << "the program keeps its own application object";
    EXPECT_EQ(::GetModuleHandleW(nullptr), AfxGetInstanceHandle());

    // The DLL's window is in the DLL's map only.
    HWND hDllWnd = createWindow();
    ASSERT_NE(nullptr, hDllWnd);
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hDllWnd));
    MSG key = { hDllWnd, WM_KEYDOWN, 'A', 0, 0, { 0, 0 } };
    EXPECT_TRUE(preTranslate(&key));
    EXPECT_FALSE(exeApp.PreTranslateMessage(&key));

    // The program's window is foreign to the DLL.
    CWnd exeWnd;
    ASSERT_TRUE(exeWnd.CreateEx(0, nullptr, L"exe window", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr));
    MSG exeKey = { exeWnd.m_hWnd, WM_KEYDOWN, 'A', 0, 0, { 0, 0 } };
    EXPECT_FALSE(preTranslate(&exeKey));

    ::DestroyWindow(hDllWnd);
    dll.Free();
    wchar_t szExit[4] = {};
    EXPECT_EQ(1u, ::GetEnvironmentVariableW(L"FRAMEWORK_TEST_DLL_EXIT", szExit, 4)) << "ExitInstance ran at unload";
}
