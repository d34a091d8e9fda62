#include "pellix/CRefreshWorker.h"
#include <new>
#include <string>
#include "pellix/CCatalogStore.h"
#include "framework/CHandleOwner.h"
#include "pellix/CSourceFetcher.h"

BOOL CRefreshWorker::Start(HWND hNotify, UINT uMsg)
{
    HMODULE hPinned = nullptr;
    if (!GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS, reinterpret_cast<LPCWSTR>(&CRefreshWorker::ThreadMain),
                            &hPinned)) {
        Notify(hNotify, uMsg);
        return FALSE;
    }
    Request* pRequest = new (std::nothrow) Request{ hNotify, uMsg };
    CKernelObjectOwner thread(pRequest ? CreateThread(nullptr, 0, &CRefreshWorker::ThreadMain, pRequest, 0, nullptr)
                                  : nullptr);
    if (!thread.IsValid()) {
        delete pRequest;
        FreeLibrary(hPinned);
        Notify(hNotify, uMsg);
        return FALSE;
    }
    return TRUE;
}

DWORD WINAPI CRefreshWorker::ThreadMain(LPVOID pParam)
{
    Request* pRequest = static_cast<Request*>(pParam);
    RefreshCatalog();
    Notify(pRequest->hNotify, pRequest->uMsg);
    delete pRequest;
    HMODULE hModule = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&CRefreshWorker::ThreadMain), &hModule);
    FreeLibraryAndExitThread(hModule, 0);
}

// A source that cannot be read or does not hold a valid catalog leaves the
// current catalog as it is.
void CRefreshWorker::RefreshCatalog()
{
    CString strPath = CCatalogStore::GetCatalogPath();
    CCatalog current;
    if (!g_CatalogStore.Load(strPath, current))
        return;
    std::string strBytes;
    CCatalog fetched;
    if (CSourceFetcher::Fetch(current.GetSource(), CCatalogStore::GetFolder(strPath), strBytes) &&
        fetched.Parse(strBytes))
        g_CatalogStore.Replace(strPath, fetched);
}

void CRefreshWorker::Notify(HWND hNotify, UINT uMsg)
{
    if (hNotify)
        PostMessageW(hNotify, uMsg, 0, 0);
}
