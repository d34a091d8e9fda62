#include "CSoakDriver.h"
#include <algorithm>
#include <cstdio>
#include "CResourceMeter.h"
#include "CSoakCase.h"
#include "CSoakRandom.h"
#include "support/TestFiles.h"

namespace {

// Growth allowed between the two measurements of a child: the system fills
// a few caches lazily the first time a kind of window or drawing shows (its
// device-context cache, brushes and pens of the system colours, built-in
// bitmaps), and the heap keeps some free blocks. A leak per case goes far
// beyond these.
const LONG kGdiTolerance = 48;
const LONG kUserTolerance = 4;
const LONGLONG kMemoryToleranceBytes = 24ll << 20;
const DWORD kPollMs = 100;
const DWORD kStartLimitMs = 120000; // module start and warm-up
const DWORD kProgressMs = 15000;

std::wstring Hex(uint64_t nValue)
{
    wchar_t sz[24];
    swprintf(sz, 24, L"%llx", static_cast<unsigned long long>(nValue));
    return sz;
}

// Creates the folder and the folders on the way to it.
void CreateFolders(const CString& strFolder)
{
    for (int i = 3; i <= strFolder.GetLength(); ++i)
        if (i == strFolder.GetLength() || strFolder[i] == L'\\' || strFolder[i] == L'/')
            CreateDirectoryW(strFolder.Left(i), nullptr);
}

std::string Signed(LONGLONG nValue)
{
    return (nValue >= 0 ? "+" : "") + std::to_string(nValue);
}

} // namespace

std::string CSoakDriver::ExitText(DWORD dwExitCode)
{
    char sz[48];
    snprintf(sz, sizeof(sz), "exit code 0x%08lX", static_cast<unsigned long>(dwExitCode));
    return sz;
}

std::string CSoakDriver::EndText(ChildEnd end, DWORD dwExitCode)
{
    switch (end) {
    case ChildEnd::Hung:
        return "no progress within the time limit";
    case ChildEnd::Failed:
        return "the process could not be created";
    default:
        return ExitText(dwExitCode);
    }
}

CSoakDriver::ChildEnd CSoakDriver::RunChildWithRestart(const std::wstring& strArguments, CSoakStatus& status,
                                                       DWORD& dwExitCode, bool (*pfnBegun)(const SoakStatusBlock&))
{
    ChildEnd end = RunChild(strArguments, status, dwExitCode);
    if (end == ChildEnd::Finished || pfnBegun(status.Block()))
        return end;
    fprintf(stderr, "soak: the child stopped before its work (%s); starting it once more\n",
            EndText(end, dwExitCode).c_str());
    status.Reset();
    return RunChild(strArguments, status, dwExitCode);
}

CSoakDriver::ChildEnd CSoakDriver::RunChild(const std::wstring& strArguments, CSoakStatus& status,
                                            DWORD& dwExitCode)
{
    wchar_t szProgram[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, szProgram, MAX_PATH);
    std::wstring strCommand = L"\"" + std::wstring(szProgram) + L"\" --child " +
                              Hex(reinterpret_cast<uintptr_t>(status.Handle())) + L" " + strArguments +
                              (m_options.bVerbose ? L" --verbose" : L"") + (m_options.bUncapped ? L" --uncapped" : L"");
    STARTUPINFOW si = {sizeof(si)};
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessW(szProgram, &strCommand[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi))
        return ChildEnd::Failed;
    CKernelObjectOwner process(pi.hProcess), thread(pi.hThread);
    SoakStatusBlock& block = status.Block();
    LONG nLastRunning = -2, nLastBeat = -1;
    DWORD dwSince = GetTickCount(), dwProgress = GetTickCount();
    while (WaitForSingleObject(process, kPollMs) == WAIT_TIMEOUT) {
        LONG nRunning = block.nRunning, nBeat = block.nHeartbeat;
        if (nRunning != nLastRunning || nBeat != nLastBeat) {
            nLastRunning = nRunning;
            nLastBeat = nBeat;
            dwSince = GetTickCount();
        }
        DWORD dwLimit = nRunning >= 0 ? static_cast<DWORD>(m_options.nHangSeconds) * 1000 : kStartLimitMs;
        if (GetTickCount() - dwSince > dwLimit) {
            TerminateProcess(process, ERROR_TIMEOUT);
            WaitForSingleObject(process, INFINITE);
            return ChildEnd::Hung;
        }
        if (GetTickCount() - dwProgress > kProgressMs) {
            dwProgress = GetTickCount();
            fprintf(stderr, "soak: ... %s, %d crashes, %d hangs so far\n", Progress(block).c_str(), m_nCrashes,
                    m_nHangs);
        }
    }
    GetExitCodeProcess(process, &dwExitCode);
    return dwExitCode == 0 ? ChildEnd::Finished : ChildEnd::Crashed;
}

