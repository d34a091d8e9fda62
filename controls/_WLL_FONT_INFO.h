// Text style of the windowless list's item names; the values are GDI+'s own
// enumerations (FontStyle, StringAlignment, StringTrimming).
#pragma once
#include <windows.h>
#include "framework/CString.h"

struct _WLL_FONT_INFO
{
    CString strFontName;       // font family name
    int nFontSize = 12;        // em size in pixels
    DWORD clrText = 0xFF000000; // ARGB colour of the names (opaque black)
    int nFontStyle = 0;        // regular
    int nAlign = 1;            // centred horizontally
    int nLineAlign = 1;        // centred vertically
    int nTrimming = 1;         // trimmed by character
};
