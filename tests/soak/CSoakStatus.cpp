#include "CSoakStatus.h"

CSoakStatus::CSoakStatus()
{
    SECURITY_ATTRIBUTES sa = {sizeof(sa), nullptr, TRUE};
    m_mapping.Attach(CreateFileMappingW(INVALID_HANDLE_VALUE, &sa, PAGE_READWRITE, 0, sizeof(SoakStatusBlock), nullptr));
    Map();
    Reset();
}

CSoakStatus::CSoakStatus(HANDLE hInherited) : m_mapping(hInherited)
{
    Map();
}

CSoakStatus::~CSoakStatus()
{
    if (m_pBlock)
        UnmapViewOfFile(m_pBlock);
}

void CSoakStatus::Map()
{
    if (m_mapping.IsValid())
        m_pBlock = static_cast<SoakStatusBlock*>(MapViewOfFile(m_mapping, FILE_MAP_ALL_ACCESS, 0, 0, 0));
}

void CSoakStatus::Reset()
{
    if (!m_pBlock)
        return;
    ZeroMemory(m_pBlock, sizeof(*m_pBlock));
    m_pBlock->nRunning = -1;
    m_pBlock->faults.nPoint = -1;
    m_pBlock->faults.nPointSite = -1;
}
