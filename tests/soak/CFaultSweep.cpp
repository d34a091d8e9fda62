#include "CFaultSweep.h"
#include <cstdio>
#include "support/FaultImport.h"
#include "support/TestFiles.h"

namespace {

std::wstring Wide(const std::string& strText)
{
    return std::wstring(strText.begin(), strText.end());
}

} // namespace

std::wstring CFaultSweep::ChildArguments(size_t nRow, int nResume) const
{
    return L"--faults --import \"" + Wide(FaultImports()[nRow].pszName) + L"\" --from " +
           std::to_wstring(m_options.nFromCall) + L" --to " + std::to_wstring(m_options.nToCall) + L" --resume " +
           std::to_wstring(nResume) + (m_options.bSample ? L" --sample" : L"");
}

std::string CFaultSweep::PointText(const FaultStatus& faults)
{
    std::string strSite = faults.nPointSite < 0 ? std::string()
                                                : std::string(" from ") + FaultRegressions()[faults.nPointSite].pszCallSite;
    return "call " + std::to_string(faults.nPointCall) + strSite + (faults.bPointOnwards ? " and every call after it" : "");
}

bool CFaultSweep::SweepRow(size_t nRow, RowResult& result)
{
    result.strName = FaultImports()[nRow].pszName;
    CSoakStatus status;
    for (int nResume = 0;;) {
        status.Reset();
        DWORD dwExitCode = 0;
        CSoakDriver::ChildEnd end =
            m_driver.RunChildWithRestart(ChildArguments(nRow, nResume), status, dwExitCode, [](const SoakStatusBlock& begun) {
                return begun.faults.nPoint >= 0 || begun.faults.nPointsDone > 0;
            });
        const FaultStatus& faults = status.Block().faults;
        if (faults.bCounted) {
            result.bCounted = true;
            result.nCalls = faults.anCalls[nRow];
            result.bImported = faults.abImported[nRow] != 0;
            m_counts.assign(faults.anCalls, faults.anCalls + FaultImports().size());
            m_imported.assign(faults.abImported, faults.abImported + FaultImports().size());
        }
        result.nLeaks += faults.nLeaks;
        result.nOther += faults.nWrongPanels + faults.nBrokenEntries + faults.nMissingSites;
        result.nPoints += faults.nPointsDone;
        result.nFailing += faults.nPointsFailing;
        if (end == CSoakDriver::ChildEnd::Finished) {
            // Points that never fail anything mean that the injection does not reach the module.
            if (result.nPoints > 0 && result.nFailing == 0) {
                ++result.nOther;
                result.findings.push_back(result.strName + ": no point made its call fail");
            }
            return true;
        }
        if (faults.nPoint < 0) {
            fprintf(stderr, "faults: %s: the child could not run its points (%s)\n", result.strName.c_str(),
                    CSoakDriver::EndText(end, dwExitCode).c_str());
            return false;
        }
        bool bHung = end == CSoakDriver::ChildEnd::Hung;
        ++(bHung ? result.nHangs : result.nCrashes);
        ++result.nPoints;
        std::string strFinding = result.strName + " " + PointText(faults) + ": " +
                                 (bHung ? "hang" : "crash, " + CSoakDriver::ExitText(dwExitCode));
        result.findings.push_back(strFinding);
        fprintf(stderr, "faults: %s\n", strFinding.c_str());
        nResume = faults.nPoint + 1;
        if (nResume >= faults.nPointsListed)
            return true;
    }
}

std::string CFaultSweep::RowLine(const RowResult& result)
{
    char szLine[256];
    int nFindings = result.nCrashes + result.nHangs + result.nLeaks + result.nOther;
    snprintf(szLine, sizeof(szLine), "  %-34s %8ld %8ld   %s", result.strName.c_str(), result.nCalls,
             result.nPoints, nFindings ? (std::to_string(nFindings) + " findings").c_str()
                             : result.bImported || result.nCalls ? "none" : "none (not imported)");
    return szLine;
}

int CFaultSweep::Run()
{
    DWORD dwStart = GetTickCount();
    int nOnly = m_options.strImport.empty() ? -1 : FindFaultImport(m_options.strImport.c_str());
    if (!m_options.strImport.empty() && nOnly < 0) {
        fprintf(stderr, "faults: no import %s in the fault table\n", m_options.strImport.c_str());
        return 2;
    }
    fprintf(stderr, "faults: %s of %s, calls %d to %d\n", m_options.bSample ? "the sample" : "the full sweep",
            nOnly < 0 ? "every import in the table" : m_options.strImport.c_str(), m_options.nFromCall,
            m_options.nToCall);
    for (size_t nRow = 0; nRow < FaultImports().size(); ++nRow) {
        if (nOnly >= 0 && static_cast<size_t>(nOnly) != nRow)
            continue;
        RowResult result;
        // The first child counted every row's calls: a row without calls needs no child.
        if (nRow < m_counts.size() && m_counts[nRow] == 0) {
            result.strName = FaultImports()[nRow].pszName;
            result.bCounted = true;
            result.bImported = m_imported[nRow] != 0;
        } else if (!SweepRow(nRow, result)) {
            return 2;
        }
        fprintf(stderr, "faults:%s\n", RowLine(result).c_str());
        m_results.push_back(result);
    }
    PrintTotals(dwStart);
    for (const RowResult& result : m_results)
        if (result.nCrashes || result.nHangs || result.nLeaks || result.nOther)
            return 1;
    return 0;
}

void CFaultSweep::PrintTotals(DWORD dwStart) const
{
    LONG nPoints = 0;
    int nCrashes = 0, nHangs = 0, nLeaks = 0, nOther = 0;
    std::string strReport = "  import                                calls   points   findings\n";
    for (const RowResult& result : m_results) {
        strReport += RowLine(result) + "\n";
        for (const std::string& strFinding : result.findings)
            strReport += "    " + strFinding + "\n";
        nPoints += result.nPoints;
        nCrashes += result.nCrashes;
        nHangs += result.nHangs;
        nLeaks += result.nLeaks;
        nOther += result.nOther;
    }
    char szLast[256];
    snprintf(szLast, sizeof(szLast), "faults: %ld points, %d crashes, %d hangs, %d leaks", nPoints, nCrashes, nHangs,
             nLeaks);
    std::string strLast = szLast;
    if (nOther)
        strLast += ", " + std::to_string(nOther) + " wrong panels or windows left behind";
    strReport += "faults: " + std::string(m_options.bSample ? "the sample" : "the full sweep") + " took " +
                 std::to_string((GetTickCount() - dwStart) / 1000) + " s\n" + strLast + "\n";
    WriteFileBytes(m_options.strOut + (m_options.bSample ? L"faults-sample.txt" : L"faults.txt"), strReport);
    printf("%s", strReport.c_str());
}
