#include "CFaultChild.h"
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include "support/CFaultInjector.h"

namespace {

const wchar_t kSkinFile[] = L"Config\\Morvel_SCfg.xml";
const DWORD kQuickSettleMs = 20;
const DWORD kLongSettleMs = 600; // lets a late release (a deferred delete, a timer) happen before a leak is called
// Private memory that a whole sweep of one row may add: the heap keeps some
// free blocks and fragments; a leak per point goes far beyond this.
const LONGLONG kSweepMemoryBytes = 1ll << 20;

std::unique_ptr<CFaultInjector> g_pInjector;

std::string Signed(LONGLONG nValue)
{
    return (nValue >= 0 ? "+" : "") + std::to_string(nValue);
}

} // namespace

CFaultChild::CFaultChild(CSoakStatus& status, const CSoakOptions& options)
    : m_status(status), m_options(options), m_soak(status, options.bVerbose, !options.bUncapped)
{
}

std::vector<CFaultChild::Point> CFaultChild::Plan(const FaultImport& row, LONG nCalls, bool bSample, int nFrom,
                                                  int nTo)
{
    std::vector<Point> points;
    LONG nStride = bSample ? row.nSampleStride : 1;
    for (LONG nCall = 1; nCall <= nCalls; nCall += nStride) {
        if (!bSample && nCall > kDenseCalls)
            nStride = row.nSweepStride;
        if (nCall >= nFrom && nCall <= nTo)
            points.push_back({nCall, false, -1});
    }
    LONG nMiddle = (nCalls + 1) / 2;
    if (nCalls > 0 && nMiddle >= nFrom && nMiddle <= nTo)
        points.push_back({nMiddle, true, -1});
    for (size_t i = 0; i < FaultRegressions().size(); ++i) {
        if (strcmp(FaultRegressions()[i].pszRow, row.pszName) != 0)
            continue;
        points.push_back({1, false, static_cast<int>(i)});
        points.push_back({1, true, static_cast<int>(i)});
    }
    return points;
}

bool CFaultChild::Start()
{
    FaultStatus& faults = m_status.Block().faults;
    faults.nPoint = -1;
    if (!m_soak.Prepare())
        return false;
    HMODULE hModule = GetModuleHandleW(L"Tavrin.dll");
    g_pInjector = std::make_unique<CFaultInjector>(hModule);
    m_pSymbols = std::make_unique<CModuleSymbols>(hModule);
    m_soak.RunCase(CSoakCase::WarmUp(m_soak.m_sources));
    CPanelLife::Run(m_soak.m_host, false);
    WarmUpWithoutSkin();
    CFaultInjector::ResetCounts();
    CPanelLife::Run(m_soak.m_host, false);
    for (size_t i = 0; i < FaultImports().size() && i < kMaxFaultRows; ++i) {
        faults.anCalls[i] = CFaultInjector::Calls(i);
        faults.abImported[i] = g_pInjector->IsImported(i) ? 1 : 0;
    }
    faults.bCounted = 1;
    m_reference = CPanelLife::Run(m_soak.m_host, true);
    m_soak.m_host.Idle(kLongSettleMs);
    m_baseline = CResourceMeter::Measure();
    if (m_options.bVerbose)
        fprintf(stderr, "faults: at the baseline: %s\n", CResourceMeter::Breakdown().c_str());
    if (!m_reference.bPanel) {
        fprintf(stderr, "faults: the clean panel life gave no panel\n");
        return false;
    }
    return true;
}

// A failure in the skin's load leaves a panel without its skin, a kind of
// window that the system fills some caches for the first time it draws it
// (the caption's bitmaps and icon); one such life before the baseline.
void CFaultChild::WarmUpWithoutSkin()
{
    CString strSkin = m_soak.m_moduleFolder.File(kSkinFile);
    CString strAside = strSkin + L".aside";
    MoveFileExW(strSkin, strAside, MOVEFILE_REPLACE_EXISTING);
    CPanelLife::Run(m_soak.m_host, false);
    MoveFileExW(strAside, strSkin, MOVEFILE_REPLACE_EXISTING);
}

