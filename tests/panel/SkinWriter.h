// Writes the panel's skin into a module folder: Config\Morvel_SCfg.xml with
// the sections CommonWindow\ToolMgrUIDlg and CommonWindow\ToolMgrList, and
// solid-colour PNG images in Config\Default, so that the panel's pixels can be
// told apart. The standard look below is filled in by the constructor; a test
// changes single keys before Write().
#pragma once
#include <windows.h>
#include <gdiplus.h>
#include <utility>
#include <vector>
#include "framework/CString.h"
#include "support/PngWriter.h"

namespace TestSkin {
// Grid: items of 60 x 50 pixels, 10 pixels apart; in the standard list area
// 4 columns fit with and without a scroll bar.
const int kItemW = 60, kItemH = 50, kSpacing = 10, kColumns = 4;
const POINT kIconPos = {22, 6}; // the item's icon, 16 x 16
const int kIconSize = 16;
// Controls in document order: identifiers 256 + index.
const int kRefreshId = 256, kLabel1Id = 257, kLabel2Id = 258, kLabel3Id = 259, kIconId = 260;
const RECT kRefreshPos = {220, 8, 300, 32};

const Gdiplus::ARGB kPanelBack = 0xFF3050A0;
const Gdiplus::ARGB kListBack = 0xFF406040;
const Gdiplus::ARGB kItemFrames[4] = {0xFFC08040, 0xFF40C0C0, 0xFFC040C0, 0xFF808080}; // normal, hover, pressed, unused
const Gdiplus::ARGB kDefaultIcon = 0xFFE0E020;
const Gdiplus::ARGB kRefreshFrames[4] = {0xFFA02020, 0xFF20A020, 0xFF2020A0, 0xFF606060};
// The skinned scroll bar (UseSkinnedScrollBar): a track with bands of
// kTrackEndRows at both ends that its slice keeps unstretched, and a thumb
// strip of three frames.
const int kBarWidth = 10;
const POINT kBarInset = {3, 4};
const int kTrackEndRows = 3;
const Gdiplus::ARGB kTrack = 0xFF202020, kTrackEnd = 0xFFE0E0E0;
const Gdiplus::ARGB kThumbFrames[3] = {0xFF8080FF, 0xFFFF8080, 0xFF80FF80}; // normal, hot, pressed
} // namespace TestSkin

class SkinWriter
{
public:
    explicit SkinWriter(const CString& strModuleFolder);

    // A value of the panel's WindowInfo; an empty text removes the key.
    void SetDialogInfo(const wchar_t* pszKey, const CString& strData);
    // A value of the list's WindowInfo; an empty text removes the key.
    void SetListInfo(const wchar_t* pszKey, const CString& strData);
    // Drops the control with this ID from the DynamicInfo entries.
    void RemoveControl(const wchar_t* pszId);
    void SetSheet(int cx, int cy);
    // "PluginWndMarge": left, top, right and bottom margins of the list area.
    void SetMargins(int nLeft, int nTop, int nRight, int nBottom);
    // A value of the scroll bar's section, which is written while it has any.
    void SetScrollBarInfo(const wchar_t* pszKey, const CString& strData);
    // The section with the test look: kBarWidth wide at kBarInset, with or without AutoHide.
    void UseSkinnedScrollBar(bool bAutoHide = false);
    // Where that bar lies in client coordinates.
    RECT BarRect() const;

    // Writes the images and the skin file.
    void Write() const;

    // The list area in the panel's client coordinates.
    RECT ListArea() const;
    // Item nIndex's top-left corner and centre in client coordinates while the
    // grid is scrolled to nScrollPos.
    POINT ItemCorner(int nIndex, int nScrollPos = 0) const;
    POINT ItemCentre(int nIndex, int nScrollPos = 0) const;

private:
    using Entries = std::vector<std::pair<CString, CString>>;
    static void SetEntry(Entries& entries, const wchar_t* pszKey, const CString& strData);
    CString SkinXml() const;

    CString m_strConfig;
    Entries m_dialogInfo;
    Entries m_listInfo;
    Entries m_scrollBarInfo;
    std::vector<CString> m_controls; // attribute texts of the DynamicInfo entries
    SIZE m_sheet = {320, 240};
    RECT m_margins = {10, 40, 30, 20};
};
