// One value under HKEY_LOCAL_MACHINE, taken over by a test: the value is
// removed at first (or set to the given text), and whatever the test sets is
// replaced by the old state (old value, or no value; keys the scope created
// are removed) at the end.
#pragma once
#include <windows.h>
#include <vector>
#include "framework/CString.h"

class CRegistryValueScope
{
public:
    CRegistryValueScope(const wchar_t* pszKeyPath, const wchar_t* pszValueName);
    // Sets the value to a REG_SZ text right away; a null text leaves it removed.
    CRegistryValueScope(const wchar_t* pszKeyPath, const wchar_t* pszValueName, const wchar_t* pszText);
    // The same in one registry view of a 64-bit Windows: KEY_WOW64_32KEY or
    // KEY_WOW64_64KEY (0: the caller's own view).
    CRegistryValueScope(REGSAM samView, const wchar_t* pszKeyPath, const wchar_t* pszValueName, const wchar_t* pszText);
    // A value under another root (HKEY_CURRENT_USER), removed at first.
    CRegistryValueScope(HKEY hRoot, const wchar_t* pszKeyPath, const wchar_t* pszValueName);
    ~CRegistryValueScope();
    CRegistryValueScope(const CRegistryValueScope&) = delete;
    CRegistryValueScope& operator=(const CRegistryValueScope&) = delete;

    void SetText(const wchar_t* pszText, DWORD dwType = REG_SZ);
    void SetNumber(DWORD dwValue);
    void Remove();

private:
    CRegistryValueScope(HKEY hRoot, REGSAM samView, const wchar_t* pszKeyPath, const wchar_t* pszValueName,
                        const wchar_t* pszText);
    void Set(DWORD dwType, const void* pData, DWORD cbData);

    HKEY m_hRoot = HKEY_LOCAL_MACHINE;
    CString m_strKeyPath;
    CString m_strValueName;
    REGSAM m_samView = 0;
    std::vector<CString> m_createdKeys; // deepest last
    bool m_bHadValue = false;
    DWORD m_dwOldType = 0;
    std::vector<BYTE> m_oldData;
};
