#include "IconFiles.h"
#include <string>
#include "TestFiles.h"

namespace {

template <class T>
void Append(std::string& bytes, T value)
{
    bytes.append(reinterpret_cast<const char*>(&value), sizeof(value));
}

// An .ico or .cur file with one square 32-bit image of one colour per frame.
void WriteIconResourceFile(const CString& strFile, WORD wType, const std::vector<IconFrame>& frames)
{
    std::string bytes, images;
    Append<WORD>(bytes, 0);
    Append<WORD>(bytes, wType);
    Append<WORD>(bytes, static_cast<WORD>(frames.size()));
    for (const IconFrame& frame : frames) {
        const int nSize = frame.nSize;
        const DWORD cbPixels = static_cast<DWORD>(nSize * nSize * 4);
        const DWORD cbMask = static_cast<DWORD>((nSize + 31) / 32 * 4 * nSize); // rows padded to 32 bits
        Append<BYTE>(bytes, static_cast<BYTE>(nSize));
        Append<BYTE>(bytes, static_cast<BYTE>(nSize));
        Append<BYTE>(bytes, 0);
        Append<BYTE>(bytes, 0);
        Append<WORD>(bytes, wType == 1 ? 1 : 0);  // icon: planes; cursor: hot spot x
        Append<WORD>(bytes, wType == 1 ? 32 : 0); // icon: bit count; cursor: hot spot y
        Append<DWORD>(bytes, static_cast<DWORD>(sizeof(BITMAPINFOHEADER)) + cbPixels + cbMask);
        Append<DWORD>(bytes, static_cast<DWORD>(6 + 16 * frames.size() + images.size()));
        BITMAPINFOHEADER header = {};
        header.biSize = sizeof(header);
        header.biWidth = nSize;
        header.biHeight = nSize * 2;
        header.biPlanes = 1;
        header.biBitCount = 32;
        header.biSizeImage = cbPixels + cbMask;
        Append(images, header);
        COLORREF color = frame.color;
        DWORD pixel = 0xFF000000u | (GetRValue(color) << 16) | (GetGValue(color) << 8) | GetBValue(color);
        for (int i = 0; i < nSize * nSize; ++i)
            Append(images, pixel);
        images.append(cbMask, '\0');
    }
    WriteFileBytes(strFile, bytes + images);
}

} // namespace

void WriteIconFile(const CString& strFile, COLORREF color)
{
    WriteIconResourceFile(strFile, 1, {{16, color}});
}

void WriteIconFrames(const CString& strFile, const std::vector<IconFrame>& frames)
{
    WriteIconResourceFile(strFile, 1, frames);
}

void WriteCursorFile(const CString& strFile, COLORREF color)
{
    WriteIconResourceFile(strFile, 2, {{16, color}});
}
