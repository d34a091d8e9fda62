// One PosInfo entry of a skin section: a rectangle and a colour under an ItemID.
#pragma once
#include <windows.h>
#include "framework/CString.h"

struct _XmlPosItem
{
    RECT rcPos = {0, 0, 0, 0};    // left, top, right, bottom from "Pos" (x, y, width, height)
    DWORD clrColor = 0xFFFFFFFF;  // ARGB from "Color"; all bits set when absent or empty
    CString strItemID;
};
