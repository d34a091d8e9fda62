// Shared pieces of the trace log's tests: registry values set for one test and
// put back afterwards, a fresh temporary folder, and whole-file reads.
#pragma once
#include <windows.h>
#include <string>
#include <vector>
#include "framework/CString.h"

// One value under HKEY_LOCAL_MACHINE, taken over by a test: the value is
// removed at first, and whatever the test sets is replaced by the old state
// (old value, or no value; keys the scope created are removed) at the end.
class RegistryValueScope
{
public:
    RegistryValueScope(const wchar_t* pszKeyPath, const wchar_t* pszValueName);
    ~RegistryValueScope();
    RegistryValueScope(const RegistryValueScope&) = delete;
    RegistryValueScope& operator=(const RegistryValueScope&) = delete;

    void SetText(const wchar_t* pszText, DWORD dwType = REG_SZ);
    void SetNumber(DWORD dwValue);
    void Remove();

private:
    void Set(DWORD dwType, const void* pData, DWORD cbData);

    CString m_strKeyPath;
    CString m_strValueName;
    std::vector<CString> m_createdKeys; // deepest last
    bool m_bHadValue = false;
    DWORD m_dwOldType = 0;
    std::vector<BYTE> m_oldData;
};

// A new folder below the system's temporary folder, removed with its files.
class DiagTempFolder
{
public:
    DiagTempFolder();
    ~DiagTempFolder();
    DiagTempFolder(const DiagTempFolder&) = delete;
    DiagTempFolder& operator=(const DiagTempFolder&) = delete;

    CString File(const wchar_t* pszName) const { return m_strPath + pszName; }

private:
    CString m_strPath; // ends with a backslash
};

std::string ReadWholeFile(const CString& strPath);
bool FileExists(const CString& strPath);
// A file of exactly cbSize bytes, all 'x'.
void MakeFileOfSize(const CString& strPath, DWORD cbSize);
