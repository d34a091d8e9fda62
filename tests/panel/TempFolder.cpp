#include "TempFolder.h"
#include <string>
#include <gtest/gtest.h>

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

TempFolder::TempFolder(const wchar_t* pszPrefix)
{
    static int s_nSerial = 0;
    wchar_t szTemp[MAX_PATH];
    GetTempPathW(MAX_PATH, szTemp);
    m_strPath.Format(L"%s%s %lu-%d\\", szTemp, pszPrefix, GetCurrentProcessId(), ++s_nSerial);
    RemoveTree(m_strPath);
    EXPECT_TRUE(CreateDirectoryW(m_strPath, nullptr)) << "cannot create " << m_strPath.ToAnsi();
}

TempFolder::~TempFolder()
{
    RemoveTree(m_strPath);
}

bool FileExists(const CString& strPath)
{
    return GetFileAttributesW(strPath) != INVALID_FILE_ATTRIBUTES;
}

void WriteUtf8File(const CString& strPath, const CString& strText)
{
    std::string strBytes(static_cast<size_t>(strText.GetLength()) * 3, '\0');
    int cb = WideCharToMultiByte(CP_UTF8, 0, strText, strText.GetLength(), &strBytes[0],
                                 static_cast<int>(strBytes.size()), nullptr, nullptr);
    strBytes.resize(static_cast<size_t>(cb > 0 ? cb : 0));
    // Written aside and moved into place, so a reader never sees half a file.
    CString strAside = strPath + L".part";
    {
        CFileOwner file(
            CreateFileW(strAside, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(file.IsValid()) << "cannot write " << strPath.ToAnsi();
        DWORD cbWritten = 0;
        WriteFile(file, strBytes.data(), static_cast<DWORD>(strBytes.size()), &cbWritten, nullptr);
    }
    EXPECT_TRUE(MoveFileExW(strAside, strPath, MOVEFILE_REPLACE_EXISTING)) << strPath.ToAnsi();
}

std::string ReadFileBytes(const CString& strPath)
{
    CFileOwner file(CreateFileW(strPath, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.IsValid())
        return std::string();
    std::string strBytes(GetFileSize(file, nullptr), '\0');
    DWORD cbRead = 0;
    if (!strBytes.empty())
        ReadFile(file, &strBytes[0], static_cast<DWORD>(strBytes.size()), &cbRead, nullptr);
    strBytes.resize(cbRead);
    return strBytes;
}

CString ProgramFolder()
{
    wchar_t szPath[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, szPath, MAX_PATH);
    CString strPath = szPath;
    return strPath.Left(strPath.ReverseFind(L'\\') + 1);
}