int CFaultChild::Run()
{
    int nRow = FindFaultImport(m_options.strImport.c_str());
    if (nRow < 0) {
        fprintf(stderr, "faults: no import %s in the fault table\n", m_options.strImport.c_str());
        return 2;
    }
    if (!Start())
        return 2;
    FaultStatus& faults = m_status.Block().faults;
    std::vector<Point> points = Plan(FaultImports()[nRow], faults.anCalls[nRow], m_options.bSample,
                                     m_options.nFromCall, m_options.nToCall);
    faults.nPointsListed = static_cast<LONG>(points.size());
    for (size_t i = static_cast<size_t>(m_options.nResume); i < points.size(); ++i) {
        faults.nPointCall = points[i].nCall;
        faults.bPointOnwards = points[i].bOnwards ? 1 : 0;
        faults.nPointSite = points[i].nRegression;
        faults.nPoint = static_cast<LONG>(i);
        m_status.Block().nRunning = static_cast<LONG>(i);
        RunPoint(static_cast<size_t>(nRow), points[i]);
        faults.nPoint = -1;
        m_status.Block().nRunning = -1;
        InterlockedIncrement(&faults.nPointsDone);
    }
    g_pInjector.reset();
    return 0;
}

void CFaultChild::RunPoint(size_t nRow, const Point& point)
{
    FaultStatus& faults = m_status.Block().faults;
    if (!Arm(nRow, point)) {
        Report(nRow, point, "the call site is not in the module's symbols", faults.nMissingSites);
        return;
    }
    RunLives(nRow, point, true);
    std::string strGrowth;
    if (BackAtBaseline(strGrowth))
        return;
    // A growth that the same point does not repeat is a cache that the system
    // filled once (a panel broken half-way draws in ways a whole one does
    // not); the baseline has moved up to it. A leak grows again.
    Arm(nRow, point);
    RunLives(nRow, point, false);
    std::string strAgain;
    if (BackAtBaseline(strAgain))
        fprintf(stderr, "faults: %s call %ld%s: once only, the system's cache: %s\n", FaultImports()[nRow].pszName,
                point.nCall, point.bOnwards ? " and every call after it" : "", strGrowth.c_str());
    else
        Report(nRow, point, "not back at the baseline: " + strGrowth + "; again when repeated: " + strAgain,
               faults.nLeaks);
}

void CFaultChild::RunLives(size_t nRow, const Point& point, bool bFirst)
{
    FaultStatus& faults = m_status.Block().faults;
    CPanelLife::Outcome failed = CPanelLife::Run(m_soak.m_host, false);
    CFaultInjector::Disarm();
    if (bFirst && CFaultInjector::Failed() > 0)
        InterlockedIncrement(&faults.nPointsFailing);
    if (failed.bWindowLeft)
        Report(nRow, point, "QmUIFunEnter gave no panel but left a window behind", faults.nBrokenEntries);
    CPanelLife::Outcome clean = CPanelLife::Run(m_soak.m_host, true);
    if (!LooksRight(clean))
        Report(nRow, point, clean.bPanel ? "the next clean panel differs from the reference panel: " + Difference(clean)
                                         : "the next clean life gave no panel", faults.nWrongPanels);
    if (m_options.bVerbose)
        fprintf(stderr, "faults: %s call %ld%s: %s, %ld calls failed\n", FaultImports()[nRow].pszName, point.nCall,
                point.bOnwards ? " onwards" : "", failed.bPanel ? "panel" : "no panel", CFaultInjector::Failed());
}

