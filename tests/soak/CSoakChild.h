// The process that runs soak cases: it copies Tavrin.dll and Pellix.dll into
// a module folder of its own, points PELLIX_CATALOG at a catalog folder of its
// own, loads the module once and runs case after case in it, telling its
// driver through the status block which case is running. Resources are
// measured after a warm-up case and again after all cases (with the warm-up
// case run once more, so both measurements follow the same work).
#pragma once
#include <stdint.h>
#include "CSoakCase.h"
#include "CSoakStatus.h"
#include "support/CTempFolder.h"

class CSoakChild
{
public:
    // bVerbose: one line per case on stderr with its time and the GDI objects
    // after it; bCapped: cases keep within CSoakCase::kCapBytes.
    CSoakChild(CSoakStatus& status, bool bVerbose, bool bCapped);

    // Runs cases nFirst to nFirst + nCount - 1 of the run; returns the exit code.
    int RunCases(uint64_t nRunSeed, int nFirst, int nCount);
    // Runs the one case of that seed nRepeat times, measuring after the first
    // run and after the last.
    int RunSeed(uint64_t nCaseSeed, int nRepeat);

private:
    friend class CFaultChild; // prepares the module and runs the warm-up case the same way

    bool Prepare();
    void RunCase(const CSoakCase& soakCase);
    // Records the case's input size; false, with the reason in the status
    // block, when its inputs could not be made.
    bool Made(const CSoakCase& soakCase);
    // Under ./tavrin heapcheck, validates every heap after the case.
    void CheckHeaps(const CSoakCase& soakCase) const;
    static void PrintCase(int nIndex, const std::string& strSeed, DWORD dwMs);
    static LONG WINAPI RecordCrash(EXCEPTION_POINTERS* pException);

    CSoakStatus& m_status;
    bool m_bVerbose;
    bool m_bCapped;
    bool m_bHeapCheck;
    SoakSources m_sources;
    CTempFolder m_moduleFolder;
    CTempFolder m_catalogFolder;
    CSoakHost m_host;
};
