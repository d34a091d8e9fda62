#include "CSoakChild.h"
#include <cstdio>
#include "support/HeapCheck.h"
#include "support/TestFiles.h"

namespace {

const wchar_t* const kModuleFiles[] = {L"Tavrin.dll", L"Pellix.dll"};
const DWORD kSettleMs = 400; // lets tooltips, timers and refresh threads finish before a measurement
SoakStatusBlock* g_pCrashBlock = nullptr;

} // namespace

CSoakChild::CSoakChild(CSoakStatus& status, bool bVerbose, bool bCapped)
    : m_status(status), m_bVerbose(bVerbose), m_bCapped(bCapped), m_bHeapCheck(HeapCheckRequested()), m_moduleFolder(L"tavrin soak module", L"Config"), m_catalogFolder(L"tavrin soak catalog")
{
    g_pCrashBlock = &status.Block();
    m_host.SetHeartbeat(&status.Block().nHeartbeat);
    SetUnhandledExceptionFilter(RecordCrash);
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
}

LONG WINAPI CSoakChild::RecordCrash(EXCEPTION_POINTERS* pException)
{
    DWORD dwCode = pException && pException->ExceptionRecord ? pException->ExceptionRecord->ExceptionCode : 1;
    if (g_pCrashBlock)
        g_pCrashBlock->nCrashCode = static_cast<LONG>(dwCode);
    TerminateProcess(GetCurrentProcess(), dwCode);
    return EXCEPTION_EXECUTE_HANDLER;
}

bool CSoakChild::Prepare()
{
    m_status.Block().bPlatformDcLeak = CResourceMeter::TextLayoutLeaksDc() ? 1 : 0;
    CString strProgram = ProgramFolder();
    if (!m_sources.Read(strProgram)) {
        fprintf(stderr, "soak: the default skin is missing beside the program (Config\\Morvel_SCfg.xml)\n");
        return false;
    }
    for (const wchar_t* pszFile : kModuleFiles)
        CopyFileW(strProgram + pszFile, m_moduleFolder.File(pszFile), FALSE);
    SetEnvironmentVariableW(L"PELLIX_CATALOG", m_catalogFolder.File(L"catalog.ini"));
    CString strError;
    if (!m_host.Load(m_moduleFolder.Path(), strError)) {
        fprintf(stderr, "soak: %s\n", strError.ToAnsi().c_str());
        return false;
    }
    return true;
}

void CSoakChild::RunCase(const CSoakCase& soakCase)
{
    soakCase.WriteModuleFiles(m_moduleFolder.Path());
    soakCase.WriteCatalogFiles(m_catalogFolder.Path());
    soakCase.Run(m_host);
}

bool CSoakChild::Made(const CSoakCase& soakCase)
{
    SoakStatusBlock& block = m_status.Block();
    if (!soakCase.IsMade()) {
        snprintf(block.szUnmade, sizeof(block.szUnmade), "%s", soakCase.Failure().c_str());
        fprintf(stderr, "soak: case seed %s: %s\n", soakCase.SeedText().c_str(), soakCase.Failure().c_str());
        return false;
    }
    LONGLONG nBytes = static_cast<LONGLONG>(soakCase.InputBytes());
    if (nBytes > block.nLargestInput) {
        block.nLargestInput = nBytes;
        block.nLargestSeed = soakCase.Seed();
    }
    return true;
}

void CSoakChild::CheckHeaps(const CSoakCase& soakCase) const
{
    if (!m_bHeapCheck)
        return;
    if (int nInvalid = InvalidProcessHeaps())
        fprintf(stderr, "heap check: %d heaps failed validation after the case of seed %s\n", nInvalid,
                soakCase.SeedText().c_str());
}

void CSoakChild::PrintCase(int nIndex, const std::string& strSeed, DWORD dwMs)
{
    ResourceCounts counts = CResourceMeter::Measure();
    fprintf(stderr, "soak: case %d seed %s: %lu ms, %ld GDI objects, %ld user objects, %lld KiB\n", nIndex,
            strSeed.c_str(), static_cast<unsigned long>(dwMs), counts.nGdiObjects, counts.nUserObjects,
            counts.nPrivateBytes >> 10);
}

int CSoakChild::RunCases(uint64_t nRunSeed, int nFirst, int nCount)
{
    if (!Prepare())
        return 2;
    SoakStatusBlock& block = m_status.Block();
    CSoakCase warmUp = CSoakCase::WarmUp(m_sources);
    RunCase(warmUp);
    m_host.Idle(kSettleMs);
    block.baseline = CResourceMeter::Measure();
    if (m_bVerbose)
        fprintf(stderr, "soak: at the start: %s\n", CResourceMeter::Breakdown().c_str());
    for (int i = nFirst; i < nFirst + nCount; ++i) {
        if (i == nFirst + nCount / 2 && nCount > 1) {
            m_host.Idle(kSettleMs);
            block.middle = CResourceMeter::Measure();
            block.bMiddle = 1;
        }
        block.nRunning = i;
        DWORD dwStart = GetTickCount();
        CSoakCase soakCase(CSoakRandom::CaseSeed(nRunSeed, static_cast<uint64_t>(i)), m_sources, m_bCapped);
        if (!Made(soakCase))
            return 1;
        RunCase(soakCase);
        CheckHeaps(soakCase);
        block.nRunning = -1;
        if (m_bVerbose)
            PrintCase(i, soakCase.SeedText(), GetTickCount() - dwStart);
        InterlockedIncrement(&block.nFinished);
    }
    RunCase(warmUp);
    m_host.Idle(kSettleMs);
    block.final = CResourceMeter::Measure();
    block.bMeasured = 1;
    if (m_bVerbose)
        fprintf(stderr, "soak: at the end: %s\n", CResourceMeter::Breakdown().c_str());
    return 0;
}

int CSoakChild::RunSeed(uint64_t nCaseSeed, int nRepeat)
{
    if (!Prepare())
        return 2;
    SoakStatusBlock& block = m_status.Block();
    block.nRunning = 0;
    CSoakCase soakCase(nCaseSeed, m_sources, m_bCapped);
    if (!Made(soakCase))
        return 1;
    block.nRunning = -1;
    if (m_bVerbose)
        fprintf(stderr, "soak: at the start: %s\n", CResourceMeter::Breakdown().c_str());
    for (int i = 0; i < nRepeat; ++i) {
        DWORD dwStart = GetTickCount();
        block.nRunning = i;
        RunCase(soakCase);
        CheckHeaps(soakCase);
        block.nRunning = -1;
        InterlockedIncrement(&block.nFinished);
        // The first run fills whatever caches the case needs; later runs must not grow.
        m_host.Idle(kSettleMs);
        (i == 0 ? block.baseline : block.final) = CResourceMeter::Measure();
        block.bMeasured = i > 0;
        if (m_bVerbose) {
            PrintCase(i, soakCase.SeedText(), GetTickCount() - dwStart);
            fprintf(stderr, "soak: %s\n", CResourceMeter::Breakdown().c_str());
        }
    }
    return 0;
}
