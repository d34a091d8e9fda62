#include "controls/GdipImage.h"
#include <set>
#include <string>
#include "diag/CLogTrace.h"

using namespace Gdiplus::DllExports;

namespace Gdip {

namespace {
const DWORD kTraceLevel = 4;

// The file's identity for reporting: path, size and time of last change, so
// a file that an author saves anew is reported again when it fails again.
std::wstring FileVersionKey(const wchar_t* pszFile)
{
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    std::wstring strKey = pszFile;
    if (GetFileAttributesExW(pszFile, GetFileExInfoStandard, &data))
        strKey += L"|" + std::to_wstring(data.nFileSizeLow) + L"|" + std::to_wstring(data.ftLastWriteTime.dwLowDateTime) +
                  L"|" + std::to_wstring(data.ftLastWriteTime.dwHighDateTime);
    return strKey;
}
} // namespace

Image::Image(const wchar_t* pszFile)
{
    if (IStream* pSource = OpenSource(pszFile))
        SetStatus(GdipLoadImageFromStream(pSource, &m_pNative));
}

IStream* Image::OpenSource(const wchar_t* pszFile)
{
    switch (m_source.Open(pszFile)) {
    case FileStream::Result::Ok:
        return m_source.Get();
    case FileStream::Result::Missing:
        SetStatus(Gdiplus::FileNotFound);
        return nullptr;
    default:
        SetStatus(Gdiplus::Win32Error);
        return nullptr;
    }
}

Image::~Image()
{
    if (m_pNative)
        GdipDisposeImage(m_pNative);
}

UINT Image::Width() const
{
    UINT nWidth = 0;
    if (m_pNative)
        SetStatus(GdipGetImageWidth(m_pNative, &nWidth));
    return nWidth;
}

UINT Image::Height() const
{
    UINT nHeight = 0;
    if (m_pNative)
        SetStatus(GdipGetImageHeight(m_pNative, &nHeight));
    return nHeight;
}

std::unique_ptr<Image> LoadImageFile(const wchar_t* pszFile, bool* pbMissing)
{
    auto pImage = std::make_unique<Image>(pszFile);
    Status status = pImage->GetLastStatus();
    if (status != Gdiplus::Ok) {
        pImage.reset();
        if (pbMissing && (!pszFile || !*pszFile || GetFileAttributesW(pszFile) == INVALID_FILE_ATTRIBUTES))
            *pbMissing = true;
        else
            TraceLoadFailure(pszFile, status);
    }
    return pImage;
}

void TraceLoadFailure(const wchar_t* pszFile, Status status)
{
    if (!pszFile || !*pszFile)
        return;
    static std::set<std::wstring> reported;
    if (!reported.insert(FileVersionKey(pszFile)).second)
        return;
    if (status == Gdiplus::FileNotFound)
        g_LogTrace.Trace(kTraceLevel, L"Image file %s not found", pszFile);
    else if (status == Gdiplus::Win32Error)
        g_LogTrace.Trace(kTraceLevel, L"Image file %s cannot be read", pszFile);
    else
        g_LogTrace.Trace(kTraceLevel, L"Image file %s cannot be decoded (GDI+ status %d)", pszFile,
                         static_cast<int>(status));
}

} // namespace Gdip
