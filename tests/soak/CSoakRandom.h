// The soak's deterministic random numbers: SplitMix64, so a case is fully
// given by its 64-bit seed and can be generated again anywhere (in the
// driver to save its inputs, in a child to replay it).
#pragma once
#include <stdint.h>
#include <vector>

class CSoakRandom
{
public:
    explicit CSoakRandom(uint64_t nSeed) : m_nState(nSeed) {}

    // The seed of case nIndex of a run: independent streams for neighbouring
    // indexes, and the same case seed on every machine.
    static uint64_t CaseSeed(uint64_t nRunSeed, uint64_t nIndex);

    uint64_t Next();
    // A number in [0, nCount); 0 when nCount is not positive.
    int Below(int nCount);
    // A number in [nLow, nHigh], both included.
    int Between(int nLow, int nHigh);
    // True with a chance of nPercent in 100.
    bool Percent(int nPercent) { return Below(100) < nPercent; }

    template <class T>
    const T& Pick(const std::vector<T>& values)
    {
        return values[static_cast<size_t>(Below(static_cast<int>(values.size())))];
    }

private:
    uint64_t m_nState;
};
