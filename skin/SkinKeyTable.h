// Every name that the module reads from a skin file, with the kind of value it
// expects: the WindowInfo keys of the sections and the attributes of the
// entries of WindowInfo, PosInfo and DynamicInfo. The skin reference
// (docs/skin.md) lists the same names with the same kinds, and the skin
// checker judges a skin by this table.
#pragma once

// How a value text is read (the rules of skin/ValueText.h).
enum class SkinValueKind {
    Number,     // decimal, or hexadecimal after "0X"
    Decimal,    // decimal digits only
    Colour,     // a number used as ARGB
    HexColour,  // hexadecimal ARGB, with or without "0X"
    Rectangle,  // x, y, width, height
    Pair,       // two numbers separated by a comma
    ColourPair, // up to two colours separated by ";"
    StyleList,  // style; alignment; line alignment; trimming
    NumberList, // four numbers separated by ";"
    Text,       // taken as written
    Path,       // a file name below the skin's image folder
};

// What a path value names, which decides how the checker loads it.
enum class SkinFileUse { None, Image, Icon, Cursor };

struct _SkinKeyInfo
{
    const wchar_t* pszPlace; // a section path for WindowInfo keys, or "WindowInfo",
                             // "PosInfo" or "DynamicInfo" for the attributes of their entries
    const wchar_t* pszName;
    SkinValueKind kind;
    SkinFileUse fileUse; // for paths
    int nFrames;         // frames side by side in a strip image, 0 when not a strip
};

namespace SkinKeys {
extern const wchar_t kDialogSection[];    // "CommonWindow\ToolMgrUIDlg"
extern const wchar_t kListSection[];      // "CommonWindow\ToolMgrList"
extern const wchar_t kScrollBarSection[]; // "CommonWindow\ToolMgrScrollBar", optional
extern const wchar_t kWindowInfo[];
extern const wchar_t kPosInfo[];
extern const wchar_t kDynamicInfo[];

// The whole table, nCount entries.
const _SkinKeyInfo* Table(int& nCount);
// The entry for a name at a place (both matched exactly), or null.
const _SkinKeyInfo* Find(const wchar_t* pszPlace, const wchar_t* pszName);
// The kind's name as the reference writes it ("colour pair").
const wchar_t* KindName(SkinValueKind kind);
} // namespace SkinKeys
