// The soak's watchdog: runs the cases in a child process (this program with
// --child), waits for it, and when the child crashes or one case runs past
// the hang limit (no call into the module returns and no message is handled
// for that long), records the case, saves its inputs under the output folder
// (crash-<seed>\ or hang-<seed>\) and goes on with a fresh child from the next
// case. A child that could not make a case's inputs (out of memory) is a
// finding too, saved as unmade-<seed>\. Ends with one summary line:
//   soak: N cases, C crashes, H hangs, GDI objects +g, user objects +u,
//   private memory +m KiB (..., largest input B bytes, ...)
// and exit code 0 (clean), 1 (crash, hang or growth beyond the tolerance) or
// 2 (could not run).
#pragma once
#include <stdint.h>
#include <string>
#include <vector>
#include "CSoakOptions.h"
#include "CSoakStatus.h"

class CSoakDriver
{
public:
    explicit CSoakDriver(const CSoakOptions& options) : m_options(options) {}

    int Run();
    int Replay();
    // Makes the cases in this process without running them and reports the
    // largest input; exit code 1 when a case passes the cap or is not made.
    int Sizes();

private:
    friend class CFaultSweep; // runs its children under the same watchdog

    enum class ChildEnd { Finished, Crashed, Hung, Failed };
    struct Finding
    {
        uint64_t nSeed;
        int nIndex;
        std::string strOutcome;
    };

    ChildEnd RunChild(const std::wstring& strArguments, CSoakStatus& status, DWORD& dwExitCode);
    // Runs a child; one that stops before it has begun its work (Wine now and
    // then hangs a process while it starts) runs once more. A second stop
    // before the work is the caller's to report. pfnBegun tells from the
    // status block whether the child got to its work.
    ChildEnd RunChildWithRestart(const std::wstring& strArguments, CSoakStatus& status, DWORD& dwExitCode,
                                 bool (*pfnBegun)(const SoakStatusBlock&));
    void Record(uint64_t nSeed, int nIndex, const char* pszKind, const std::string& strOutcome);
    // Saves the case's inputs in <out><kind>-<seed>\.
    void SaveCase(uint64_t nSeed, const char* pszKind, const std::string& strOutcome) const;
    std::string Growth(const SoakStatusBlock& block, bool& bBeyondTolerance) const;
    void NoteLargest(const SoakStatusBlock& block);
    static std::string Progress(const SoakStatusBlock& block);
    static std::string Change(const ResourceCounts& from, const ResourceCounts& to, bool bPlatformDcLeak);
    static std::string ExitText(DWORD dwExitCode);
    static std::string EndText(ChildEnd end, DWORD dwExitCode);

    const CSoakOptions& m_options;
    std::vector<Finding> m_findings;
    int m_nCrashes = 0;
    int m_nHangs = 0;
    int m_nUnmade = 0;
    LONGLONG m_nLargestInput = 0;
    uint64_t m_nLargestSeed = 0;
};
