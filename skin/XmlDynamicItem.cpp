#include "XmlDynamicItem.h"
#include "framework/Afx.h"
#include <utility>

_XmlDynamicItem::_XmlDynamicItem(const _XmlDynamicItem& other)
    : strName(other.strName),
      strID(other.strID),
      strToolTip(other.strToolTip),
      strFontName(other.strFontName),
      strCursor(other.strCursor),
      strBkImg(other.strBkImg),
      strIcon(other.strIcon),
      strFontColor(other.strFontColor),
      strFontFormat(other.strFontFormat),
      rcPos(other.rcPos),
      nFontSize(other.nFontSize),
      nControlStyle(other.nControlStyle),
      nDrawFocus(other.nDrawFocus),
      nControlType(other.nControlType)
{
}

_XmlDynamicItem::_XmlDynamicItem(_XmlDynamicItem&& other) noexcept
    : strName(std::move(other.strName)),
      strID(std::move(other.strID)),
      strToolTip(std::move(other.strToolTip)),
      strFontName(std::move(other.strFontName)),
      strCursor(std::move(other.strCursor)),
      strBkImg(std::move(other.strBkImg)),
      strIcon(std::move(other.strIcon)),
      strFontColor(std::move(other.strFontColor)),
      strFontFormat(std::move(other.strFontFormat)),
      rcPos(other.rcPos),
      nFontSize(other.nFontSize),
      nControlStyle(other.nControlStyle),
      nDrawFocus(other.nDrawFocus),
      pControl(std::exchange(other.pControl, nullptr)),
      hFont(std::exchange(other.hFont, nullptr)),
      nControlType(other.nControlType)
{
}

_XmlDynamicItem& _XmlDynamicItem::operator=(_XmlDynamicItem&& other) noexcept
{
    if (this == &other)
        return *this;
    DeleteOwned();
    strName = std::move(other.strName);
    strID = std::move(other.strID);
    strToolTip = std::move(other.strToolTip);
    strFontName = std::move(other.strFontName);
    strCursor = std::move(other.strCursor);
    strBkImg = std::move(other.strBkImg);
    strIcon = std::move(other.strIcon);
    strFontColor = std::move(other.strFontColor);
    strFontFormat = std::move(other.strFontFormat);
    rcPos = other.rcPos;
    nFontSize = other.nFontSize;
    nControlStyle = other.nControlStyle;
    nDrawFocus = other.nDrawFocus;
    pControl = std::exchange(other.pControl, nullptr);
    hFont = std::exchange(other.hFont, nullptr);
    nControlType = other.nControlType;
    return *this;
}

_XmlDynamicItem::~_XmlDynamicItem()
{
    DeleteOwned();
}

void _XmlDynamicItem::DeleteOwned()
{
    delete std::exchange(pControl, nullptr);
    delete std::exchange(hFont, nullptr);
}