// Between cases the child is starting (loading the module, the warm-up
// case) or measuring (after the last case, the warm-up case again).
std::string CSoakDriver::Progress(const SoakStatusBlock& block)
{
    LONG nRunning = block.nRunning, nFinished = block.nFinished;
    if (nRunning >= 0)
        return "case " + std::to_string(nRunning) + " running";
    if (nFinished == 0)
        return "the child is starting";
    return std::to_string(nFinished) + " cases done in this child, measuring";
}

void CSoakDriver::NoteLargest(const SoakStatusBlock& block)
{
    if (block.nLargestInput > m_nLargestInput) {
        m_nLargestInput = block.nLargestInput;
        m_nLargestSeed = block.nLargestSeed;
    }
}

void CSoakDriver::Record(uint64_t nSeed, int nIndex, const char* pszKind, const std::string& strOutcome)
{
    std::string strSeed = CSoakCase::SeedText(nSeed);
    m_findings.push_back({nSeed, nIndex, std::string(pszKind) + ", " + strOutcome});
    SaveCase(nSeed, pszKind, std::string(pszKind) + ", " + strOutcome);
    fprintf(stderr, "soak: case %d (seed %s): %s, %s; saved in %s%s-%s\n", nIndex, strSeed.c_str(), pszKind,
            strOutcome.c_str(), m_options.strOut.ToAnsi().c_str(), pszKind, strSeed.c_str());
}

void CSoakDriver::SaveCase(uint64_t nSeed, const char* pszKind, const std::string& strOutcome) const
{
    SoakSources sources;
    if (!sources.Read(ProgramFolder()))
        return;
    CString strFolder = m_options.strOut + CString(pszKind) + L"-" + CString(CSoakCase::SeedText(nSeed).c_str()) + L"\\";
    CSoakCase(nSeed, sources, !m_options.bUncapped).Save(strFolder, strOutcome);
}

// Where the platform's GDI+ leaks memory DCs, their growth is reported apart
// and left out of the GDI tolerance: every other type still counts. The
// growth from the middle of the run on comes after: the system fills its
// caches in the first cases, a leak goes on growing.
std::string CSoakDriver::Growth(const SoakStatusBlock& block, bool& bBeyondTolerance) const
{
    LONG nGdi = block.final.nGdiObjects - block.baseline.nGdiObjects;
    LONG nDcs = block.final.nMemoryDcs - block.baseline.nMemoryDcs;
    LONG nUser = block.final.nUserObjects - block.baseline.nUserObjects;
    LONGLONG nMemory = block.final.nPrivateBytes - block.baseline.nPrivateBytes;
    LONG nCounted = block.bPlatformDcLeak ? nGdi - nDcs : nGdi;
    bBeyondTolerance = nCounted > kGdiTolerance || nUser > kUserTolerance || nMemory > kMemoryToleranceBytes;
    std::string strText = Change(block.baseline, block.final, block.bPlatformDcLeak != 0);
    if (block.bMiddle)
        strText += "; from the middle case on: " + Change(block.middle, block.final, block.bPlatformDcLeak != 0);
    return strText;
}

std::string CSoakDriver::Change(const ResourceCounts& from, const ResourceCounts& to, bool bPlatformDcLeak)
{
    std::string strGdi = "GDI objects " + Signed(to.nGdiObjects - from.nGdiObjects) + " (" +
                         std::to_string(to.nGdiObjects) + ")";
    if (bPlatformDcLeak)
        strGdi += " of which memory DCs " + Signed(to.nMemoryDcs - from.nMemoryDcs) +
                  " (this platform's GDI+ leaks those)";
    return strGdi + ", user objects " + Signed(to.nUserObjects - from.nUserObjects) + " (" +
           std::to_string(to.nUserObjects) + "), private memory " +
           Signed((to.nPrivateBytes - from.nPrivateBytes) / 1024) + " KiB";
}

