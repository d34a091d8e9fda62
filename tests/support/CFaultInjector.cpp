#include "CFaultInjector.h"
#include <cstring>

namespace {

const size_t kMaxRows = 64;

// Shared with the hooks, which may run on any thread of the module.
volatile LONG g_calls[kMaxRows];
void* g_originals[kMaxRows];
volatile LONG g_armedRow = -1;
volatile LONG g_armedCall = 0;
volatile LONG g_armedOnwards = 0;
volatile LONG g_failed = 0;
// The call site that the armed row's failure counts calls from, or null for every call.
const void* volatile g_pSiteBegin = nullptr;
const void* volatile g_pSiteEnd = nullptr;
volatile LONG g_siteCalls = 0;

} // namespace

CFaultInjector::CFaultInjector(HMODULE hModule)
{
    const std::vector<FaultImport>& rows = FaultImports();
    ResetCounts();
    Disarm();
    for (size_t i = 0; i < rows.size() && i < kMaxRows; ++i) {
        // A row without a hook is counted by the hook of the row that patched its import.
        int nOwner = static_cast<int>(i);
        if (!rows[i].pHook) {
            for (nOwner = 0; nOwner < static_cast<int>(i); ++nOwner)
                if (strcmp(rows[nOwner].pszFunction, rows[i].pszFunction) == 0 && rows[nOwner].pHook)
                    break;
            g_originals[i] = g_originals[nOwner];
            m_imported.push_back(nOwner < static_cast<int>(i) && m_imported[nOwner]);
            continue;
        }
        m_patches.push_back(std::make_unique<CImportPatch>(hModule, rows[i].pszDll, rows[i].pszFunction, rows[i].pHook));
        g_originals[i] = m_patches.back()->Original();
        m_imported.push_back(m_patches.back()->IsPatched());
    }
}

CFaultInjector::~CFaultInjector()
{
    Disarm();
    // The patches restore the module's import table as they go.
    m_patches.clear();
}

bool CFaultInjector::IsImported(size_t nRow) const
{
    return nRow < m_imported.size() && m_imported[nRow];
}

LONG CFaultInjector::Calls(size_t nRow)
{
    return nRow < kMaxRows ? g_calls[nRow] : 0;
}

void CFaultInjector::ResetCounts()
{
    for (volatile LONG& nCalls : g_calls)
        InterlockedExchange(&nCalls, 0);
}

void CFaultInjector::Arm(size_t nRow, LONG nCall, bool bOnwards)
{
    ArmAt(nRow, nullptr, nullptr, nCall, bOnwards);
}

void CFaultInjector::ArmAt(size_t nRow, const void* pSiteBegin, const void* pSiteEnd, LONG nCall, bool bOnwards)
{
    Disarm();
    ResetCounts();
    g_pSiteBegin = pSiteBegin;
    g_pSiteEnd = pSiteEnd;
    InterlockedExchange(&g_siteCalls, 0);
    InterlockedExchange(&g_failed, 0);
    InterlockedExchange(&g_armedCall, nCall);
    InterlockedExchange(&g_armedOnwards, bOnwards ? 1 : 0);
    InterlockedExchange(&g_armedRow, static_cast<LONG>(nRow));
}

void CFaultInjector::Disarm()
{
    InterlockedExchange(&g_armedRow, -1);
}

LONG CFaultInjector::Failed()
{
    return g_failed;
}

bool CFaultInjector::Fails(size_t nRow, const void* pReturn)
{
    if (nRow >= kMaxRows)
        return false;
    LONG nCall = InterlockedIncrement(&g_calls[nRow]);
    if (g_armedRow != static_cast<LONG>(nRow))
        return false;
    if (g_pSiteBegin) {
        if (pReturn < g_pSiteBegin || pReturn >= g_pSiteEnd)
            return false;
        nCall = InterlockedIncrement(&g_siteCalls);
    }
    bool bFails = g_armedOnwards ? nCall >= g_armedCall : nCall == g_armedCall;
    if (bFails)
        InterlockedIncrement(&g_failed);
    return bFails;
}

void* CFaultInjector::Original(size_t nRow)
{
    return nRow < kMaxRows ? g_originals[nRow] : nullptr;
}
