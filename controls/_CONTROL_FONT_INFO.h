// Text style of one skin-created control, worked out from its description
// with the dialog section's values as fallbacks (CKdCommonDlg::ReadControlFont).
#pragma once
#include <windows.h>
#include "framework/CString.h"

struct _CONTROL_FONT_INFO
{
    CString strFontName;      // GDI+ font family name
    int nFontSize = 0;        // size in pixels
    DWORD clrText = 0;        // ARGB colour of the text
    DWORD clrTextDisabled = 0; // ARGB colour of a disabled button's text
    int nFontStyle = 0;       // GDI+ FontStyle bits
    int nAlign = 1;           // GDI+ StringAlignment, horizontal
    int nLineAlign = 1;       // GDI+ StringAlignment, vertical
    int nTrimming = 1;        // GDI+ StringTrimming
};