int CSoakDriver::Run()
{
    CreateFolders(m_options.strOut);
    CSoakStatus status;
    if (!status.IsValid())
        return 2;
    DWORD dwStart = GetTickCount();
    fprintf(stderr, "soak: %d cases from seed %llx, hang limit %d s, findings go to %s\n", m_options.nCases,
            static_cast<unsigned long long>(m_options.nSeed), m_options.nHangSeconds,
            m_options.strOut.ToAnsi().c_str());
    SoakStatusBlock measured = {};
    int nMeasuredCases = 0;
    for (int nNext = 0; nNext < m_options.nCases;) {
        status.Reset();
        int nCount = m_options.nCases - nNext;
        std::wstring strArguments = L"--seed " + Hex(m_options.nSeed) + L" --first " + std::to_wstring(nNext) +
                                    L" --count " + std::to_wstring(nCount);
        DWORD dwExitCode = 0;
        ChildEnd end = RunChildWithRestart(strArguments, status, dwExitCode, [](const SoakStatusBlock& begun) {
            return begun.nRunning >= 0 || begun.nFinished > 0;
        });
        SoakStatusBlock& block = status.Block();
        LONG nRunning = block.nRunning;
        NoteLargest(block);
        if (end == ChildEnd::Failed || (end != ChildEnd::Finished && nRunning < 0 && block.nFinished == 0)) {
            fprintf(stderr, "soak: the child could not start its cases (%s)\n", EndText(end, dwExitCode).c_str());
            return 2;
        }
        if (end == ChildEnd::Finished && block.bMeasured && block.nFinished > nMeasuredCases) {
            measured = block;
            nMeasuredCases = block.nFinished;
        }
        if (end == ChildEnd::Finished || nRunning < 0) {
            // Finished, or crashed between cases (while measuring or at unload).
            if (end == ChildEnd::Crashed) {
                ++m_nCrashes;
                fprintf(stderr, "soak: the child crashed between cases (%s)\n", ExitText(dwExitCode).c_str());
            } else if (end == ChildEnd::Hung) {
                ++m_nHangs;
                fprintf(stderr, "soak: the child hung between cases\n");
            }
            nNext += block.nFinished;
            if (end != ChildEnd::Finished && block.nFinished == nCount)
                break;
            continue;
        }
        uint64_t nSeed = CSoakRandom::CaseSeed(m_options.nSeed, static_cast<uint64_t>(nRunning));
        if (end == ChildEnd::Crashed && block.szUnmade[0]) {
            ++m_nUnmade;
            Record(nSeed, nRunning, "unmade", block.szUnmade);
        } else if (end == ChildEnd::Hung) {
            ++m_nHangs;
            Record(nSeed, nRunning, "hang", "no progress for " + std::to_string(m_options.nHangSeconds) + " s");
        } else {
            ++m_nCrashes;
            Record(nSeed, nRunning, "crash", ExitText(dwExitCode));
        }
        nNext = nRunning + 1;
    }
    bool bBeyondTolerance = false;
    std::string strGrowth = nMeasuredCases ? Growth(measured, bBeyondTolerance) : "no measurement";
    std::string strUnmade = m_nUnmade ? ", " + std::to_string(m_nUnmade) + " not made" : std::string();
    char szSummary[1024];
    snprintf(szSummary, sizeof(szSummary), "soak: %d cases, %d crashes, %d hangs%s, %s (seed %llx, %s over %d cases "
             "in one child, largest input %lld bytes (seed %s), %lu s)", m_options.nCases, m_nCrashes, m_nHangs,
             strUnmade.c_str(), strGrowth.c_str(), static_cast<unsigned long long>(m_options.nSeed),
             CResourceMeter::Method().c_str(), nMeasuredCases, m_nLargestInput,
             CSoakCase::SeedText(m_nLargestSeed).c_str(), static_cast<unsigned long>((GetTickCount() - dwStart) / 1000));
    std::string strReport = std::string(szSummary) + "\n";
    for (const Finding& finding : m_findings)
        strReport += "  case " + std::to_string(finding.nIndex) + " seed " + CSoakCase::SeedText(finding.nSeed) +
                     ": " + finding.strOutcome + "\n";
    WriteFileBytes(m_options.strOut + L"summary.txt", strReport);
    printf("%s", strReport.c_str());
    if (bBeyondTolerance)
        printf("soak: growth beyond the tolerance (GDI %ld, user %ld, memory %lld KiB)\n", kGdiTolerance,
               kUserTolerance, kMemoryToleranceBytes >> 10);
    return m_nCrashes || m_nHangs || m_nUnmade || bBeyondTolerance || nMeasuredCases == 0 ? 1 : 0;
}

