// Icon and cursor files for skins that the tests write themselves.
#pragma once
#include <windows.h>
#include <vector>
#include "framework/CString.h"

struct IconFrame
{
    int nSize;
    COLORREF color;
};

// Saves a 16 x 16 32-bit icon (.ico) or cursor (.cur, hot spot 0, 0) of one colour.
void WriteIconFile(const CString& strFile, COLORREF color);
void WriteCursorFile(const CString& strFile, COLORREF color);
// An icon file with one square 32-bit frame of one colour per entry, in that order.
void WriteIconFrames(const CString& strFile, const std::vector<IconFrame>& frames);
