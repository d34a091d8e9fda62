// Owner of a kernel object handle (file, process, thread): closed once, on destruction.
#pragma once
#include <windows.h>

class CKernelHandle
{
public:
    explicit CKernelHandle(HANDLE hHandle = INVALID_HANDLE_VALUE) : m_hHandle(hHandle) {}
    ~CKernelHandle() { Close(); }
    CKernelHandle(const CKernelHandle&) = delete;
    CKernelHandle& operator=(const CKernelHandle&) = delete;

    // CreateFileW fails with INVALID_HANDLE_VALUE, CreateThread with null: both are "no handle".
    bool IsValid() const { return m_hHandle != INVALID_HANDLE_VALUE && m_hHandle != nullptr; }
    HANDLE Get() const { return m_hHandle; }

private:
    void Close()
    {
        if (IsValid())
            CloseHandle(m_hHandle);
    }

    HANDLE m_hHandle;
};
