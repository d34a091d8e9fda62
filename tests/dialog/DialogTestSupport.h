// Shared pieces of the skinned dialog's tests: a temporary skin folder with
// skin files, images, icons and cursors written by the test itself, an
// off-screen canvas whose pixels a window paints into, and a message pump.
#pragma once
#include <functional>
#include <utility>
#include <vector>
#include <windows.h>
#include <gdiplus.h>
#include "framework/CString.h"
#include "support/CTempFolder.h"
#include "support/ChannelsNear.h"
#include "support/IconFiles.h"
#include "support/PngWriter.h"

extern const wchar_t kDialogSection[]; // "CommonWindow\TestDlg"

// Attribute (or ItemID) and value pairs, written in order.
using Attributes = std::vector<std::pair<CString, CString>>;

// A new folder below the temporary folder with the image folder "Default"
// inside; deleted with its contents when the object goes away.
class SkinFolder
{
public:
    SkinFolder() : m_folder(L"dialogtest", L"Default") {}

    const CString& Path() const { return m_folder.Path(); } // ends with a backslash
    // A file of the image folder, where skin values name their images.
    CString Image(const wchar_t* pszName) const { return Path() + L"Default\\" + pszName; }

    // Writes a skin file whose section kDialogSection holds the WindowInfo
    // entries (ItemID, Data) and one DynamicInfo entry per control. Returns its path.
    CString WriteSkin(const wchar_t* pszFile, const Attributes& windowInfo,
                      const std::vector<Attributes>& controls = {}) const;

private:
    CTempFolder m_folder;
};


// A top-down 32-bit DIB selected into a memory DC, cleared to one colour;
// windows paint into it through WM_ERASEBKGND or WM_PRINTCLIENT.
class Canvas
{
public:
    Canvas(int nWidth, int nHeight, Gdiplus::ARGB clear = 0xFF000000);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    HDC Dc() const { return m_hdc; }
    // The pixel as 0xAARRGGBB.
    Gdiplus::ARGB At(int x, int y) const;
    // Paints hWnd's client area into the canvas with the message (WM_ERASEBKGND or WM_PRINTCLIENT).
    void Paint(HWND hWnd, UINT nMessage);

private:
    int m_nWidth;
    int m_nHeight;
    HDC m_hdc;
    HBITMAP m_hBitmap;
    HGDIOBJ m_hOld;
    Gdiplus::ARGB* m_pBits = nullptr;
};

// True when red, green and blue differ by at most nTolerance each.
bool RgbNear(Gdiplus::ARGB a, Gdiplus::ARGB b, int nTolerance = 2);
// The screen's pixel at (x, y) as 0xFFRRGGBB.
Gdiplus::ARGB ScreenPixel(int x, int y);

// Dispatches the thread's pending messages (a few rounds, so that events from
// the display arrive too).
void PumpMessages();
// Pumps until the condition holds or a generous deadline passes; the result is the condition.
bool PumpUntil(const std::function<bool()>& condition);
