#include "IconFiles.h"
#include <string>
#include "TestFiles.h"

namespace {

template <class T>
void Append(std::string& bytes, T value)
{
    bytes.append(reinterpret_cast<const char*>(&value), sizeof(value));
}

// An .ico or .cur file with one 16 x 16 32-bit image of one colour.
void WriteIconResourceFile(const CString& strFile, WORD wType, COLORREF color)
{
    const int nSize = 16;
    const DWORD cbPixels = nSize * nSize * 4;
    const DWORD cbMask = nSize * 4; // 16 mask bits per row, padded to 32
    std::string bytes;
    Append<WORD>(bytes, 0);
    Append<WORD>(bytes, wType);
    Append<WORD>(bytes, 1);
    Append<BYTE>(bytes, nSize);
    Append<BYTE>(bytes, nSize);
    Append<BYTE>(bytes, 0);
    Append<BYTE>(bytes, 0);
    Append<WORD>(bytes, wType == 1 ? 1 : 0);  // icon: planes; cursor: hot spot x
    Append<WORD>(bytes, wType == 1 ? 32 : 0); // icon: bit count; cursor: hot spot y
    Append<DWORD>(bytes, sizeof(BITMAPINFOHEADER) + cbPixels + cbMask);
    Append<DWORD>(bytes, 22);
    BITMAPINFOHEADER header = {};
    header.biSize = sizeof(header);
    header.biWidth = nSize;
    header.biHeight = nSize * 2;
    header.biPlanes = 1;
    header.biBitCount = 32;
    header.biSizeImage = cbPixels + cbMask;
    Append(bytes, header);
    DWORD pixel = 0xFF000000u | (GetRValue(color) << 16) | (GetGValue(color) << 8) | GetBValue(color);
    for (int i = 0; i < nSize * nSize; ++i)
        Append(bytes, pixel);
    bytes.append(cbMask, '\0');
    WriteFileBytes(strFile, bytes);
}

} // namespace

void WriteIconFile(const CString& strFile, COLORREF color)
{
    WriteIconResourceFile(strFile, 1, color);
}

void WriteCursorFile(const CString& strFile, COLORREF color)
{
    WriteIconResourceFile(strFile, 2, color);
}
