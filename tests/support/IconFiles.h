// Icon and cursor files for skins that the tests write themselves.
#pragma once
#include <windows.h>
#include "framework/CString.h"

// Saves a 16 x 16 32-bit icon (.ico) or cursor (.cur, hot spot 0, 0) of one colour.
void WriteIconFile(const CString& strFile, COLORREF color);
void WriteCursorFile(const CString& strFile, COLORREF color);
