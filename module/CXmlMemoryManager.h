// The XML library's memory. The library's start is not undone when an
// allocation fails half-way: it then takes itself for started, every later
// start returns at once, and its stop crashes on what was never made. Its
// stop allocates too, inside destructors, where a throw ends the process. So
// while the library starts or stops, an allocation that the heap refuses is
// taken from a reserve set aside beforehand; at all other times a refused
// allocation throws the library's OutOfMemoryException, as the library's own
// memory manager does. The module's operator new, which the library's start
// calls too, falls back on the same reserve (ModuleOperatorNew.cpp), and a
// panic of the library, which would end the host's process, throws instead.
#pragma once
#include <windows.h>
#include <xercesc/framework/MemoryManager.hpp>

class CXmlMemoryManager : public xercesc::MemoryManager
{
public:
    CXmlMemoryManager() = default;
    ~CXmlMemoryManager() override;
    CXmlMemoryManager(const CXmlMemoryManager&) = delete;
    CXmlMemoryManager& operator=(const CXmlMemoryManager&) = delete;

    // Sets the reserve aside (once) and lets allocations fall back on it
    // until CloseReserve: around the library's start and its stop.
    void OpenReserve();
    void CloseReserve() { m_bReserveOpen = false; }
    // Once the library has stopped, none of its blocks in the reserve is in use.
    void ReleaseReserve() { m_nReserveUsed = 0; }

    // A block of the reserve while it is open, else null.
    void* FromReserve(size_t nSize);
    bool InReserve(const void* p) const;

    xercesc::MemoryManager* getExceptionMemoryManager() override { return this; }
    void* allocate(XMLSize_t size) override;
    void deallocate(void* p) override;

private:

    BYTE* m_pReserve = nullptr;
    size_t m_nReserveUsed = 0;
    bool m_bReserveOpen = false;
};

// The module's one instance, which the XML library uses from its start to its stop.
extern CXmlMemoryManager g_xmlMemory;
