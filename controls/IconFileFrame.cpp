#include "controls/IconFileFrame.h"
#include <cstring>
#include <cwchar>
#include <string>
#include "controls/SkinImageFile.h"
#include "framework/CHandleOwner.h"

using namespace Gdiplus::DllExports;

namespace {

const size_t kDirSize = 6;   // reserved, type, count
const size_t kEntrySize = 16; // width, height, colours, reserved, planes, bit count, bytes, offset
const DWORD kMaxIconFile = 16u << 20;

struct StreamTraits
{
    using Handle = IStream*;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { h->Release(); }
};

struct GdipImageTraits
{
    using Handle = Gdiplus::GpImage*;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { GdipDisposeImage(h); }
};

bool ReadWholeFile(const wchar_t* pszPath, std::string& strBytes)
{
    CFileOwner file(CreateFileW(pszPath, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size = {};
    if (!file.IsValid() || !GetFileSizeEx(file, &size) || size.QuadPart <= 0 || size.QuadPart > kMaxIconFile)
        return false;
    strBytes.resize(static_cast<size_t>(size.QuadPart));
    DWORD dwRead = 0;
    return ReadFile(file, &strBytes[0], static_cast<DWORD>(strBytes.size()), &dwRead, nullptr) &&
           dwRead == strBytes.size();
}

template <class T>
T Read(const std::string& strBytes, size_t nOffset)
{
    T value;
    std::memcpy(&value, strBytes.data() + nOffset, sizeof(T));
    return value;
}

// The entry to use: the smallest side at least the target's larger side, else the largest; -1 for none.
int ChooseEntry(const std::string& strBytes, int nCount, SIZE sizeTarget)
{
    int nNeed = sizeTarget.cx > sizeTarget.cy ? sizeTarget.cx : sizeTarget.cy;
    int nBest = -1, nBestSide = 0;
    for (int i = 0; i < nCount; ++i) {
        size_t nEntry = kDirSize + static_cast<size_t>(i) * kEntrySize;
        int nSide = Read<BYTE>(strBytes, nEntry) ? Read<BYTE>(strBytes, nEntry) : 256;
        DWORD cbData = Read<DWORD>(strBytes, nEntry + 8), nOffset = Read<DWORD>(strBytes, nEntry + 12);
        if (nOffset > strBytes.size() || cbData == 0 || cbData > strBytes.size() - nOffset)
            continue;
        bool bFits = nSide >= nNeed, bBestFits = nBestSide >= nNeed;
        if (nBest < 0 || (bFits && (!bBestFits || nSide < nBestSide)) || (!bFits && !bBestFits && nSide > nBestSide)) {
            nBest = i;
            nBestSide = nSide;
        }
    }
    return nBest;
}

// A one-frame icon file of the entry, in movable global memory.
HGLOBAL SingleFrameIcon(const std::string& strBytes, int nEntry)
{
    size_t nAt = kDirSize + static_cast<size_t>(nEntry) * kEntrySize;
    DWORD cbData = Read<DWORD>(strBytes, nAt + 8), nOffset = Read<DWORD>(strBytes, nAt + 12);
    CGlobalMemoryOwner memory(GlobalAlloc(GMEM_MOVEABLE, kDirSize + kEntrySize + cbData));
    BYTE* pBytes = memory.IsValid() ? static_cast<BYTE*>(GlobalLock(memory)) : nullptr;
    if (!pBytes)
        return nullptr;
    const WORD dir[3] = {0, 1, 1};
    std::memcpy(pBytes, dir, kDirSize);
    std::memcpy(pBytes + kDirSize, strBytes.data() + nAt, kEntrySize - 4);
    DWORD nNewOffset = static_cast<DWORD>(kDirSize + kEntrySize);
    std::memcpy(pBytes + kDirSize + kEntrySize - 4, &nNewOffset, 4);
    std::memcpy(pBytes + nNewOffset, strBytes.data() + nOffset, cbData);
    GlobalUnlock(memory);
    return memory.Detach();
}

} // namespace

bool IsIconFilePath(const wchar_t* pszPath)
{
    size_t n = pszPath ? std::wcslen(pszPath) : 0;
    return n >= 4 && _wcsicmp(pszPath + n - 4, L".ico") == 0;
}

std::unique_ptr<Gdip::Bitmap> LoadIconFrame(const wchar_t* pszPath, SIZE sizeTarget)
{
    std::string strBytes;
    if (!ReadWholeFile(pszPath, strBytes) || strBytes.size() < kDirSize || Read<WORD>(strBytes, 2) != 1)
        return nullptr;
    int nCount = Read<WORD>(strBytes, 4);
    if (strBytes.size() < kDirSize + static_cast<size_t>(nCount) * kEntrySize)
        return nullptr;
    int nEntry = ChooseEntry(strBytes, nCount, sizeTarget);
    if (nEntry < 0)
        return nullptr;
    CGlobalMemoryOwner memory(SingleFrameIcon(strBytes, nEntry));
    CHandleOwner<StreamTraits> stream;
    if (!memory.IsValid() || FAILED(CreateStreamOnHGlobal(memory, FALSE, stream.Receive())))
        return nullptr;
    CHandleOwner<GdipImageTraits> frame;
    Gdiplus::GpBitmap* pFrame = nullptr;
    if (GdipCreateBitmapFromStream(stream, &pFrame) != Gdiplus::Ok)
        return nullptr;
    frame.Attach(pFrame);
    // Resampled into a bitmap of its own, so that neither stream nor frame must stay.
    return ResampleNative(frame.Get(), sizeTarget);
}
