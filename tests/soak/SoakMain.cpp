// tavrin_soak: drives the real Tavrin.dll through its four exports, case
// after case, with hostile skins, tool catalogs and message storms, under a
// watchdog (see CSoakDriver.h and docs/soak.md).
#include <windows.h>
#include <cstdio>
#include <ctime>
#include "CFaultChild.h"
#include "CFaultSweep.h"
#include "CSoakChild.h"
#include "CSoakDriver.h"
#include "CSoakOptions.h"

int wmain(int argc, wchar_t** argv)
{
    CSoakOptions options;
    std::string strError;
    if (!options.Parse(argc, argv, strError)) {
        fprintf(stderr, "soak: %s\nusage: tavrin_soak [--cases N] [--seed S] [--out FOLDER] [--hang-seconds T] [--uncapped]\n"
                        "       tavrin_soak --replay SEED [--repeat N] [--out FOLDER] [--uncapped]\n"
                        "       tavrin_soak --sizes [--cases N] [--seed S] [--uncapped]\n"
                        "       tavrin_soak --faults [--sample] [--import NAME] [--from K] [--to K] [--out FOLDER]\n",
                strError.c_str());
        return 2;
    }
    if (options.bChild) {
        CSoakStatus status(reinterpret_cast<HANDLE>(options.nStatusHandle));
        if (!status.IsValid())
            return 2;
        if (options.bFaults)
            return CFaultChild(status, options).Run();
        CSoakChild child(status, options.bVerbose, !options.bUncapped);
        return options.bCaseSeed ? child.RunSeed(options.nCaseSeed, options.nRepeat)
                                 : child.RunCases(options.nSeed, options.nFirst, options.nCount);
    }
    if (options.bFaults)
        return CFaultSweep(options).Run();
    if (!options.bSeedGiven)
        options.nSeed = static_cast<uint64_t>(time(nullptr)) ^ (static_cast<uint64_t>(GetCurrentProcessId()) << 32);
    CSoakDriver driver(options);
    if (options.bSizes)
        return driver.Sizes();
    return options.bReplay ? driver.Replay() : driver.Run();
}
