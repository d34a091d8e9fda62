#include "RegistryValue.h"
#include <gtest/gtest.h>
#include "framework/CHandleOwner.h"

RegistryValue::RegistryValue(const wchar_t* pszKey, const wchar_t* pszName, const wchar_t* pszText)
    : m_strKey(pszKey), m_strName(pszName)
{
    CRegKeyOwner key;
    LSTATUS nStatus = RegCreateKeyExW(HKEY_LOCAL_MACHINE, pszKey, 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr,
                                      key.Receive(), nullptr);
    EXPECT_EQ(ERROR_SUCCESS, nStatus) << "cannot open HKLM\\" << m_strKey.ToAnsi();
    if (nStatus != ERROR_SUCCESS)
        return;
    DWORD cbData = 0;
    m_bExisted = RegQueryValueExW(key, pszName, nullptr, &m_dwOldType, nullptr, &cbData) == ERROR_SUCCESS;
    if (m_bExisted) {
        m_oldData.resize(cbData);
        RegQueryValueExW(key, pszName, nullptr, &m_dwOldType, m_oldData.data(), &cbData);
    }
    if (!pszText) {
        RegDeleteValueW(key, pszName);
        return;
    }
    EXPECT_EQ(ERROR_SUCCESS, RegSetValueExW(key, pszName, 0, REG_SZ, reinterpret_cast<const BYTE*>(pszText),
                                            static_cast<DWORD>((wcslen(pszText) + 1) * sizeof(wchar_t))));
}

RegistryValue::~RegistryValue()
{
    CRegKeyOwner key;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, m_strKey, 0, KEY_WRITE, key.Receive()) != ERROR_SUCCESS)
        return;
    if (m_bExisted)
        RegSetValueExW(key, m_strName, 0, m_dwOldType, m_oldData.data(), static_cast<DWORD>(m_oldData.size()));
    else
        RegDeleteValueW(key, m_strName);
}
