// PNG images written through GDI+'s flat API, for skins that the tests write
// themselves. GDI+ must have been started (see HostLikeEnvironment).
#pragma once
#include <windows.h>
#include <gdiplus.h>
#include <vector>
#include "framework/CString.h"

// Saves the image as a PNG file.
void SavePng(Gdiplus::GpImage* pImage, const CString& strFile);

// Saves a PNG of nFrames frames of nWidth x nHeight side by side, frame f
// filled with pColors[f].
void WriteFramesPng(const CString& strFile, int nWidth, int nHeight, const Gdiplus::ARGB* pColors, int nFrames);
// Saves a PNG of nWidth x nHeight filled with one colour.
void WriteSolidPng(const CString& strFile, int nWidth, int nHeight, Gdiplus::ARGB color);

// A filled rectangle of an image: left, top, right, bottom and ARGB colour.
struct ColorRect
{
    RECT rc;
    Gdiplus::ARGB color;
};
// Saves a PNG of nWidth x nHeight: transparent, then the rectangles in order.
void WritePng(const CString& strFile, int nWidth, int nHeight, const std::vector<ColorRect>& rects);
