#include "DiagTestSupport.h"
#include <gtest/gtest.h>

RegistryValueScope::RegistryValueScope(const wchar_t* pszKeyPath, const wchar_t* pszValueName)
    : m_strKeyPath(pszKeyPath), m_strValueName(pszValueName)
{
    // Remember which keys of the path exist, so those made here can go again.
    for (int nSep = 0; nSep >= 0;) {
        nSep = m_strKeyPath.Find(L'\\', nSep + 1);
        CString strPrefix = nSep < 0 ? m_strKeyPath : m_strKeyPath.Left(nSep);
        HKEY hKey = nullptr;
        if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, strPrefix, 0, KEY_READ, &hKey) == ERROR_SUCCESS)
            RegCloseKey(hKey);
        else
            m_createdKeys.push_back(strPrefix);
    }
    HKEY hKey = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, m_strKeyPath, 0, KEY_READ, &hKey) == ERROR_SUCCESS) {
        DWORD cbData = 0;
        if (RegQueryValueExW(hKey, m_strValueName, nullptr, &m_dwOldType, nullptr, &cbData) == ERROR_SUCCESS) {
            m_oldData.resize(cbData);
            m_bHadValue = RegQueryValueExW(hKey, m_strValueName, nullptr, &m_dwOldType, m_oldData.data(), &cbData) ==
                          ERROR_SUCCESS;
        }
        RegCloseKey(hKey);
    }
    Remove();
}

RegistryValueScope::~RegistryValueScope()
{
    if (m_bHadValue)
        Set(m_dwOldType, m_oldData.data(), static_cast<DWORD>(m_oldData.size()));
    else
        Remove();
    for (auto it = m_createdKeys.rbegin(); it != m_createdKeys.rend(); ++it)
        RegDeleteKeyW(HKEY_LOCAL_MACHINE, *it);
}

void RegistryValueScope::SetText(const wchar_t* pszText, DWORD dwType)
{
    Set(dwType, pszText, static_cast<DWORD>((wcslen(pszText) + 1) * sizeof(wchar_t)));
}

void RegistryValueScope::SetNumber(DWORD dwValue)
{
    Set(REG_DWORD, &dwValue, sizeof(dwValue));
}

void RegistryValueScope::Remove()
{
    HKEY hKey = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, m_strKeyPath, 0, KEY_SET_VALUE, &hKey) == ERROR_SUCCESS) {
        RegDeleteValueW(hKey, m_strValueName);
        RegCloseKey(hKey);
    }
}

void RegistryValueScope::Set(DWORD dwType, const void* pData, DWORD cbData)
{
    HKEY hKey = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExW(HKEY_LOCAL_MACHINE, m_strKeyPath, 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                                             &hKey, nullptr));
    EXPECT_EQ(ERROR_SUCCESS,
              RegSetValueExW(hKey, m_strValueName, 0, dwType, static_cast<const BYTE*>(pData), cbData));
    RegCloseKey(hKey);
}

DiagTempFolder::DiagTempFolder()
{
    // Names go on counting past folders that an earlier, aborted run left behind.
    static int s_nSerial = 0;
    wchar_t szTemp[MAX_PATH];
    GetTempPathW(MAX_PATH, szTemp);
    bool bCreated = false;
    do {
        m_strPath.Format(L"%stracelog %lu-%d\\", szTemp, GetCurrentProcessId(), ++s_nSerial);
        bCreated = CreateDirectoryW(m_strPath, nullptr) != FALSE;
    } while (!bCreated && GetLastError() == ERROR_ALREADY_EXISTS);
    EXPECT_TRUE(bCreated) << "cannot create " << m_strPath.ToAnsi();
}

DiagTempFolder::~DiagTempFolder()
{
    WIN32_FIND_DATAW found;
    HANDLE hFind = FindFirstFileW(m_strPath + L"*", &found);
    if (hFind != INVALID_HANDLE_VALUE) {
        do {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                DeleteFileW(m_strPath + found.cFileName);
        } while (FindNextFileW(hFind, &found));
        FindClose(hFind);
    }
    RemoveDirectoryW(m_strPath);
}

std::string ReadWholeFile(const CString& strPath)
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

void MakeFileOfSize(const CString& strPath, DWORD cbSize)
{
    HANDLE hFile = CreateFileW(strPath, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, hFile);
    std::string strBytes(cbSize, 'x');
    DWORD cbWritten = 0;
    EXPECT_TRUE(WriteFile(hFile, strBytes.data(), cbSize, &cbWritten, nullptr));
    EXPECT_EQ(cbSize, cbWritten);
    CloseHandle(hFile);
}
