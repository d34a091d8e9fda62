#include "CStackSampler.h"
#include <algorithm>

namespace {

const int kMaxReturns = 64;
const size_t kMaxStackBytes = 1 << 20;

} // namespace

CStackSampler::CStackSampler(HMODULE hModule)
{
    DuplicateHandle(GetCurrentProcess(), GetCurrentThread(), GetCurrentProcess(), &m_hTarget, 0, FALSE,
                    DUPLICATE_SAME_ACCESS);
    // The committed part of the stack that holds this frame ends at the stack's base.
    MEMORY_BASIC_INFORMATION stack = {};
    VirtualQuery(&stack, &stack, sizeof(stack));
    m_pStackBase = static_cast<const BYTE*>(stack.BaseAddress) + stack.RegionSize;
    const BYTE* pBase = reinterpret_cast<const BYTE*>(hModule);
    const auto* pNt = reinterpret_cast<const IMAGE_NT_HEADERS*>(pBase + reinterpret_cast<const IMAGE_DOS_HEADER*>(pBase)->e_lfanew);
    const IMAGE_SECTION_HEADER* pSection = IMAGE_FIRST_SECTION(pNt);
    for (WORD i = 0; i < pNt->FileHeader.NumberOfSections; ++i, ++pSection) {
        if (!(pSection->Characteristics & IMAGE_SCN_MEM_EXECUTE))
            continue;
        const BYTE* pBegin = pBase + pSection->VirtualAddress;
        const BYTE* pEnd = pBegin + pSection->Misc.VirtualSize;
        m_pCodeBegin = m_pCodeBegin ? std::min(m_pCodeBegin, pBegin) : pBegin;
        m_pCodeEnd = std::max(m_pCodeEnd, pEnd);
    }
    m_hThread = CreateThread(nullptr, 0, &CStackSampler::ThreadMain, this, 0, nullptr);
}

CStackSampler::~CStackSampler()
{
    m_bStop.store(true);
    if (m_hThread) {
        WaitForSingleObject(m_hThread, INFINITE);
        CloseHandle(m_hThread);
    }
    CloseHandle(m_hTarget);
}

std::vector<CStackSampler::Sample> CStackSampler::TakeSamples()
{
    AcquireSRWLockExclusive(&m_lock);
    std::vector<Sample> samples = std::move(m_samples);
    m_samples.clear();
    ReleaseSRWLockExclusive(&m_lock);
    return samples;
}

DWORD WINAPI CStackSampler::ThreadMain(void* pThis)
{
    static_cast<CStackSampler*>(pThis)->Run();
    return 0;
}

void CStackSampler::Run()
{
    while (!m_bStop.load()) {
        Sleep(1);
        if (m_nTag.load() != 0)
            TakeOne();
    }
}

bool CStackSampler::IsReturnAddress(const BYTE* p) const
{
    if (p < m_pCodeBegin + 6 || p >= m_pCodeEnd)
        return false;
    auto isIndirectCall = [](BYTE modrm) { return ((modrm >> 3) & 7) == 2; }; // FF /2
    return p[-5] == 0xE8 ||                                                   // call rel32
           (p[-6] == 0xFF && isIndirectCall(p[-5])) ||                        // call [disp32] / [reg+disp32]
           (p[-3] == 0xFF && isIndirectCall(p[-2]) && (p[-2] >> 6) == 1) ||   // call [reg+disp8]
           (p[-2] == 0xFF && isIndirectCall(p[-1]) && (p[-1] >> 6) == 3);     // call reg
}

void CStackSampler::TakeOne()
{
    // Nothing is allocated while the thread is stopped: it may hold the heap's lock.
    const void* returns[kMaxReturns];
    int nReturns = 0;
    const void* pIp = nullptr;
    int nTag = m_nTag.load();
    if (SuspendThread(m_hTarget) == static_cast<DWORD>(-1))
        return;
    CONTEXT context = {};
    context.ContextFlags = CONTEXT_CONTROL;
    if (GetThreadContext(m_hTarget, &context)) {
#ifdef _WIN64
        pIp = reinterpret_cast<const void*>(context.Rip);
        const BYTE* pStack = reinterpret_cast<const BYTE*>(context.Rsp);
#else
        pIp = reinterpret_cast<const void*>(context.Eip);
        const BYTE* pStack = reinterpret_cast<const BYTE*>(context.Esp);
#endif
        const BYTE* pEnd = std::min(m_pStackBase, pStack + kMaxStackBytes);
        for (const BYTE* p = pStack; p + sizeof(void*) <= pEnd && nReturns < kMaxReturns; p += sizeof(void*)) {
            const BYTE* pValue = *reinterpret_cast<const BYTE* const*>(p);
            if (IsReturnAddress(pValue))
                returns[nReturns++] = pValue;
        }
    }
    ResumeThread(m_hTarget);
    if (!pIp)
        return;
    Sample sample;
    sample.pIp = pIp;
    sample.returns.assign(returns, returns + nReturns);
    sample.nTag = nTag;
    AcquireSRWLockExclusive(&m_lock);
    m_samples.push_back(std::move(sample));
    ReleaseSRWLockExclusive(&m_lock);
}
