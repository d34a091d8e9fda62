#include "HeapCheck.h"
#include <windows.h>
#include <vector>

bool HeapCheckRequested()
{
    return GetEnvironmentVariableW(L"TAVRIN_HEAP_CHECK", nullptr, 0) > 0;
}

int InvalidProcessHeaps()
{
    // Heaps may be made between the two calls: ask again until all fit.
    std::vector<HANDLE> heaps(64);
    DWORD nHeaps = 0;
    while ((nHeaps = GetProcessHeaps(static_cast<DWORD>(heaps.size()), heaps.data())) > heaps.size())
        heaps.resize(nHeaps + 16);
    int nInvalid = 0;
    for (DWORD i = 0; i < nHeaps; ++i)
        nInvalid += HeapValidate(heaps[i], 0, nullptr) ? 0 : 1;
    return nInvalid;
}
