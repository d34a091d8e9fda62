#include "PanelSnapshot.h"
#include <gdiplus.h>
#include <vector>

using namespace Gdiplus;

namespace {
bool FindPngEncoder(CLSID& clsid)
{
    UINT count = 0, bytes = 0;
    if (DllExports::GdipGetImageEncodersSize(&count, &bytes) != Ok || bytes == 0)
        return false;
    std::vector<BYTE> buffer(bytes);
    auto* codecs = reinterpret_cast<ImageCodecInfo*>(buffer.data());
    if (DllExports::GdipGetImageEncoders(count, bytes, codecs) != Ok)
        return false;
    for (UINT i = 0; i < count; ++i)
        if (codecs[i].MimeType && wcscmp(codecs[i].MimeType, L"image/png") == 0) {
            clsid = codecs[i].Clsid;
            return true;
        }
    return false;
}

// Copies the whole window's pixels (scroll bar included) into a new bitmap
// owned by the caller.
HBITMAP CopyWindowPixels(HWND hWnd, int& width, int& height)
{
    RECT rc;
    GetWindowRect(hWnd, &rc);
    width = rc.right - rc.left;
    height = rc.bottom - rc.top;
    HDC hdcWnd = GetWindowDC(hWnd);
    HDC hdcMem = CreateCompatibleDC(hdcWnd);
    HBITMAP hbm = CreateCompatibleBitmap(hdcWnd, width, height);
    HGDIOBJ old = SelectObject(hdcMem, hbm);
    BitBlt(hdcMem, 0, 0, width, height, hdcWnd, 0, 0, SRCCOPY);
    SelectObject(hdcMem, old);
    DeleteDC(hdcMem);
    ReleaseDC(hWnd, hdcWnd);
    return hbm;
}
}

bool SaveWindowAsPng(HWND hWnd, const std::wstring& path, std::wstring& error)
{
    CLSID png;
    if (!FindPngEncoder(png)) {
        error = L"no PNG encoder";
        return false;
    }
    int width = 0, height = 0;
    HBITMAP hbm = CopyWindowPixels(hWnd, width, height);
    if (!hbm || width <= 0 || height <= 0) {
        if (hbm)
            DeleteObject(hbm);
        error = L"the panel has no pixels to save";
        return false;
    }
    GpBitmap* bitmap = nullptr;
    Status st = DllExports::GdipCreateBitmapFromHBITMAP(hbm, nullptr, &bitmap);
    if (st == Ok)
        st = DllExports::GdipSaveImageToFile(bitmap, path.c_str(), &png, nullptr);
    if (bitmap)
        DllExports::GdipDisposeImage(bitmap);
    DeleteObject(hbm);
    if (st != Ok)
        error = L"cannot write " + path;
    return st == Ok;
}
