#include "CTempSkinFolder.h"
#include <windows.h>
#include "support/TestFiles.h"

CTempSkinFolder::CTempSkinFolder(const wchar_t* pszTag) : m_folder(CString(L"tavrin_") + pszTag)
{
}

CString CTempSkinFolder::WriteUtf8(const wchar_t* pszName, const std::wstring& strText) const
{
    std::string strBytes;
    int nBytes = WideCharToMultiByte(CP_UTF8, 0, strText.data(), static_cast<int>(strText.size()), nullptr, 0,
                                     nullptr, nullptr);
    strBytes.resize(static_cast<size_t>(nBytes));
    if (nBytes > 0)
        WideCharToMultiByte(CP_UTF8, 0, strText.data(), static_cast<int>(strText.size()), &strBytes[0], nBytes,
                            nullptr, nullptr);
    return WriteBytes(pszName, strBytes);
}

CString CTempSkinFolder::WriteBytes(const wchar_t* pszName, const std::string& strBytes) const
{
    CString strPath = Path(pszName);
    WriteFileBytes(strPath, strBytes);
    return strPath;
}
