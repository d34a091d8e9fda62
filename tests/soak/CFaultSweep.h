// The failure sweep's driver (tavrin_soak --faults): for each row of the
// fault table (FaultImport.h), or the one --import names, it runs a fault
// child (CFaultChild) under the soak's watchdog, and when the child crashes
// or hangs on a point it records the point and goes on with a fresh child
// from the next one. It prints one line per row (calls in one panel life,
// points tried, findings), then the table, and last:
//   faults: N points, C crashes, H hangs, L leaks
// Exit code 0 (clean), 1 (findings) or 2 (could not run).
#pragma once
#include <string>
#include <vector>
#include "CSoakDriver.h"

class CFaultSweep
{
public:
    explicit CFaultSweep(const CSoakOptions& options) : m_options(options), m_driver(options) {}

    int Run();

private:
    struct RowResult
    {
        std::string strName;
        bool bCounted = false;
        bool bImported = false;
        LONG nCalls = 0;
        LONG nPoints = 0;
        LONG nFailing = 0; // points whose call was made, and failed
        int nCrashes = 0;
        int nHangs = 0;
        int nLeaks = 0;
        int nOther = 0; // wrong clean panels and windows left behind
        std::vector<std::string> findings;
    };

    // False when the row's child could not start at all.
    bool SweepRow(size_t nRow, RowResult& result);
    std::wstring ChildArguments(size_t nRow, int nResume) const;
    static std::string PointText(const FaultStatus& faults);
    static std::string RowLine(const RowResult& result);
    void PrintTotals(DWORD dwStart) const;

    const CSoakOptions& m_options;
    CSoakDriver m_driver;
    std::vector<RowResult> m_results;
    // Calls of every row in one panel life and whether the module imports it, from the last child that counted.
    std::vector<LONG> m_counts;
    std::vector<LONG> m_imported;
};
