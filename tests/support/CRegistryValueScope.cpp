#include "CRegistryValueScope.h"
#include <gtest/gtest.h>
#include "framework/CHandleOwner.h"

CRegistryValueScope::CRegistryValueScope(const wchar_t* pszKeyPath, const wchar_t* pszValueName)
    : CRegistryValueScope(0, pszKeyPath, pszValueName, nullptr)
{
}

CRegistryValueScope::CRegistryValueScope(REGSAM samView, const wchar_t* pszKeyPath, const wchar_t* pszValueName,
                                         const wchar_t* pszText)
    : CRegistryValueScope(HKEY_LOCAL_MACHINE, samView, pszKeyPath, pszValueName, pszText)
{
}

CRegistryValueScope::CRegistryValueScope(HKEY hRoot, const wchar_t* pszKeyPath, const wchar_t* pszValueName)
    : CRegistryValueScope(hRoot, 0, pszKeyPath, pszValueName, nullptr)
{
}

CRegistryValueScope::CRegistryValueScope(HKEY hRoot, REGSAM samView, const wchar_t* pszKeyPath,
                                         const wchar_t* pszValueName, const wchar_t* pszText)
    : m_hRoot(hRoot), m_strKeyPath(pszKeyPath), m_strValueName(pszValueName), m_samView(samView)
{
    // Remember which keys of the path exist, so those made here can go again.
    for (int nSep = 0; nSep >= 0;) {
        nSep = m_strKeyPath.Find(L'\\', nSep + 1);
        CString strPrefix = nSep < 0 ? m_strKeyPath : m_strKeyPath.Left(nSep);
        CRegKeyOwner key;
        if (RegOpenKeyExW(m_hRoot, strPrefix, 0, KEY_READ | m_samView, key.Receive()) != ERROR_SUCCESS)
            m_createdKeys.push_back(strPrefix);
    }
    CRegKeyOwner key;
    if (RegOpenKeyExW(m_hRoot, m_strKeyPath, 0, KEY_READ | m_samView, key.Receive()) == ERROR_SUCCESS) {
        DWORD cbData = 0;
        if (RegQueryValueExW(key, m_strValueName, nullptr, &m_dwOldType, nullptr, &cbData) == ERROR_SUCCESS) {
            m_oldData.resize(cbData);
            m_bHadValue = RegQueryValueExW(key, m_strValueName, nullptr, &m_dwOldType, m_oldData.data(), &cbData) ==
                          ERROR_SUCCESS;
        }
    }
    Remove();
    if (pszText)
        SetText(pszText);
}

CRegistryValueScope::CRegistryValueScope(const wchar_t* pszKeyPath, const wchar_t* pszValueName,
                                         const wchar_t* pszText)
    : CRegistryValueScope(0, pszKeyPath, pszValueName, pszText)
{
}

CRegistryValueScope::~CRegistryValueScope()
{
    if (m_bHadValue)
        Set(m_dwOldType, m_oldData.data(), static_cast<DWORD>(m_oldData.size()));
    else
        Remove();
    for (auto it = m_createdKeys.rbegin(); it != m_createdKeys.rend(); ++it)
        RegDeleteKeyExW(m_hRoot, *it, m_samView, 0);
}

void CRegistryValueScope::SetText(const wchar_t* pszText, DWORD dwType)
{
    Set(dwType, pszText, static_cast<DWORD>((wcslen(pszText) + 1) * sizeof(wchar_t)));
}

void CRegistryValueScope::SetNumber(DWORD dwValue)
{
    Set(REG_DWORD, &dwValue, sizeof(dwValue));
}

void CRegistryValueScope::Remove()
{
    CRegKeyOwner key;
    if (RegOpenKeyExW(m_hRoot, m_strKeyPath, 0, KEY_SET_VALUE | m_samView, key.Receive()) == ERROR_SUCCESS)
        RegDeleteValueW(key, m_strValueName);
}

void CRegistryValueScope::Set(DWORD dwType, const void* pData, DWORD cbData)
{
    CRegKeyOwner key;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExW(m_hRoot, m_strKeyPath, 0, nullptr, 0, KEY_SET_VALUE | m_samView, nullptr,
                                             key.Receive(), nullptr))
        << "cannot open " << m_strKeyPath.ToAnsi();
    EXPECT_EQ(ERROR_SUCCESS, RegSetValueExW(key, m_strValueName, 0, dwType, static_cast<const BYTE*>(pData), cbData));
}
