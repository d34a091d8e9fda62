// Owner of a file handle from CreateFileW: closed once, on destruction or Reset.
#pragma once
#include <windows.h>

class CFileHandle
{
public:
    explicit CFileHandle(HANDLE hFile = INVALID_HANDLE_VALUE) : m_hFile(hFile) {}
    ~CFileHandle() { Reset(); }
    CFileHandle(const CFileHandle&) = delete;
    CFileHandle& operator=(const CFileHandle&) = delete;

    bool IsValid() const { return m_hFile != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return m_hFile; }

    // Closes the file held so far and takes hFile instead.
    void Reset(HANDLE hFile = INVALID_HANDLE_VALUE)
    {
        if (IsValid())
            CloseHandle(m_hFile);
        m_hFile = hFile;
    }

    // Hands the handle to the caller, who closes it from now on.
    HANDLE Detach()
    {
        HANDLE hFile = m_hFile;
        m_hFile = INVALID_HANDLE_VALUE;
        return hFile;
    }

private:
    HANDLE m_hFile;
};
