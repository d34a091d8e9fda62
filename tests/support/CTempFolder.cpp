#include "CTempFolder.h"
#include <windows.h>
#include <gtest/gtest.h>
#include "CFindOwner.h"

namespace {

void RemoveTree(const CString& strFolder)
{
    WIN32_FIND_DATAW found;
    CFindOwner search(FindFirstFileW(strFolder + L"*", &found));
    for (bool bMore = search.IsValid(); bMore; bMore = FindNextFileW(search, &found) != FALSE) {
        CString strName = found.cFileName;
        if (strName == L"." || strName == L"..")
            continue;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            RemoveTree(strFolder + strName + L"\\");
        else
            DeleteFileW(strFolder + strName);
    }
    search.Close();
    RemoveDirectoryW(strFolder);
}

} // namespace

CTempFolder::CTempFolder(const wchar_t* pszPrefix, const wchar_t* pszSubfolder)
{
    // Names go on counting past folders that an earlier, aborted run left behind.
    static int s_nSerial = 0;
    wchar_t szTemp[MAX_PATH];
    GetTempPathW(MAX_PATH, szTemp);
    bool bCreated = false;
    do {
        m_strPath.Format(L"%s%s %lu-%d\\", szTemp, pszPrefix, GetCurrentProcessId(), ++s_nSerial);
        bCreated = CreateDirectoryW(m_strPath, nullptr) != FALSE;
    } while (!bCreated && GetLastError() == ERROR_ALREADY_EXISTS);
    EXPECT_TRUE(bCreated) << "cannot create " << m_strPath.ToAnsi();
    if (bCreated && pszSubfolder) {
        EXPECT_TRUE(CreateDirectoryW(File(pszSubfolder), nullptr)) << "cannot create " << File(pszSubfolder).ToAnsi();
    }
}

CTempFolder::~CTempFolder()
{
    RemoveTree(m_strPath);
}
