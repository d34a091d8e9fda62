// The imports of Tavrin.dll that failure injection makes fail, one row each:
// what the row is called, which import it is, how the platform fails that
// call, and the strides of the full sweep and of the suite's sample. The
// table (FaultImports.cpp) is the one place that lists them.
#pragma once
#include <windows.h>
#include <stdint.h>
#include <vector>

struct FaultImport
{
    const char* pszName;     // the row's name; two rows may share one import
    const char* pszDll;      // as the module's import table names it, matched ignoring case
    const char* pszFunction;
    const char* pszFailure;  // how a failed call answers, for the sweep's table
    intptr_t nFailValue;     // the value a failed call returns
    DWORD dwLastError;       // set before a failed call returns, 0 for none
    int nErrno;              // set before a failed call returns, 0 for none
    int nSweepStride;        // the full sweep: every call of the first kDenseCalls, then every m-th
    int nSampleStride;       // the suite's sample: call 1, then every s-th
    void* pHook;             // the replacement; null for a row counted by another row's hook
};

// The full sweep fails each of the first this many calls of an import in turn.
const int kDenseCalls = 2000;

// A failure point that once broke the module, named by its row and its call
// site (a part of the calling function's name in the module's symbol table,
// CModuleSymbols) rather than by a call count, which a compiler change
// shifts. The sweep and the sample fail the site's first call, and every
// call of the site from the first on.
struct FaultRegression
{
    const char* pszRow;
    const char* pszCallSite;
    const char* pszWhat; // what the point did before it was mended
};

const std::vector<FaultImport>& FaultImports();
const std::vector<FaultRegression>& FaultRegressions();
// The row of that name, or -1.
int FindFaultImport(const char* pszName);