int CSoakDriver::Replay()
{
    CreateFolders(m_options.strOut);
    CSoakStatus status;
    DWORD dwExitCode = 0;
    ChildEnd end = RunChild(L"--case-seed " + Hex(m_options.nReplaySeed) + L" --repeat " +
                                std::to_wstring(m_options.nRepeat),
                            status, dwExitCode);
    std::string strSeed = CSoakCase::SeedText(m_options.nReplaySeed);
    const SoakStatusBlock& block = status.Block();
    if (end == ChildEnd::Crashed && block.szUnmade[0]) {
        ++m_nUnmade;
        Record(m_options.nReplaySeed, 0, "unmade", block.szUnmade);
        printf("soak: case %s: 0 crashes, 0 hangs, 1 not made: %s\n", strSeed.c_str(), block.szUnmade);
        return 1;
    }
    if (end == ChildEnd::Finished) {
        bool bBeyondTolerance = false;
        std::string strGrowth = block.bMeasured ? ", " + Growth(block, bBeyondTolerance) + " from the first run to the last"
                                                : std::string();
        std::string strOutcome = "no crash, no hang, input " + std::to_string(block.nLargestInput) + " bytes" + strGrowth;
        printf("soak: case %s, %d runs: %s\n", strSeed.c_str(), m_options.nRepeat, strOutcome.c_str());
        SaveCase(m_options.nReplaySeed, "replay", strOutcome);
        return bBeyondTolerance ? 1 : 0;
    }
    if (end == ChildEnd::Failed || (block.nRunning < 0 && block.nFinished == 0)) {
        printf("soak: case %s could not run (%s)\n", strSeed.c_str(), ExitText(dwExitCode).c_str());
        return 2;
    }
    bool bHung = end == ChildEnd::Hung;
    (bHung ? m_nHangs : m_nCrashes)++;
    Record(m_options.nReplaySeed, 0, bHung ? "hang" : "crash",
           bHung ? "no progress for " + std::to_string(m_options.nHangSeconds) + " s" : ExitText(dwExitCode));
    return 1;
}

int CSoakDriver::Sizes()
{
    SoakSources sources;
    if (!sources.Read(ProgramFolder())) {
        fprintf(stderr, "soak: the default skin is missing beside the program (Config\\Morvel_SCfg.xml)\n");
        return 2;
    }
    DWORD dwStart = GetTickCount();
    std::vector<size_t> sizes;
    int nOverCap = 0;
    for (int i = 0; i < m_options.nCases; ++i) {
        uint64_t nSeed = CSoakRandom::CaseSeed(m_options.nSeed, static_cast<uint64_t>(i));
        CSoakCase soakCase(nSeed, sources, !m_options.bUncapped);
        if (!soakCase.IsMade()) {
            ++m_nUnmade;
            fprintf(stderr, "soak: case %d (seed %s): %s\n", i, soakCase.SeedText().c_str(), soakCase.Failure().c_str());
            continue;
        }
        size_t nBytes = soakCase.InputBytes();
        sizes.push_back(nBytes);
        nOverCap += nBytes > CSoakCase::kCapBytes;
        if (static_cast<LONGLONG>(nBytes) > m_nLargestInput) {
            m_nLargestInput = static_cast<LONGLONG>(nBytes);
            m_nLargestSeed = nSeed;
        }
    }
    std::sort(sizes.begin(), sizes.end());
    auto Share = [&sizes](size_t nPermille) {
        return static_cast<unsigned long long>(sizes.empty() ? 0 : sizes[(sizes.size() - 1) * nPermille / 1000]);
    };
    printf("soak sizes: %d cases from seed %llx (%s): largest input %lld bytes (seed %s), median %llu, 99%% within %llu, "
           "99.9%% within %llu, %d over %llu, %d not made (%lu s)\n",
           m_options.nCases, static_cast<unsigned long long>(m_options.nSeed),
           m_options.bUncapped ? "uncapped" : "capped", m_nLargestInput, CSoakCase::SeedText(m_nLargestSeed).c_str(),
           Share(500), Share(990), Share(999), nOverCap, static_cast<unsigned long long>(CSoakCase::kCapBytes), m_nUnmade,
           static_cast<unsigned long>((GetTickCount() - dwStart) / 1000));
    return nOverCap || m_nUnmade ? 1 : 0;
}
