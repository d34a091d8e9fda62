// Shared pieces of the windowless list's tests: a fresh temporary folder,
// images and skin files written by the test itself, and pixel reading.
#pragma once
#include <utility>
#include <vector>
#include "controls/GdipBitmap.h"
#include "framework/CString.h"

// A new folder below the system's temporary folder with the skin's image
// folder "Default" in it, deleted with its contents when the object goes away.
class TempFolder
{
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const CString& Path() const { return m_strPath; } // ends with a backslash
    CString File(const wchar_t* pszName) const { return m_strPath + pszName; }

private:
    CString m_strPath;
};

using SkinEntries = std::vector<std::pair<CString, CString>>;

// Writes a skin file whose section "CommonWindow\TestList" holds the given
// WindowInfo entries (ItemID, Data). Returns the file's path.
CString WriteListSkin(const TempFolder& folder, const SkinEntries& entries);
extern const wchar_t kListSection[]; // "CommonWindow\TestList"

// Saves a PNG of nWidth x nHeight filled with one colour.
void WriteSolidPng(const CString& strFile, int nWidth, int nHeight, Gdiplus::ARGB color);
// Saves a PNG strip of four frames side by side, frame f filled with colors[f].
void WriteStripPng(const CString& strFile, int nFrameWidth, int nHeight, const Gdiplus::ARGB (&colors)[4]);

Gdiplus::ARGB PixelAt(const Gdip::Bitmap& bitmap, int x, int y);
// True when no channel of a and b differs by more than a small tolerance
// (smoothing of stretched or converted images).
bool ColorNear(Gdiplus::ARGB a, Gdiplus::ARGB b);
