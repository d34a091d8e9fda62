// A sampling profiler for one thread of this process: about every
// millisecond it stops the thread, reads its instruction pointer and scans
// its stack for return addresses into one module's code, innermost first.
// The scan takes a stack word for a return address when the bytes before it
// end in a call instruction, so that it needs neither frame pointers nor
// unwind tables and works the same on both builds.
#pragma once
#include <windows.h>
#include <atomic>
#include <vector>

class CStackSampler
{
public:
    struct Sample
    {
        const void* pIp = nullptr;             // where the thread was
        std::vector<const void*> returns;      // into the module's code, innermost first
        int nTag = 0;                          // the tag set when the sample was taken
    };

    // Samples the calling thread; the return addresses looked for lie in hModule.
    explicit CStackSampler(HMODULE hModule);
    ~CStackSampler();
    CStackSampler(const CStackSampler&) = delete;
    CStackSampler& operator=(const CStackSampler&) = delete;

    // Samples are kept only while a tag other than 0 is set.
    void SetTag(int nTag) { m_nTag.store(nTag); }
    std::vector<Sample> TakeSamples();

private:
    static DWORD WINAPI ThreadMain(void* pThis);
    void Run();
    void TakeOne();
    bool IsReturnAddress(const BYTE* pAddress) const;

    HANDLE m_hTarget = nullptr;
    HANDLE m_hThread = nullptr;
    const BYTE* m_pCodeBegin = nullptr;
    const BYTE* m_pCodeEnd = nullptr;
    const BYTE* m_pStackBase = nullptr;
    std::atomic<int> m_nTag{0};
    std::atomic<bool> m_bStop{false};
    SRWLOCK m_lock = SRWLOCK_INIT; // guards m_samples
    std::vector<Sample> m_samples;
};
