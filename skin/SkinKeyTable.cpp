#include "skin/SkinKeyTable.h"
#include <cwchar>

namespace SkinKeys {

const wchar_t kDialogSection[] = L"CommonWindow\\ToolMgrUIDlg";
const wchar_t kListSection[] = L"CommonWindow\\ToolMgrList";
const wchar_t kScrollBarSection[] = L"CommonWindow\\ToolMgrScrollBar";
const wchar_t kWindowInfo[] = L"WindowInfo";
const wchar_t kPosInfo[] = L"PosInfo";
const wchar_t kDynamicInfo[] = L"DynamicInfo";

namespace {

using K = SkinValueKind;
using F = SkinFileUse;

const _SkinKeyInfo kTable[] = {
    {kDialogSection, L"Title", K::Text, F::None, 0},
    {kDialogSection, L"Icon", K::Path, F::Icon, 0},
    {kDialogSection, L"BackBmp", K::Path, F::Image, 0},
    {kDialogSection, L"SheetSize", K::Pair, F::None, 0},
    {kDialogSection, L"IsLayerWnd", K::Number, F::None, 0},
    {kDialogSection, L"AlpahValue", K::Number, F::None, 0},
    {kDialogSection, L"IsDrag", K::Number, F::None, 0},
    {kDialogSection, L"CaptionHeight", K::Number, F::None, 0},
    {kDialogSection, L"FontName", K::Text, F::None, 0},
    {kDialogSection, L"FontSize", K::Decimal, F::None, 0},
    {kDialogSection, L"FontWeight", K::Decimal, F::None, 0},
    {kDialogSection, L"FontCharSet", K::Decimal, F::None, 0},
    {kDialogSection, L"FontColor", K::ColourPair, F::None, 0},
    {kDialogSection, L"FontFormat", K::StyleList, F::None, 0},
    {kDialogSection, L"ShowToolTip", K::Number, F::None, 0},
    {kDialogSection, L"ToolTipWidth", K::Number, F::None, 0},
    {kDialogSection, L"DefaultToolIcon", K::Path, F::Image, 0},
    {kDialogSection, L"ToolTipParttern", K::Text, F::None, 0},
    {kDialogSection, L"PluginWndMarge", K::Rectangle, F::None, 0},

    {kListSection, L"BackBmp", K::Path, F::Image, 0},
    {kListSection, L"ItemBmp", K::Path, F::Image, 4},
    {kListSection, L"FontSize", K::Number, F::None, 0},
    {kListSection, L"FontName", K::Text, F::None, 0},
    {kListSection, L"FontColor", K::ColourPair, F::None, 0},
    {kListSection, L"FontFormat", K::StyleList, F::None, 0},
    {kListSection, L"ListItemSpec", K::NumberList, F::None, 0},
    {kListSection, L"ItemIconPos", K::Pair, F::None, 0},
    {kListSection, L"ItemStringRect", K::Rectangle, F::None, 0},
    {kListSection, L"ShowToolTip", K::Number, F::None, 0},
    {kListSection, L"ToolTipWidth", K::Number, F::None, 0},
    {kListSection, L"FocusFrameColor", K::Colour, F::None, 0},
    {kListSection, L"FocusFrameWidth", K::Number, F::None, 0},

    {kScrollBarSection, L"Width", K::Number, F::None, 0},
    {kScrollBarSection, L"Inset", K::Pair, F::None, 0},
    {kScrollBarSection, L"TrackBmp", K::Path, F::Image, 0},
    {kScrollBarSection, L"TrackSlice", K::NumberList, F::None, 0},
    {kScrollBarSection, L"ThumbBmp", K::Path, F::Image, 3}, // normal, hot, pressed
    {kScrollBarSection, L"ThumbSlice", K::NumberList, F::None, 0},
    {kScrollBarSection, L"ThumbMinLength", K::Number, F::None, 0},
    {kScrollBarSection, L"AutoHide", K::Number, F::None, 0},

    {kWindowInfo, L"ItemID", K::Text, F::None, 0},
    {kWindowInfo, L"Data", K::Text, F::None, 0},

    {kPosInfo, L"ItemID", K::Text, F::None, 0},
    {kPosInfo, L"Color", K::HexColour, F::None, 0},
    {kPosInfo, L"Pos", K::Rectangle, F::None, 0},

    {kDynamicInfo, L"ID", K::Text, F::None, 0},
    {kDynamicInfo, L"Name", K::Text, F::None, 0},
    {kDynamicInfo, L"FontName", K::Text, F::None, 0},
    {kDynamicInfo, L"FontColor", K::ColourPair, F::None, 0},
    {kDynamicInfo, L"FontFormat", K::StyleList, F::None, 0},
    {kDynamicInfo, L"ToolTip", K::Text, F::None, 0},
    {kDynamicInfo, L"BkImg", K::Path, F::Image, 0}, // frames by control kind: 4 or 8
    {kDynamicInfo, L"Cursor", K::Path, F::Cursor, 0},
    {kDynamicInfo, L"Icon", K::Path, F::Image, 0},
    {kDynamicInfo, L"FontSize", K::Number, F::None, 0},
    {kDynamicInfo, L"Pos", K::Rectangle, F::None, 0},
    {kDynamicInfo, L"ControlType", K::Number, F::None, 0},
    {kDynamicInfo, L"ControlStyle", K::Number, F::None, 0},
    {kDynamicInfo, L"DrawFocus", K::Number, F::None, 0},
};

} // namespace

const _SkinKeyInfo* Table(int& nCount)
{
    nCount = static_cast<int>(sizeof(kTable) / sizeof(kTable[0]));
    return kTable;
}

const _SkinKeyInfo* Find(const wchar_t* pszPlace, const wchar_t* pszName)
{
    for (const _SkinKeyInfo& info : kTable)
        if (wcscmp(info.pszPlace, pszPlace) == 0 && wcscmp(info.pszName, pszName) == 0)
            return &info;
    return nullptr;
}

const wchar_t* KindName(SkinValueKind kind)
{
    switch (kind) {
    case K::Number: return L"number";
    case K::Decimal: return L"decimal";
    case K::Colour: return L"colour";
    case K::HexColour: return L"hex colour";
    case K::Rectangle: return L"rectangle";
    case K::Pair: return L"pair";
    case K::ColourPair: return L"colour pair";
    case K::StyleList: return L"style list";
    case K::NumberList: return L"number list";
    case K::Text: return L"text";
    case K::Path: return L"path";
    }
    return L"";
}

} // namespace SkinKeys
