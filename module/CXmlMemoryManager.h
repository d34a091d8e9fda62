// The XML library's memory. The library's start is not undone when an
// allocation fails half-way: it then takes itself for started, every later
// start returns at once, and its stop crashes on what was never made. So
// while the library starts, an allocation that the heap refuses is taken
// from a reserve set aside beforehand; at all other times a refused
// allocation throws the library's OutOfMemoryException, as the library's own
// memory manager does.
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

    // Sets the reserve aside (once) and lets allocations fall back on it until EndStart.
    void BeginStart();
    void EndStart() { m_bStarting = false; }
    // Once the library has stopped, none of its blocks in the reserve is in use.
    void ReleaseReserve() { m_nReserveUsed = 0; }

    xercesc::MemoryManager* getExceptionMemoryManager() override { return this; }
    void* allocate(XMLSize_t size) override;
    void deallocate(void* p) override;

private:
    bool InReserve(const void* p) const;
    void* FromReserve(size_t nSize);

    BYTE* m_pReserve = nullptr;
    size_t m_nReserveUsed = 0;
    bool m_bStarting = false;
};
