// Makes chosen calls of one module to the system fail as the system fails
// them. While the object lives, every import of the fault table
// (FaultImport.h) that the module imports is redirected (CImportPatch) to a
// hook that counts the call and, when the injector is armed for it, fails it
// with the row's failure instead of calling the system. Only one injector
// exists at a time: the hooks are plain functions and share its state.
#pragma once
#include <windows.h>
#include <memory>
#include <vector>
#include "CImportPatch.h"
#include "FaultImport.h"

class CFaultInjector
{
public:
    explicit CFaultInjector(HMODULE hModule);
    ~CFaultInjector();
    CFaultInjector(const CFaultInjector&) = delete;
    CFaultInjector& operator=(const CFaultInjector&) = delete;

    // Whether the module imports the row's function (else it never counts).
    bool IsImported(size_t nRow) const;

    // Calls of the row since the last ResetCounts or Arm.
    static LONG Calls(size_t nRow);
    static void ResetCounts();
    // Resets the counts; from then on call nCall of the row fails, or, with
    // bOnwards, every call of the row from nCall on.
    static void Arm(size_t nRow, LONG nCall, bool bOnwards);
    // The same, counting for the failure only the row's calls made from the
    // code in [pSiteBegin, pSiteEnd) (one function of the module, CModuleSymbols).
    static void ArmAt(size_t nRow, const void* pSiteBegin, const void* pSiteEnd, LONG nCall, bool bOnwards);
    static void Disarm();
    // Calls of the armed row that were failed since Arm.
    static LONG Failed();

    // For the hooks: counts a call of the row, made from the code at
    // pReturn, and tells whether it must fail.
    static bool Fails(size_t nRow, const void* pReturn);
    // For the hooks: the system's function behind the row.
    static void* Original(size_t nRow);

private:
    std::vector<std::unique_ptr<CImportPatch>> m_patches;
    std::vector<bool> m_imported;
};
