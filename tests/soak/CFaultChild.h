// The process that runs failure points of one row of the fault table
// (FaultImport.h) against the real module: it prepares the module as a soak
// child does and runs the soak's warm-up case, patches the module's imports
// (CFaultInjector), runs a panel life (CPanelLife) to count each import's
// calls, and a clean one for the reference pixels and the baseline. Then,
// point after point, it runs one life failing that point's call and a clean
// life after it, and checks that the panel was either made or left no window
// behind, that the clean panel has the reference's pixels and that GDI
// objects, user objects and private memory are back at the baseline; a
// growth is a leak when the point repeated grows again.
// Findings go to stderr, one line each, and are counted in the status block.
#pragma once
#include <memory>
#include <vector>
#include "CPanelLife.h"
#include "CResourceMeter.h"
#include "CSoakChild.h"
#include "CSoakOptions.h"
#include "support/CModuleSymbols.h"
#include "support/FaultImport.h"

class CFaultChild
{
public:
    struct Point
    {
        LONG nCall;    // the call that fails, counted from 1
        bool bOnwards; // and every call after it
        int nRegression; // counted only from the call site of this FaultRegressions entry, or -1
    };

    CFaultChild(CSoakStatus& status, const CSoakOptions& options);

    // Returns the exit code: 0 when every point ran (findings or not), 2 when it could not start.
    int Run();

    // The points of a row with nCalls calls in one life: the full sweep's
    // every call of the first kDenseCalls and then every m-th, or the
    // sample's every s-th, within [nFrom, nTo]; then every call from the
    // middle on; then the row's regressions.
    static std::vector<Point> Plan(const FaultImport& row, LONG nCalls, bool bSample, int nFrom, int nTo);

private:
    bool Start();
    void WarmUpWithoutSkin();
    // The point's lives and checks; a growth is run once more, to tell a leak from a cache.
    void RunPoint(size_t nRow, const Point& point);
    // One life failing the armed point and a clean life after it, with their checks.
    void RunLives(size_t nRow, const Point& point, bool bFirst);
    // Arms the injector for the point; false when a regression's call site is not in the module.
    bool Arm(size_t nRow, const Point& point);
    // Resources after the lives settled; a growth gets a longer settling first, to tell a leak from a late release.
    bool BackAtBaseline(std::string& strGrowth);
    bool LooksRight(const CPanelLife::Outcome& clean) const;
    // How many pixels differ and where, or how the sizes differ.
    std::string Difference(const CPanelLife::Outcome& clean) const;
    void Report(size_t nRow, const Point& point, const std::string& strFinding, volatile LONG& nCount);

    CSoakStatus& m_status;
    const CSoakOptions& m_options;
    CSoakChild m_soak;
    std::unique_ptr<CModuleSymbols> m_pSymbols;
    CPanelLife::Outcome m_reference;
    ResourceCounts m_baseline;
};
