// tavrin_heap_probe: plants one heap fault, so that a run under Wine's heap
// checking (WINEDEBUG=warn+heap, see support/HeapCheck.h) shows the lines the
// checker prints for it:
//   tavrin_heap_probe overrun      writes one byte past a block
//   tavrin_heap_probe double-free  frees a block twice
//   tavrin_heap_probe clean        allocates and frees correctly
// Each fault is planted through the C++ allocator, which the module's code
// and its XML library use, and through the process heap directly; then every
// heap is validated, as the test programs and the soak do at checkpoints.
#include <windows.h>
#include <cstdio>
#include <cstring>
#include "support/HeapCheck.h"

namespace {

const size_t kBlockBytes = 24;

// Through volatile pointers: the compiler would otherwise drop the stores
// into a block that is never read, and the second free of a block. The
// overrun blocks stay allocated, so that the validation walks over them.
void Overrun()
{
    volatile size_t nPastEnd = kBlockBytes;
    volatile char* pBlock = new char[kBlockBytes];
    pBlock[nPastEnd] = 'x';
    volatile char* pRaw = static_cast<char*>(HeapAlloc(GetProcessHeap(), 0, kBlockBytes));
    pRaw[nPastEnd] = 'x';
}

void DoubleFree()
{
    char* volatile pBlock = new char[kBlockBytes];
    delete[] pBlock;
    delete[] pBlock;
    void* volatile pRaw = HeapAlloc(GetProcessHeap(), 0, kBlockBytes);
    HeapFree(GetProcessHeap(), 0, pRaw);
    HeapFree(GetProcessHeap(), 0, pRaw);
}

void Clean()
{
    char* volatile pBlock = new char[kBlockBytes];
    memset(pBlock, 'a', kBlockBytes);
    delete[] pBlock;
    void* volatile pRaw = HeapAlloc(GetProcessHeap(), 0, kBlockBytes);
    HeapFree(GetProcessHeap(), 0, pRaw);
}

} // namespace

int main(int argc, char** argv)
{
    const char* pszFault = argc > 1 ? argv[1] : "";
    if (strcmp(pszFault, "overrun") == 0)
        Overrun();
    else if (strcmp(pszFault, "double-free") == 0)
        DoubleFree();
    else if (strcmp(pszFault, "clean") == 0)
        Clean();
    else {
        fprintf(stderr, "usage: tavrin_heap_probe overrun|double-free|clean\n");
        return 2;
    }
    printf("heap probe: %s planted, %d heaps failed validation\n", pszFault, InvalidProcessHeaps());
    return 0;
}
