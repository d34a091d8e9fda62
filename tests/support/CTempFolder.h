// A fresh folder below the system's temporary folder, removed with everything
// in it when the object goes away.
#pragma once
#include "framework/CString.h"

class CTempFolder
{
public:
    // The folder is named "<prefix> <process id>-<serial>"; the prefix may hold
    // any Unicode text. pszSubfolder, if given, is created empty inside.
    explicit CTempFolder(const wchar_t* pszPrefix, const wchar_t* pszSubfolder = nullptr);
    ~CTempFolder();
    CTempFolder(const CTempFolder&) = delete;
    CTempFolder& operator=(const CTempFolder&) = delete;

    const CString& Path() const { return m_strPath; } // ends with a backslash
    CString File(const wchar_t* pszName) const { return m_strPath + pszName; }

private:
    CString m_strPath;
};
