#include "pellix/CPluginListBuilder.h"
#include <new>
#include "pellix/CCatalogStore.h"

bool CPluginListBuilder::Build(const CCatalog& catalog, const CString& strFolder, _PLUGIN_INFO*& pHead)
{
    pHead = nullptr;
    _PLUGIN_INFO** ppLink = &pHead;
    for (int i = 0; i < catalog.GetToolCount(); ++i) {
        _PLUGIN_INFO* pInfo = new (std::nothrow) _PLUGIN_INFO();
        if (!pInfo) {
            Free(pHead);
            pHead = nullptr;
            return false;
        }
        FillRecord(*pInfo, catalog.GetTool(i), strFolder);
        *ppLink = pInfo;
        ppLink = &pInfo->pNext;
    }
    return true;
}

void CPluginListBuilder::Free(_PLUGIN_INFO* pHead)
{
    while (pHead) {
        _PLUGIN_INFO* pNext = pHead->pNext;
        delete pHead;
        pHead = pNext;
    }
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
    int cchMax = static_cast<int>(cchField) - 1;
    if (strText.GetLength() <= cchMax)
        return strText;
    int cch = IS_HIGH_SURROGATE(strText[cchMax - 1]) ? cchMax - 1 : cchMax;
    return strText.Left(cch);
}
