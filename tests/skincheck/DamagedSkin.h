// A copy of the default skin (the Config folder that the build generates
// beside the test program) in a temporary folder, changed by a test: a text
// of the skin file replaced, or an image file written anew.
#pragma once
#include "framework/CString.h"
#include "support/CTempFolder.h"

class DamagedSkin
{
public:
    DamagedSkin();

    const CString& ConfigDir() const { return m_strConfig; }
    CString SkinFile() const { return m_strConfig + L"Morvel_SCfg.xml"; }
    CString ImageFile(const wchar_t* pszName) const { return m_strConfig + L"Default\\" + pszName; }

    // Replaces the first occurrence of strFrom in the skin file; a test fails
    // when there is none.
    void Replace(const CString& strFrom, const CString& strTo);
    // The 1-based line of the first occurrence of strText in the skin file.
    int LineOf(const CString& strText) const;

private:
    CTempFolder m_folder;
    CString m_strConfig;
};
