#include "CSoakRandom.h"

namespace {
const uint64_t kGolden = 0x9E3779B97F4A7C15ull;

uint64_t Mix(uint64_t z)
{
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}
} // namespace

uint64_t CSoakRandom::CaseSeed(uint64_t nRunSeed, uint64_t nIndex)
{
    return Mix(Mix(nRunSeed) + (nIndex + 1) * kGolden);
}

uint64_t CSoakRandom::Next()
{
    m_nState += kGolden;
    return Mix(m_nState);
}

int CSoakRandom::Below(int nCount)
{
    return nCount > 0 ? static_cast<int>(Next() % static_cast<uint64_t>(nCount)) : 0;
}

int CSoakRandom::Between(int nLow, int nHigh)
{
    uint64_t nSpan = static_cast<uint64_t>(static_cast<int64_t>(nHigh) - nLow) + 1;
    return static_cast<int>(nLow + static_cast<int64_t>(Next() % nSpan));
}
