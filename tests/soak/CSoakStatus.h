// What a soak child tells its driver while it runs: a small block of shared
// memory that the child writes and the driver reads, so that the driver knows
// which case was running when the child crashed or stopped answering, and
// what the child measured. The mapping's handle is inherited by the child,
// which finds it by the number on its command line.
#pragma once
#include <windows.h>
#include "CResourceMeter.h"
#include "FaultStatus.h"
#include "framework/CHandleOwner.h"

struct SoakStatusBlock
{
    volatile LONG nRunning;   // index of the case running, -1 between cases
    volatile LONG nFinished;  // cases this child has finished
    volatile LONG bMeasured;  // the two counts below are set
    volatile LONG nCrashCode; // the exception that ended the child, 0 if none
    volatile LONG nHeartbeat; // counts the host's calls into the module and its message loops
    volatile LONG bPlatformDcLeak; // the platform's GDI+ leaks memory DCs (CResourceMeter::TextLayoutLeaksDc)
    volatile LONG bMiddle;    // middle is set
    volatile LONGLONG nLargestInput; // bytes of the largest case input this child made
    volatile ULONGLONG nLargestSeed; // the seed of that case
    char szUnmade[160];       // why the running case's inputs could not be made; empty when they were
    ResourceCounts baseline;  // after the warm-up case
    ResourceCounts middle;    // before the middle case: the system's caches fill early, a leak goes on
    ResourceCounts final;     // after all cases and the warm-up case again
    FaultStatus faults;       // set by a fault child only (CFaultChild)
};

class CSoakStatus
{
public:
    // A fresh block, inheritable by children.
    CSoakStatus();
    // The block whose handle a driver passed down.
    explicit CSoakStatus(HANDLE hInherited);
    ~CSoakStatus();
    CSoakStatus(const CSoakStatus&) = delete;
    CSoakStatus& operator=(const CSoakStatus&) = delete;

    bool IsValid() const { return m_pBlock != nullptr; }
    HANDLE Handle() const { return m_mapping; }
    SoakStatusBlock& Block() { return *m_pBlock; }
    void Reset();

private:
    void Map();

    CKernelObjectOwner m_mapping;
    SoakStatusBlock* m_pBlock = nullptr;
};
