// Owner of a WinHTTP session, connection or request handle.
#pragma once
#include <windows.h>
#include <winhttp.h>

class CInternetHandle
{
public:
    explicit CInternetHandle(HINTERNET hInternet) : m_hInternet(hInternet) {}
    ~CInternetHandle()
    {
        if (m_hInternet)
            WinHttpCloseHandle(m_hInternet);
    }
    CInternetHandle(const CInternetHandle&) = delete;
    CInternetHandle& operator=(const CInternetHandle&) = delete;

    bool IsValid() const { return m_hInternet != nullptr; }
    HINTERNET Get() const { return m_hInternet; }

private:
    HINTERNET m_hInternet;
};
