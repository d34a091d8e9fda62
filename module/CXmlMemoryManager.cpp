#include "module/CXmlMemoryManager.h"
#include <cstdlib>
#include <cstring>
#include <xercesc/util/OutOfMemoryException.hpp>

namespace {
// The library's start and stop take well under this; only what the heap refuses comes from it.
const size_t kReserveBytes = 2 << 20;
const size_t kAlignment = 16;
}

CXmlMemoryManager g_xmlMemory;

CXmlMemoryManager::~CXmlMemoryManager()
{
    if (m_pReserve)
        VirtualFree(m_pReserve, 0, MEM_RELEASE);
}

void CXmlMemoryManager::OpenReserve()
{
    if (!m_pReserve) {
        m_pReserve = static_cast<BYTE*>(VirtualAlloc(nullptr, kReserveBytes, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
        // Touched now, so that the pages are there when the heap no longer gives any.
        if (m_pReserve)
            memset(m_pReserve, 0, kReserveBytes);
    }
    m_bReserveOpen = true;
}

bool CXmlMemoryManager::InReserve(const void* p) const
{
    auto* pByte = static_cast<const BYTE*>(p);
    return m_pReserve && pByte >= m_pReserve && pByte < m_pReserve + kReserveBytes;
}

void* CXmlMemoryManager::FromReserve(size_t nSize)
{
    size_t nRounded = (nSize + kAlignment - 1) & ~(kAlignment - 1);
    if (!m_bReserveOpen || !m_pReserve || nRounded > kReserveBytes - m_nReserveUsed)
        return nullptr;
    void* p = m_pReserve + m_nReserveUsed;
    m_nReserveUsed += nRounded;
    return p;
}

void* CXmlMemoryManager::allocate(XMLSize_t size)
{
    void* p = std::malloc(size ? size : 1);
    if (!p)
        p = FromReserve(size);
    if (!p)
        throw xercesc::OutOfMemoryException();
    return p;
}

void CXmlMemoryManager::deallocate(void* p)
{
    // A block of the reserve is given back with the whole reserve, once the library has stopped.
    if (!InReserve(p))
        std::free(p);
}
