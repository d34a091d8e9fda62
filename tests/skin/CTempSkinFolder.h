// A fresh folder under the system's temp folder for the skin files of one test;
// it is removed with everything in it when the object goes away.
#pragma once
#include <string>
#include "framework/CString.h"
#include "support/CTempFolder.h"

class CTempSkinFolder
{
public:
    // pszTag becomes part of the folder's name (it may hold any Unicode text).
    explicit CTempSkinFolder(const wchar_t* pszTag = L"skin");

    const CString& Folder() const { return m_folder.Path(); } // ends with a backslash
    CString Path(const wchar_t* pszName) const { return m_folder.File(pszName); }

    // Writes the text as UTF-8 and returns the file's full path.
    CString WriteUtf8(const wchar_t* pszName, const std::wstring& strText) const;
    // Writes the bytes unchanged and returns the file's full path.
    CString WriteBytes(const wchar_t* pszName, const std::string& strBytes) const;

private:
    CTempFolder m_folder;
};
