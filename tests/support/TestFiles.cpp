#include "TestFiles.h"
#include <windows.h>
#include <gtest/gtest.h>
#include "framework/CHandleOwner.h"
#include "CFindOwner.h"
#include "TestText.h"

bool FileExists(const CString& strPath)
{
    return GetFileAttributesW(strPath) != INVALID_FILE_ATTRIBUTES;
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

void WriteFileBytes(const CString& strPath, const std::string& strBytes)
{
    CFileOwner file(CreateFileW(strPath, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(file.IsValid()) << "cannot write " << ToUtf8(strPath);
    DWORD cbWritten = 0;
    EXPECT_TRUE(WriteFile(file, strBytes.data(), static_cast<DWORD>(strBytes.size()), &cbWritten, nullptr));
    EXPECT_EQ(strBytes.size(), cbWritten) << ToUtf8(strPath);
}

void WriteUtf8File(const CString& strPath, const CString& strText)
{
    CString strAside = strPath + L".part";
    WriteFileBytes(strAside, ToUtf8(strText));
    EXPECT_TRUE(MoveFileExW(strAside, strPath, MOVEFILE_REPLACE_EXISTING)) << ToUtf8(strPath);
}

CString ProgramFolder()
{
    wchar_t szPath[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, szPath, MAX_PATH);
    CString strPath = szPath;
    return strPath.Left(strPath.ReverseFind(L'\\') + 1);
}

void CopyFolderTree(const CString& strSource, const CString& strTarget)
{
    CreateDirectoryW(strTarget, nullptr);
    WIN32_FIND_DATAW data;
    CFindOwner find(FindFirstFileW(strSource + L"*", &data));
    ASSERT_TRUE(find.IsValid()) << "cannot list " << ToUtf8(strSource);
    do {
        CString strName = data.cFileName;
        if (strName == L"." || strName == L"..")
            continue;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            CopyFolderTree(strSource + strName + L"\\", strTarget + strName + L"\\");
        else
            EXPECT_TRUE(CopyFileW(strSource + strName, strTarget + strName, FALSE)) << ToUtf8(strSource + strName);
    } while (FindNextFileW(find, &data));
}
