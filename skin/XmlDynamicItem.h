// Description of one control that a skinned dialog creates from its skin
// section (a DynamicInfo entry). The record owns its control and its font:
// moving a record hands them over, copying a record never shares them.
#pragma once
#include <windows.h>
#include "framework/CString.h"

class CWnd;
class CFont;

struct _XmlDynamicItem
{
    _XmlDynamicItem() = default;
    // Copies texts and numbers; the copy owns no control and no font.
    _XmlDynamicItem(const _XmlDynamicItem& other);
    // Takes over the control and the font; the source is left without them.
    _XmlDynamicItem(_XmlDynamicItem&& other) noexcept;
    _XmlDynamicItem& operator=(_XmlDynamicItem&& other) noexcept;
    _XmlDynamicItem& operator=(const _XmlDynamicItem&) = delete;
    // Deletes the control (its virtual destructor destroys its window) and the font.
    ~_XmlDynamicItem();

    CString strName;
    CString strID;
    CString strToolTip;
    CString strFontName;
    CString strCursor;
    CString strBkImg;
    CString strIcon;
    CString strFontColor;
    CString strFontFormat;
    RECT rcPos = {0, 0, 0, 0};
    int nFontSize = 0;
    int nControlStyle = 0;
    int nDrawFocus = 0;
    CWnd* pControl = nullptr;
    CFont* hFont = nullptr;
    int nControlType = 0;

private:
    void DeleteOwned();
};
