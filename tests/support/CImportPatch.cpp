#include "CImportPatch.h"
#include <cstring>

namespace {

template <class T>
T* At(HMODULE hModule, DWORD dwRva)
{
    return reinterpret_cast<T*>(reinterpret_cast<BYTE*>(hModule) + dwRva);
}

// The import address table slot of pszDll!pszFunction, or null.
void** FindSlot(HMODULE hModule, const char* pszDll, const char* pszFunction)
{
    auto* pDos = reinterpret_cast<IMAGE_DOS_HEADER*>(hModule);
    auto* pNt = At<IMAGE_NT_HEADERS>(hModule, pDos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& dir = pNt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (dir.VirtualAddress == 0)
        return nullptr;
    for (auto* pDesc = At<IMAGE_IMPORT_DESCRIPTOR>(hModule, dir.VirtualAddress); pDesc->Name; ++pDesc) {
        if (_stricmp(At<char>(hModule, pDesc->Name), pszDll) != 0)
            continue;
        auto* pNames = At<IMAGE_THUNK_DATA>(hModule, pDesc->OriginalFirstThunk);
        auto* pSlots = At<IMAGE_THUNK_DATA>(hModule, pDesc->FirstThunk);
        for (; pNames->u1.AddressOfData; ++pNames, ++pSlots) {
            if (IMAGE_SNAP_BY_ORDINAL(pNames->u1.Ordinal))
                continue;
            auto* pByName = At<IMAGE_IMPORT_BY_NAME>(hModule, static_cast<DWORD>(pNames->u1.AddressOfData));
            if (strcmp(reinterpret_cast<const char*>(pByName->Name), pszFunction) == 0)
                return reinterpret_cast<void**>(&pSlots->u1.Function);
        }
    }
    return nullptr;
}

} // namespace

CImportPatch::CImportPatch(HMODULE hModule, const char* pszDll, const char* pszFunction, void* pReplacement)
{
    m_pSlot = hModule ? FindSlot(hModule, pszDll, pszFunction) : nullptr;
    if (!m_pSlot)
        return;
    m_pOriginal = *m_pSlot;
    Write(m_pSlot, pReplacement);
}

CImportPatch::~CImportPatch()
{
    if (m_pSlot)
        Write(m_pSlot, m_pOriginal);
}

void CImportPatch::Write(void** pSlot, void* pValue)
{
    DWORD dwOld = 0;
    VirtualProtect(pSlot, sizeof(void*), PAGE_READWRITE, &dwOld);
    *pSlot = pValue;
    VirtualProtect(pSlot, sizeof(void*), dwOld, &dwOld);
}
