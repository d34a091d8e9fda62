// The four calls of the tool-service library. Each reads the catalog afresh,
// so edits to the catalog file show at the next call.
#include "include/PellixSDK.h"
#include "pellix/CCatalogStore.h"
#include "pellix/CPluginListBuilder.h"
#include "pellix/CRefreshWorker.h"
#include "pellix/CToolLauncher.h"

int __cdecl PxGetAllPluginList(_PLUGIN_INFO** ppHead)
{
    if (!ppHead)
        return -1;
    *ppHead = nullptr;
    CString strPath = CCatalogStore::GetCatalogPath();
    CCatalog catalog;
    if (!g_CatalogStore.Load(strPath, catalog) ||
        !CPluginListBuilder::Build(catalog, CCatalogStore::GetFolder(strPath), *ppHead))
        return -1;
    return catalog.GetToolCount();
}

void __cdecl PxFreePluginListBuffer(_PLUGIN_INFO* pHead)
{
    CPluginListBuilder::Free(pHead);
}

BOOL __cdecl PxGetAllPluginListFromInternet(HWND hNotify, UINT uMsg)
{
    return CRefreshWorker::Start(hNotify, uMsg);
}

BOOL __cdecl PxRunTool(const wchar_t* pszId, int nReserved1, int nReserved2, HWND hOwner, DWORD* pResult,
                       int nReserved3)
{
    CString strPath = CCatalogStore::GetCatalogPath();
    CCatalog catalog;
    DWORD dwResult = ERROR_NOT_FOUND;
    if (g_CatalogStore.Load(strPath, catalog)) {
        if (const CCatalog::Tool* pTool = CPluginListBuilder::FindByRecordId(catalog, pszId))
            dwResult = CToolLauncher::Run(*pTool, CCatalogStore::GetFolder(strPath));
    }
    if (pResult)
        *pResult = dwResult;
    return dwResult == ERROR_SUCCESS;
}