bool CFaultChild::Arm(size_t nRow, const Point& point)
{
    if (point.nRegression < 0) {
        CFaultInjector::Arm(nRow, point.nCall, point.bOnwards);
        return true;
    }
    const void* pBegin = nullptr;
    const void* pEnd = nullptr;
    if (!m_pSymbols->Find(FaultRegressions()[point.nRegression].pszCallSite, pBegin, pEnd))
        return false;
    CFaultInjector::ArmAt(nRow, pBegin, pEnd, point.nCall, point.bOnwards);
    return true;
}

bool CFaultChild::LooksRight(const CPanelLife::Outcome& clean) const
{
    return clean.bPanel && clean.nWidth == m_reference.nWidth && clean.nHeight == m_reference.nHeight &&
           clean.pixels == m_reference.pixels;
}

std::string CFaultChild::Difference(const CPanelLife::Outcome& clean) const
{
    if (clean.nWidth != m_reference.nWidth || clean.nHeight != m_reference.nHeight)
        return std::to_string(clean.nWidth) + " x " + std::to_string(clean.nHeight) + " pixels instead of " +
               std::to_string(m_reference.nWidth) + " x " + std::to_string(m_reference.nHeight);
    RECT rc = {clean.nWidth, clean.nHeight, -1, -1};
    int nDiffer = 0;
    for (size_t i = 0; i < clean.pixels.size(); ++i) {
        if (clean.pixels[i] == m_reference.pixels[i])
            continue;
        int x = static_cast<int>(i % clean.nWidth), y = static_cast<int>(i / clean.nWidth);
        ++nDiffer;
        rc = {std::min<LONG>(rc.left, x), std::min<LONG>(rc.top, y), std::max<LONG>(rc.right, x + 1),
              std::max<LONG>(rc.bottom, y + 1)};
    }
    char szText[128];
    snprintf(szText, sizeof(szText), "%d pixels differ, within (%ld,%ld)-(%ld,%ld)", nDiffer, rc.left, rc.top,
             rc.right, rc.bottom);
    return szText;
}

bool CFaultChild::BackAtBaseline(std::string& strGrowth)
{
    bool bPlatformDcLeak = m_status.Block().bPlatformDcLeak != 0;
    for (DWORD dwSettleMs : {kQuickSettleMs, kLongSettleMs}) {
        m_soak.m_host.Idle(dwSettleMs);
        ResourceCounts now = CResourceMeter::Measure();
        LONG nDcs = now.nMemoryDcs - m_baseline.nMemoryDcs;
        LONG nGdi = now.nGdiObjects - m_baseline.nGdiObjects - (bPlatformDcLeak ? nDcs : 0);
        LONG nUser = now.nUserObjects - m_baseline.nUserObjects;
        LONGLONG nMemory = now.nPrivateBytes - m_baseline.nPrivateBytes;
        if (nGdi <= 0 && nUser <= 0 && nMemory <= kSweepMemoryBytes)
            return true;
        strGrowth = "GDI objects " + Signed(nGdi) + (bPlatformDcLeak ? " besides memory DCs " + Signed(nDcs) : "") +
                    ", user objects " + Signed(nUser) + ", private memory " + Signed(nMemory / 1024) +
                    " KiB since the row's baseline";
        if (dwSettleMs == kLongSettleMs) {
            m_baseline = now; // one leak is one finding, not one per later point
            if (m_options.bVerbose)
                fprintf(stderr, "faults: now: %s\n", CResourceMeter::Breakdown().c_str());
        }
    }
    return false;
}

void CFaultChild::Report(size_t nRow, const Point& point, const std::string& strFinding, volatile LONG& nCount)
{
    InterlockedIncrement(&nCount);
    std::string strSite = point.nRegression < 0 ? std::string()
                                                : std::string(" from ") + FaultRegressions()[point.nRegression].pszCallSite;
    fprintf(stderr, "faults: %s call %ld%s%s: %s\n", FaultImports()[nRow].pszName, point.nCall, strSite.c_str(),
            point.bOnwards ? " and every call after it" : "", strFinding.c_str());
}
