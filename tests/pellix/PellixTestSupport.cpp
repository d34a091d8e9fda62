#include "PellixTestSupport.h"
#include <gtest/gtest.h>
#include "panel/PluginRecord.h"

namespace {

const wchar_t kCatalogVariable[] = L"PELLIX_CATALOG";

void RemoveTree(const CString& strFolder)
{
    WIN32_FIND_DATAW found;
    HANDLE hFind = FindFirstFileW(strFolder + L"*", &found);
    if (hFind != INVALID_HANDLE_VALUE) {
        do {
            CString strName = found.cFileName;
            if (strName == L"." || strName == L"..")
                continue;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(strFolder + strName + L"\\");
            else
                DeleteFileW(strFolder + strName);
        } while (FindNextFileW(hFind, &found));
        FindClose(hFind);
    }
    RemoveDirectoryW(strFolder);
}

} // namespace

void PrintTo(const CString& strText, std::ostream* pStream)
{
    int cb = WideCharToMultiByte(CP_UTF8, 0, strText, strText.GetLength(), nullptr, 0, nullptr, nullptr);
    std::string strBytes(static_cast<size_t>(cb > 0 ? cb : 0), '\0');
    if (cb > 0)
        WideCharToMultiByte(CP_UTF8, 0, strText, strText.GetLength(), &strBytes[0], cb, nullptr, nullptr);
    *pStream << '"' << strBytes << '"';
}

PellixTempFolder::PellixTempFolder()
{
    // Names go on counting past folders that an earlier, aborted run left behind.
    static int s_nSerial = 0;
    wchar_t szTemp[MAX_PATH];
    GetTempPathW(MAX_PATH, szTemp);
    bool bCreated = false;
    do {
        m_strPath.Format(L"%spellix Ünï 工具 %lu-%d\\", szTemp, GetCurrentProcessId(), ++s_nSerial);
        bCreated = CreateDirectoryW(m_strPath, nullptr) != FALSE;
    } while (!bCreated && GetLastError() == ERROR_ALREADY_EXISTS);
    EXPECT_TRUE(bCreated) << "cannot create " << m_strPath.ToAnsi();
}

PellixTempFolder::~PellixTempFolder()
{
    RemoveTree(m_strPath);
}

CString CatalogText(const CString& strSource, const std::vector<CatalogTool>& tools)
{
    CString strText = L"; catalog written by the tool-service tests\r\n";
    if (!strSource.IsEmpty())
        strText += L"[Catalog]\r\nSource=" + strSource + L"\r\n";
    for (const CatalogTool& tool : tools) {
        strText += L"\r\n[Tool]\r\nName=" + tool.strName + L"\r\nId=" + tool.strId + L"\r\nVersion=" +
                   tool.strVersion + L"\r\nDescription=" + tool.strDescription + L"\r\nIcon=" + tool.strIcon +
                   L"\r\nListed=" + (tool.bListed ? L"1" : L"0") + L"\r\nCommand=" + tool.strCommand + L"\r\n";
    }
    return strText;
}

void WriteUtf8File(const CString& strPath, const CString& strText)
{
    int cb = WideCharToMultiByte(CP_UTF8, 0, strText, strText.GetLength(), nullptr, 0, nullptr, nullptr);
    std::string strBytes(static_cast<size_t>(cb > 0 ? cb : 0), '\0');
    if (cb > 0)
        WideCharToMultiByte(CP_UTF8, 0, strText, strText.GetLength(), &strBytes[0], cb, nullptr, nullptr);
    WriteBytes(strPath, strBytes);
}

void WriteBytes(const CString& strPath, const std::string& strBytes)
{
    HANDLE hFile = CreateFileW(strPath, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, hFile) << "cannot write " << strPath.ToAnsi();
    DWORD cbWritten = 0;
    EXPECT_TRUE(WriteFile(hFile, strBytes.data(), static_cast<DWORD>(strBytes.size()), &cbWritten, nullptr));
    CloseHandle(hFile);
}

std::string ReadBytes(const CString& strPath)
{
    HANDLE hFile = CreateFileW(strPath, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                               OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (hFile == INVALID_HANDLE_VALUE)
        return std::string();
    std::string strBytes(GetFileSize(hFile, nullptr), '\0');
    DWORD cbRead = 0;
    if (!strBytes.empty())
        ReadFile(hFile, &strBytes[0], static_cast<DWORD>(strBytes.size()), &cbRead, nullptr);
    CloseHandle(hFile);
    strBytes.resize(cbRead);
    return strBytes;
}

bool FileExists(const CString& strPath)
{
    return GetFileAttributesW(strPath) != INVALID_FILE_ATTRIBUTES;
}

CatalogSwitch::CatalogSwitch(const wchar_t* pszCatalogPath)
{
    DWORD cch = GetEnvironmentVariableW(kCatalogVariable, m_strOldValue.GetBuffer(32767), 32768);
    m_strOldValue.ReleaseBuffer(static_cast<int>(cch));
    m_bHadValue = cch > 0;
    SetEnvironmentVariableW(kCatalogVariable, pszCatalogPath);
}

CatalogSwitch::~CatalogSwitch()
{
    SetEnvironmentVariableW(kCatalogVariable, m_bHadValue ? m_strOldValue.GetString() : nullptr);
}

std::vector<ListedTool> ReadToolList(int& nResult)
{
    _PLUGIN_INFO* pHead = reinterpret_cast<_PLUGIN_INFO*>(static_cast<UINT_PTR>(0xDEADBEEF));
    nResult = PxGetAllPluginList(&pHead);
    std::vector<ListedTool> tools;
    for (const _PLUGIN_INFO* pInfo = pHead; pInfo; pInfo = CPluginRecord(*pInfo).GetNext()) {
        CPluginRecord record(*pInfo);
        tools.push_back({ record.GetName(), record.GetId(), record.GetVersion(), record.GetDescription(),
                          record.GetIconPath(), record.IsListed() });
    }
    PxFreePluginListBuffer(pHead);
    return tools;
}

std::vector<ListedTool> ReadToolList()
{
    int nResult = 0;
    return ReadToolList(nResult);
}
