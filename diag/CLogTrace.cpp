#include "diag/CLogTrace.h"
#include <stdarg.h>
#include <stdio.h>
#include <wchar.h>
#include "framework/CHandleOwner.h"
#include "skin/ValueText.h"

CLogTrace g_LogTrace;

namespace {

const DWORD kRegistryBufferBytes = 1024;
const size_t kMessageChars = 1024; // 1023 characters and the terminator

} // namespace

CLogTrace::CLogTrace()
    : m_strFileName(L"c:\\aa.txt"), m_dwMaxSize(0xA00000), m_dwLevelMask(0xFFFFFFFF), m_bEnable(FALSE)
{
}

CLogTrace::~CLogTrace() = default;

void CLogTrace::Init(const CString& strFileName, DWORD dwLevelMask, DWORD dwMaxSize)
{
    m_strFileName = strFileName;
    m_dwMaxSize = dwMaxSize;
    m_dwLevelMask = dwLevelMask;
    if (IsSwitchOn(L"SOFTWARE\\brelwick\\Quenda3.0", L"Debug"))
        m_bEnable = TRUE;
    if (IsSwitchOn(L"SOFTWARE", L"MorvelDebugFlag"))
        m_bEnable = TRUE;
}

void CLogTrace::Trace(DWORD dwLevel, const wchar_t* pszFormat, ...)
{
    if (!m_bEnable || (dwLevel & m_dwLevelMask) == 0 || !pszFormat)
        return;
    wchar_t szMessage[kMessageChars];
    va_list args;
    va_start(args, pszFormat);
    _vsnwprintf_s(szMessage, kMessageChars, _TRUNCATE, pszFormat, args);
    va_end(args);

    CFileOwner file(OpenLogFile());
    if (!file.IsValid())
        return;
    __time64_t tNow = _time64(nullptr);
    CString strLine;
    strLine.Format(L"TID:%06d [%s.%03d]     %s\r\n", static_cast<int>(GetCurrentThreadId()),
                   FormatTime(tNow).GetString(), static_cast<int>(tNow % 1000), szMessage);
    std::string strBytes = ToThreadAnsi(strLine);
    DWORD cbWritten = 0;
    SetFilePointer(file.Get(), 0, nullptr, FILE_END);
    WriteFile(file.Get(), strBytes.data(), static_cast<DWORD>(strBytes.size()), &cbWritten, nullptr);
}

// The size is compared in full 64 bits: a file that another writer grew past
// 4 GiB is still recognised as too large.
HANDLE CLogTrace::OpenLogFile()
{
    CFileOwner file(CreateLogFile(OPEN_ALWAYS));
    LARGE_INTEGER size;
    if (!file.IsValid() || !GetFileSizeEx(file.Get(), &size))
        return file.Detach();
    if (static_cast<ULONGLONG>(size.QuadPart) > m_dwMaxSize) {
        file.Close();
        file.Attach(CreateLogFile(CREATE_ALWAYS));
    }
    return file.Detach();
}

HANDLE CLogTrace::CreateLogFile(DWORD dwDisposition) const
{
    return CreateFileW(m_strFileName, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                       dwDisposition, FILE_ATTRIBUTE_NORMAL, nullptr);
}

CString CLogTrace::FormatTime(__time64_t tTime)
{
    struct tm local;
    if (_localtime64_s(&local, &tTime) != 0)
        return CString();
    wchar_t szTime[128];
    size_t cch = wcsftime(szTime, 128, L"%Y-%m-%d %H:%M:%S", &local);
    return CString(szTime, static_cast<int>(cch));
}

bool CLogTrace::IsSwitchOn(const wchar_t* pszKeyPath, const wchar_t* pszValueName)
{
    CString strValue;
    ReadRegistryValue(pszKeyPath, pszValueName, kRegistryBufferBytes, strValue);
    return strValue == L"1";
}

// The file is written in the ANSI code page of the writing thread; characters
// that page lacks become its default character.
std::string CLogTrace::ToThreadAnsi(const CString& strText)
{
    int cb = WideCharToMultiByte(CP_THREAD_ACP, 0, strText, strText.GetLength(), nullptr, 0, nullptr, nullptr);
    if (cb <= 0)
        return std::string();
    std::string strBytes(static_cast<size_t>(cb), '\0');
    WideCharToMultiByte(CP_THREAD_ACP, 0, strText, strText.GetLength(), &strBytes[0], cb, nullptr, nullptr);
    return strBytes;
}
