// The module's global operator new and delete: the run time's, except that
// while the XML library starts or stops, what the heap refuses comes from the
// library's reserve (CXmlMemoryManager), since the library's start cannot be
// undone and its stop allocates in destructors.
#include <cstdlib>
#include <new>
#include "module/CXmlMemoryManager.h"

void* operator new(size_t nSize)
{
    void* p = std::malloc(nSize ? nSize : 1);
    if (!p)
        p = g_xmlMemory.FromReserve(nSize ? nSize : 1);
    if (!p)
        throw std::bad_alloc();
    return p;
}

void operator delete(void* p) noexcept
{
    if (!g_xmlMemory.InReserve(p))
        std::free(p);
}

void operator delete(void* p, size_t) noexcept
{
    operator delete(p);
}
