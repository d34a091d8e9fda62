#include "CTempSkinFolder.h"
#include <windows.h>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace fs = std::filesystem;

CTempSkinFolder::CTempSkinFolder(const wchar_t* pszTag)
{
    static int s_nSerial = 0;
    CString strName;
    strName.Format(L"tavrin_%s_%lu_%lu_%d", pszTag, GetCurrentProcessId(), GetTickCount(), ++s_nSerial);
    fs::path folder = fs::temp_directory_path() / strName.GetString();
    fs::create_directories(folder);
    m_strFolder = CString(folder.wstring().c_str()) + L"\\";
}

CTempSkinFolder::~CTempSkinFolder()
{
    std::error_code error;
    fs::remove_all(fs::path(m_strFolder.GetString()), error);
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
    std::ofstream file(fs::path(strPath.GetString()), std::ios::binary | std::ios::trunc);
    file.write(strBytes.data(), static_cast<std::streamsize>(strBytes.size()));
    return strPath;
}
