#include "controls/_WLL_LIST_CTRL_ITEM.h"

_WLL_LIST_CTRL_ITEM::_WLL_LIST_CTRL_ITEM(const _WLL_LIST_CTRL_ITEM& other)
    : strId(other.strId), strName(other.strName), strIconPath(other.strIconPath), strTipText(other.strTipText),
      nBkImage(other.nBkImage)
{
}

_WLL_LIST_CTRL_ITEM& _WLL_LIST_CTRL_ITEM::operator=(const _WLL_LIST_CTRL_ITEM& other)
{
    if (this != &other) {
        strId = other.strId;
        strName = other.strName;
        strIconPath = other.strIconPath;
        strTipText = other.strTipText;
        pIcon.reset();
        nBkImage = other.nBkImage;
    }
    return *this;
}
