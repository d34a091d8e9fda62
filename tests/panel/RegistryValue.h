// Sets one text value under HKEY_LOCAL_MACHINE (or deletes it, for a null
// text) and puts back what was there before when the object goes away.
#pragma once
#include <windows.h>
#include <vector>
#include "framework/CString.h"

class RegistryValue
{
public:
    RegistryValue(const wchar_t* pszKey, const wchar_t* pszName, const wchar_t* pszText);
    ~RegistryValue();
    RegistryValue(const RegistryValue&) = delete;
    RegistryValue& operator=(const RegistryValue&) = delete;

private:
    CString m_strKey;
    CString m_strName;
    bool m_bExisted = false;
    DWORD m_dwOldType = 0;
    std::vector<BYTE> m_oldData;
};
