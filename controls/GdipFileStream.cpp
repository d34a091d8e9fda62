#include "controls/GdipFileStream.h"
#include "framework/CHandleOwner.h"

namespace Gdip {

namespace {

// Global memory of the file's bytes, or null; the file is closed on return.
HGLOBAL ReadFileToGlobal(const wchar_t* pszFile, FileStream::Result& result)
{
    CFileOwner file(CreateFileW(pszFile, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.IsValid()) {
        DWORD dwError = GetLastError();
        bool bMissing = dwError == ERROR_FILE_NOT_FOUND || dwError == ERROR_PATH_NOT_FOUND;
        result = bMissing ? FileStream::Result::Missing : FileStream::Result::Unreadable;
        return nullptr;
    }
    result = FileStream::Result::Unreadable;
    LARGE_INTEGER size = {};
    // Skin images are small; anything that does not fit a 32-bit read is refused.
    if (!GetFileSizeEx(file, &size) || size.QuadPart <= 0 || size.QuadPart > 0x7FFFFFFF)
        return nullptr;
    DWORD dwSize = static_cast<DWORD>(size.QuadPart);
    CGlobalMemoryOwner memory(GlobalAlloc(GMEM_MOVEABLE, dwSize));
    void* pBytes = memory.IsValid() ? GlobalLock(memory) : nullptr;
    if (!pBytes)
        return nullptr;
    DWORD dwRead = 0;
    BOOL bRead = ReadFile(file, pBytes, dwSize, &dwRead, nullptr);
    GlobalUnlock(memory);
    if (!bRead || dwRead != dwSize)
        return nullptr;
    result = FileStream::Result::Ok;
    return memory.Detach();
}

} // namespace

FileStream::~FileStream()
{
    if (m_pStream)
        m_pStream->Release();
}

FileStream::Result FileStream::Open(const wchar_t* pszFile)
{
    if (m_pStream) {
        m_pStream->Release();
        m_pStream = nullptr;
    }
    Result result = Result::Missing;
    CGlobalMemoryOwner memory(pszFile && *pszFile ? ReadFileToGlobal(pszFile, result) : nullptr);
    if (!memory.IsValid())
        return result;
    // From here the stream frees the memory when its last reference goes.
    if (FAILED(CreateStreamOnHGlobal(memory, TRUE, &m_pStream))) {
        m_pStream = nullptr;
        return Result::Unreadable;
    }
    memory.Detach();
    return Result::Ok;
}

} // namespace Gdip
