// Reads the bytes of a catalog source: a local file, or an http:// or
// https:// address fetched with WinHTTP. Sources are capped in size so that a
// wrong address cannot fill the memory.
#pragma once
#include <windows.h>
#include <winhttp.h>
#include <string>
#include "framework/CString.h"

class CSourceFetcher
{
public:
    // A web address or a file path; relative paths start at strFolder.
    static bool Fetch(const CString& strSource, const CString& strFolder, std::string& strBytes);
    static bool ReadLocalFile(const CString& strPath, std::string& strBytes);

    static const DWORD kMaxSourceBytes = 32 * 1024 * 1024;

private:
    static bool IsWebAddress(const CString& strSource);
    static bool FetchWebAddress(const CString& strUrl, std::string& strBytes);
    static bool ReadResponse(HINTERNET hRequest, std::string& strBytes);
};
