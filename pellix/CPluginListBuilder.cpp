#include "pellix/CPluginListBuilder.h"
#include <cstdint>
#include "pellix/CCatalogStore.h"

// All records of a list live in one block of pages, zero when they arrive:
// one allocation however many tools there are, and Free gives the whole
// block back to the system instead of leaving it to the heap.
bool CPluginListBuilder::Build(const CCatalog& catalog, const CString& strFolder, _PLUGIN_INFO*& pHead)
{
    pHead = nullptr;
    size_t nCount = static_cast<size_t>(catalog.GetToolCount());
    if (nCount == 0)
        return true;
    if (nCount > SIZE_MAX / sizeof(_PLUGIN_INFO))
        return false;
    auto* pRecords = static_cast<_PLUGIN_INFO*>(
        VirtualAlloc(nullptr, nCount * sizeof(_PLUGIN_INFO), MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
    if (!pRecords)
        return false;
    for (size_t i = 0; i < nCount; ++i) {
        FillRecord(pRecords[i], catalog.GetTool(static_cast<int>(i)), strFolder);
        pRecords[i].pNext = i + 1 < nCount ? &pRecords[i + 1] : nullptr;
    }
    pHead = pRecords;
    return true;
}

// Only the first record of a list from Build starts a block; anything else
// is not ours to release.
void CPluginListBuilder::Free(_PLUGIN_INFO* pHead)
{
    MEMORY_BASIC_INFORMATION info = {};
    if (pHead && VirtualQuery(pHead, &info, sizeof(info)) == sizeof(info) && info.AllocationBase == pHead)
        VirtualFree(pHead, 0, MEM_RELEASE);
}

void CPluginListBuilder::FillRecord(_PLUGIN_INFO& info, const CCatalog::Tool& tool, const CString& strFolder)
{
    CopyText(info.szName, tool.strName);
    CopyText(info.szId, tool.strId);
    CopyText(info.szVersion, tool.strVersion);
    CopyText(info.szDesc, tool.strDescription);
    CopyText(info.szIconPath, CCatalogStore::ResolvePath(strFolder, tool.strIcon));
    info.bFlags = tool.bListed ? PX_FLAG_LISTED : 0;
}

const CCatalog::Tool* CPluginListBuilder::FindByRecordId(const CCatalog& catalog, const wchar_t* pszId)
{
    if (!pszId)
        return nullptr;
    for (int i = 0; i < catalog.GetToolCount(); ++i) {
        if (FitToField(catalog.GetTool(i).strId, PX_ID_CCH) == pszId)
            return &catalog.GetTool(i);
    }
    return nullptr;
}

// Texts longer than their field are cut to leave room for the terminator;
// the cut never splits a surrogate pair, so no half character is reported.
CString CPluginListBuilder::FitToField(const CString& strText, size_t cchField)
{
    return strText.Left(FittedLength(strText, cchField));
}

int CPluginListBuilder::FittedLength(const CString& strText, size_t cchField)
{
    int cchMax = static_cast<int>(cchField) - 1;
    if (strText.GetLength() <= cchMax)
        return strText.GetLength();
    return IS_HIGH_SURROGATE(strText[cchMax - 1]) ? cchMax - 1 : cchMax;
}
