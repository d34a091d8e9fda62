// One item of the windowless list. Its icon image is shared with every item
// of the same icon path: the list's icon cache holds the decoded image and the
// item names its slot there.
#pragma once
#include "framework/CString.h"

struct _WLL_LIST_CTRL_ITEM
{
    CString strId;       // identifier; "-1" indents the items drawn after it
    CString strName;     // text drawn in the item
    CString strIconPath; // icon image file
    CString strTipText;  // tooltip text while the pointer is over the item
    int nIconSlot = -1;  // the icon's slot in the list's icon cache, -1 for none
    int nBkImage = 0;    // background slot 0 to 5, -1 for none
};
