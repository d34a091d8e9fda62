// One item of the windowless list. The item owns its icon image; the list's
// array relocates items by move-construction, which hands the icon over.
#pragma once
#include <memory>
#include "controls/GdipImage.h"
#include "framework/CString.h"

struct _WLL_LIST_CTRL_ITEM
{
    CString strId;       // identifier; "-1" indents the items drawn after it
    CString strName;     // text drawn in the item
    CString strIconPath; // icon image file
    CString strTipText;  // tooltip text while the pointer is over the item
    std::unique_ptr<Gdip::Image> pIcon; // loaded at the first drawing
    int nBkImage = 0;    // background slot 0 to 5, -1 for none

    _WLL_LIST_CTRL_ITEM() = default;
    // A copy has the texts and the slot but no icon: an image has one owner,
    // so the copy loads its own icon when it is first drawn.
    _WLL_LIST_CTRL_ITEM(const _WLL_LIST_CTRL_ITEM& other);
    _WLL_LIST_CTRL_ITEM& operator=(const _WLL_LIST_CTRL_ITEM& other);
    _WLL_LIST_CTRL_ITEM(_WLL_LIST_CTRL_ITEM&&) noexcept = default;
    _WLL_LIST_CTRL_ITEM& operator=(_WLL_LIST_CTRL_ITEM&&) noexcept = default;
};
