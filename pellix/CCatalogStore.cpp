#include "pellix/CCatalogStore.h"
#include <shlwapi.h>
#include "framework/CHandleOwner.h"
#include "pellix/CSourceFetcher.h"

CCatalogStore g_CatalogStore;

namespace {

const wchar_t kCatalogVariable[] = L"PELLIX_CATALOG";
const wchar_t kCatalogFileName[] = L"PellixCatalog.ini";
const int kLongPathChars = 32767;

} // namespace

CString CCatalogStore::GetCatalogPath()
{
    CString strPath;
    DWORD cch = GetEnvironmentVariableW(kCatalogVariable, strPath.GetBuffer(kLongPathChars), kLongPathChars + 1);
    strPath.ReleaseBuffer(cch <= kLongPathChars ? static_cast<int>(cch) : 0);
    if (!strPath.IsEmpty())
        return strPath;
    DWORD cchModule = GetModuleFileNameW(GetLibraryModule(), strPath.GetBuffer(kLongPathChars), kLongPathChars + 1);
    strPath.ReleaseBuffer(cchModule <= kLongPathChars ? static_cast<int>(cchModule) : 0);
    return GetFolder(strPath) + kCatalogFileName;
}

CString CCatalogStore::GetFolder(const CString& strPath)
{
    return strPath.Left(strPath.ReverseFind(L'\\') + 1);
}

CString CCatalogStore::ResolvePath(const CString& strFolder, const CString& strPath)
{
    if (strPath.IsEmpty() || !PathIsRelativeW(strPath))
        return strPath;
    return strFolder + strPath;
}

bool CCatalogStore::Load(const CString& strPath, CCatalog& catalog)
{
    std::string strBytes;
    CCriticalSection::CLock lock(m_lock);
    return CSourceFetcher::ReadLocalFile(strPath, strBytes) && catalog.Parse(strBytes);
}

bool CCatalogStore::Replace(const CString& strPath, CCatalog& catalog)
{
    CCriticalSection::CLock lock(m_lock);
    if (catalog.GetSource().IsEmpty()) {
        std::string strOldBytes;
        CCatalog oldCatalog;
        if (CSourceFetcher::ReadLocalFile(strPath, strOldBytes) && oldCatalog.Parse(strOldBytes))
            catalog.SetSource(oldCatalog.GetSource());
    }
    return WriteReplacing(strPath, catalog.Serialize());
}

HMODULE CCatalogStore::GetLibraryModule()
{
    HMODULE hModule = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&CCatalogStore::GetLibraryModule), &hModule);
    return hModule;
}

// Readers never see a half-written catalog: the text goes to a side file
// first, which then takes the catalog's place in one move.
bool CCatalogStore::WriteReplacing(const CString& strPath, const std::string& strBytes)
{
    CString strTempPath = strPath + L".new";
    if (WriteNewFile(strTempPath, strBytes) &&
        MoveFileExW(strTempPath, strPath, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    DeleteFileW(strTempPath);
    return false;
}

bool CCatalogStore::WriteNewFile(const CString& strPath, const std::string& strBytes)
{
    CFileOwner file(CreateFileW(strPath, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD cbWritten = 0;
    return file.IsValid() &&
           WriteFile(file.Get(), strBytes.data(), static_cast<DWORD>(strBytes.size()), &cbWritten, nullptr) &&
           cbWritten == strBytes.size();
}
