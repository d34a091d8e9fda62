// Each export called through its documented prototype on the 32-bit target:
// the three QmUIFun calls remove their own arguments (__stdcall), and
// DllPreTranslateMessage leaves them to the caller (__cdecl). The stack
// pointer is read in an assembly thunk right around the call, where no
// compiler-restored frame can hide a mismatch.
#include <windows.h>
#include <gtest/gtest.h>
#include <vector>
#include "panel/ModuleHost.h"

extern "C" int CallMeasuringEsp(const void* pfn, const DWORD* pArgs, int nArgs, int* pEspDelta);

namespace {

enum class Cleanup { Callee, Caller };

struct ExportCall
{
    const char* pszName;
    Cleanup cleanup;
    std::vector<DWORD> args;
};

TEST(StackCleanup, EachExportRemovesExactlyWhatItsConventionSays)
{
    ModuleHost host;
    ASSERT_TRUE(host.Load());
    HWND hPanel = nullptr;
    MSG msg = {host.HostWindow(), WM_NULL, 0, 0, 0, {0, 0}};
    const DWORD dwHost = static_cast<DWORD>(reinterpret_cast<UINT_PTR>(host.HostWindow()));
    const ExportCall calls[] = {
        {"QmUIFunInitialize", Cleanup::Callee, {7}},
        {"QmUIFunEnter", Cleanup::Callee, {dwHost, static_cast<DWORD>(reinterpret_cast<UINT_PTR>(&hPanel)), 7}},
        {"DllPreTranslateMessage", Cleanup::Caller, {static_cast<DWORD>(reinterpret_cast<UINT_PTR>(&msg))}},
        {"QmUIFunEnter", Cleanup::Callee, {dwHost, static_cast<DWORD>(reinterpret_cast<UINT_PTR>(&hPanel)), 0}},
        {"QmUIFunUnInitialize", Cleanup::Callee, {7}},
        {"QmUIFunUnInitialize", Cleanup::Callee, {0}},
    };
    HMODULE hModule = GetModuleHandleW(host.Folder() + L"Tavrin.dll");
    ASSERT_NE(nullptr, hModule);
    for (const ExportCall& call : calls) {
        SCOPED_TRACE(call.pszName);
        const void* pfn = reinterpret_cast<const void*>(GetProcAddress(hModule, call.pszName));
        ASSERT_NE(nullptr, pfn);
        int nDelta = 12345;
        int nResult = CallMeasuringEsp(pfn, call.args.data(), static_cast<int>(call.args.size()), &nDelta);
        int nExpected = call.cleanup == Cleanup::Callee ? 0 : -4 * static_cast<int>(call.args.size());
        EXPECT_EQ(nExpected, nDelta);
        if (call.cleanup == Cleanup::Callee) {
            EXPECT_EQ(0, nResult);
        }
        host.PumpUntilIdle();
    }
    EXPECT_NE(nullptr, hPanel);
}

} // namespace
