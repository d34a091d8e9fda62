// Owner of one non-GDI handle, released exactly once by its kind's release
// function (Traits::Close) when replaced, reset or destroyed. Copying is
// disabled; moving transfers the handle.
#pragma once
#include <windows.h>

template <class Traits>
class CHandleOwner
{
public:
    using Handle = typename Traits::Handle;

    CHandleOwner() = default;
    explicit CHandleOwner(Handle h) : m_h(h) {}
    ~CHandleOwner() { Close(); }
    CHandleOwner(const CHandleOwner&) = delete;
    CHandleOwner& operator=(const CHandleOwner&) = delete;
    CHandleOwner(CHandleOwner&& other) noexcept : m_h(other.Detach()) {}
    CHandleOwner& operator=(CHandleOwner&& other) noexcept
    {
        if (this != &other)
            Attach(other.Detach());
        return *this;
    }

    Handle Get() const { return m_h; }
    operator Handle() const { return m_h; }
    bool IsValid() const { return m_h != Traits::Invalid(); }

    void Attach(Handle h)
    {
        if (h != m_h)
            Close();
        m_h = h;
    }
    Handle Detach()
    {
        Handle h = m_h;
        m_h = Traits::Invalid();
        return h;
    }
    // Releases the current handle and gives the slot to a function that
    // returns a new one through a pointer (RegOpenKeyW(..., key.Receive())).
    Handle* Receive()
    {
        Close();
        return &m_h;
    }
    void Close()
    {
        if (IsValid())
            Traits::Close(m_h);
        m_h = Traits::Invalid();
    }

private:
    Handle m_h = Traits::Invalid();
};

struct AfxRegKeyTraits
{
    using Handle = HKEY;
    static HKEY Invalid() { return nullptr; }
    static void Close(HKEY h) { ::RegCloseKey(h); }
};

struct AfxFileTraits
{
    using Handle = HANDLE;
    static HANDLE Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(HANDLE h) { ::CloseHandle(h); }
};

// Kernel objects such as processes and threads, which signal failure with null.
struct AfxKernelObjectTraits
{
    using Handle = HANDLE;
    static HANDLE Invalid() { return nullptr; }
    static void Close(HANDLE h) { ::CloseHandle(h); }
};

// Memory from GlobalAlloc.
struct AfxGlobalMemoryTraits
{
    using Handle = HGLOBAL;
    static HGLOBAL Invalid() { return nullptr; }
    static void Close(HGLOBAL h) { ::GlobalFree(h); }
};

// A FindFirstFileW search.
struct AfxFindTraits
{
    using Handle = HANDLE;
    static HANDLE Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(HANDLE h) { ::FindClose(h); }
};

struct AfxIconTraits
{
    using Handle = HICON;
    static HICON Invalid() { return nullptr; }
    static void Close(HICON h) { ::DestroyIcon(h); }
};

struct AfxCursorTraits
{
    using Handle = HCURSOR;
    static HCURSOR Invalid() { return nullptr; }
    static void Close(HCURSOR h) { ::DestroyCursor(h); }
};

using CRegKeyOwner = CHandleOwner<AfxRegKeyTraits>;
using CFileOwner = CHandleOwner<AfxFileTraits>;
using CKernelObjectOwner = CHandleOwner<AfxKernelObjectTraits>;
using CFindOwner = CHandleOwner<AfxFindTraits>;
using CGlobalMemoryOwner = CHandleOwner<AfxGlobalMemoryTraits>;
using CIconOwner = CHandleOwner<AfxIconTraits>;
using CCursorOwner = CHandleOwner<AfxCursorTraits>;
