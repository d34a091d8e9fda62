// Shared pieces of the windowless list's tests: skin files and images written by the test itself, and pixel reading.
#pragma once
#include <utility>
#include <vector>
#include "controls/GdipBitmap.h"
#include "framework/CString.h"
#include "support/CTempFolder.h"
#include "support/PngWriter.h"

using SkinEntries = std::vector<std::pair<CString, CString>>;

// Writes a skin file whose section "CommonWindow\TestList" holds the given
// WindowInfo entries (ItemID, Data). Returns the file's path.
CString WriteListSkin(const CTempFolder& folder, const SkinEntries& entries);
extern const wchar_t kListSection[]; // "CommonWindow\TestList"

// Saves a PNG strip of four frames side by side, frame f filled with colors[f].
inline void WriteStripPng(const CString& strFile, int nFrameWidth, int nHeight, const Gdiplus::ARGB (&colors)[4])
{
    WriteFramesPng(strFile, nFrameWidth, nHeight, colors, 4);
}

Gdiplus::ARGB PixelAt(const Gdip::Bitmap& bitmap, int x, int y);
// True when no channel of a and b differs by more than a small tolerance
// (smoothing of stretched or converted images).
bool ColorNear(Gdiplus::ARGB a, Gdiplus::ARGB b);
