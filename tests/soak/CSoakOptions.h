// The soak's command line.
//   tavrin_soak [--cases N] [--seed S] [--out FOLDER] [--hang-seconds T] [--verbose]
//   tavrin_soak --replay CASESEED [--repeat N] [--out FOLDER]
//   tavrin_soak --sizes [--cases N] [--seed S]
// with --uncapped for cases of any size;
//   tavrin_soak --faults [--sample] [--import NAME] [--from K] [--to K] [--out FOLDER]
// and, used by the driver for its children only:
//   tavrin_soak --child STATUSHANDLE (--seed S --first I --count N | --case-seed X |
//                                     --faults --import NAME [--sample] [--from K] [--to K] [--resume I])
// Seeds are hexadecimal, as the summary and saved cases print them.
#pragma once
#include <stdint.h>
#include <string>
#include "framework/CString.h"

class CSoakOptions
{
public:
    // False with a message for a command line it cannot read.
    bool Parse(int argc, wchar_t** argv, std::string& strError);

    int nCases = 1000;
    uint64_t nSeed = 0;
    bool bSeedGiven = false;
    bool bReplay = false;
    uint64_t nReplaySeed = 0;
    int nRepeat = 1; // runs of the replayed case in one child
    CString strOut = L"out\\soak";
    int nHangSeconds = 60; // one call into the module or one message, not a whole case
    bool bVerbose = false; // one line per case: index, seed, time, resources
    bool bUncapped = false; // cases of any size, as made before the size cap
    bool bSizes = false;    // only makes the cases and reports their input sizes

    // Failure injection (CFaultSweep): the rows of the fault table, the
    // calls from and to which points are tried, the suite's sample only.
    bool bFaults = false;
    bool bSample = false;
    std::string strImport; // one row of the table, else all
    int nFromCall = 1;
    int nToCall = 100000000;
    int nResume = 0; // the child starts at this point of its list

    bool bChild = false;
    uintptr_t nStatusHandle = 0;
    int nFirst = 0;
    int nCount = 0;
    bool bCaseSeed = false;
    uint64_t nCaseSeed = 0;

private:
    static bool ReadSeed(const wchar_t* pszText, uint64_t& nSeed);
    static bool ReadCount(const wchar_t* pszText, int& nValue);
};
