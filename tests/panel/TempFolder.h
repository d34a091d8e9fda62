// A fresh folder below the system's temporary folder, removed with everything
// in it when the object goes away.
#pragma once
#include <windows.h>
#include <string>
#include "framework/CHandleOwner.h"
#include "framework/CString.h"

// A FindFirstFileW search, closed when the owner goes away.
struct FindTraits
{
    using Handle = HANDLE;
    static HANDLE Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(HANDLE h) { ::FindClose(h); }
};
using CFindOwner = CHandleOwner<FindTraits>;

class TempFolder
{
public:
    explicit TempFolder(const wchar_t* pszPrefix);
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const CString& Path() const { return m_strPath; } // ends with a backslash
    CString File(const wchar_t* pszName) const { return m_strPath + pszName; }

private:
    CString m_strPath;
};

// Small file helpers shared by the panel tests.
bool FileExists(const CString& strPath);
void WriteUtf8File(const CString& strPath, const CString& strText);
std::string ReadFileBytes(const CString& strPath);
// The folder of the test program, which holds the build's binaries.
CString ProgramFolder();
