// A grid of items (icon and name) without a window of its own. It lives in an
// owner window: the owner writes the placement members, forwards its mouse
// messages to OnMouseMessage, and paints the list with Draw. The list answers
// with two messages sent to the owner: WM_USER+1 (an item was clicked; wParam
// points to the item, lParam 0 after a release and 1 after a double click)
// and WM_USER+2 (the hover or pressed item changed, repaint the list area).
// An owner that repaints only what changed asks TakeChangedAreas which item
// areas to repaint after WM_USER+2, and paints with DrawPart.
//
// Mouse states: m_nHover follows the item under the pointer (-1 for none);
// m_nPressed is the item on which the left button went down, cleared by every
// release and by a double click on an item. The item's background frame
// shows the state: 0 normal, 1 hover, 2 pressed (pressed wins). m_nFocus is
// the keyboard's focus item, which the owner moves; while m_bShowFocus is set
// it is drawn with a focus frame ("FocusFrameColor", "FocusFrameWidth").
#pragma once
#include <memory>
#include <vector>
#include "controls/CIconCache.h"
#include "controls/CPremultipliedPixels.h"
#include "controls/CItemTextObjects.h"
#include "controls/GdipBitmap.h"
#include "controls/_WLL_FONT_INFO.h"
#include "controls/_WLL_LIST_CTRL_ITEM.h"
#include "framework/Afx.h"
#include "framework/CArray.h"
#include "skin/CQmXMLParseBase.h"

namespace Gdip {
class Graphics;
}

class CKdWindowLessList : public CQmXMLParseBase
{
public:
    CKdWindowLessList();
    ~CKdWindowLessList() override;

    // Reads the section of the skin file, then the text style and the two
    // background images ("BackBmp", "ItemBmp"). Repeatable. Returns TRUE.
    BOOL LoadSkin(const CString& strSkinFile, const CString& strSection, const CString& strSection2,
                  const CString& strSkinName);
    // Draws at the DPI from now on: text style, images and icons follow it.
    // Before the first LoadSkin it only sets the DPI.
    void ApplyDpi(const CDpiScale& dpi);
    // Attaches the list to its owner and creates the tooltip the first time
    // the skin asks for one ("ShowToolTip", "ToolTipWidth").
    void SetOwner(CWnd* pOwner);

    BOOL AddItem(const CString& strId, const CString& strName, const CString& strTipText, const CString& strIconPath);
    // Releases every item, the array's storage and the decoded icons; hover
    // and pressed stay.
    BOOL DeleteAllItems();
    // The icon drawn for an item whose own icon file does not exist when the
    // item is first drawn; empty for none.
    void SetDefaultIcon(const CString& strPath);

    // "ListItemSpec": item width, item height, horizontal and vertical spacing,
    // each in device pixels; a missing or unreadable part reads as 0.
    void GetItemSpec(int& nItemWidth, int& nItemHeight, int& nSpaceX, int& nSpaceY) const;
    // Content size of nCount items laid out in nAvailWidth. FALSE (and only
    // nCols written, as 0) when no column fits.
    static BOOL CalcSheetSize(int nItemWidth, int nAvailWidth, int nSpaceX, int nItemHeight, int nSpaceY, int nCount,
                              RECT& rcSheet, int& nCols, int& nRows);

    // Index of the first item whose rectangle holds the content point, or -1.
    int HitTest(POINT pt) const;
    // The owner's client point (signed 16-bit x and y in lParam) in content coordinates.
    POINT ContentPoint(LPARAM lParam) const;
    // The visible area (m_nLeft, m_nTop, m_nWidth, m_nHeight) in the owner's client coordinates.
    RECT GetVisibleRect() const;
    // Columns of the grid in the visible width; 0 when none fits.
    int GetColumnCount() const;
    // Item nIndex's rectangle as it is drawn (indented after an item "-1"),
    // in the owner's client coordinates at the current offset. FALSE when
    // there is no such item or no column fits.
    BOOL GetItemDrawRect(int nIndex, RECT& rc) const;
    // Sends the click notification for item nIndex, as a release over it does.
    void ClickItem(int nIndex);
    // Draws the visible area with its top-left corner at pt of the graphics.
    BOOL Draw(POINT pt, Gdip::Graphics* pGraphics);
    // Draws the part rcPart (in the graphics' coordinates) of the visible
    // area straight onto the graphics, the area's top-left corner at pt: only
    // the items that reach into the part are drawn, clipped to it. pixels
    // are the same pixels as the graphics' (item frames are blended there).
    void DrawPart(Gdip::Graphics& graphics, const PixelSurface& pixels, POINT pt, const RECT& rcPart);
    // Appends the areas (owner's client coordinates, inside the visible area)
    // of the items whose look changed since the last call.
    void TakeChangedAreas(std::vector<RECT>& areas);
    // WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK and
    // WM_MOUSELEAVE with the owner's client point in lParam; TRUE when consumed.
    BOOL OnMouseMessage(UINT nMsg, LPARAM lParam);

    UINT m_nMsgClick = 0;
    UINT m_nMsgRedraw = 0;
    CWnd* m_pOwner = nullptr;
    static constexpr int kItemBkSlots = 6;
    std::unique_ptr<Gdip::Bitmap> m_pItemBk[kItemBkSlots]; // slot 0: "ItemBmp", a strip of 4 frames
    std::unique_ptr<Gdip::Image> m_pBackImage;              // "BackBmp", stretched over the visible area
    // Placement, written by the owner: the content origin on the owner's
    // surface is (m_nLeft, m_nTop + m_nOffsetY); m_nOffsetY is 0 or negative.
    int m_nOffsetY = 0;
    int m_nLeft = 0;
    int m_nTop = 0;
    int m_nWidth = 0;
    int m_nHeight = 0;
    int m_nHover = -1;
    int m_nPressed = -1;
    int m_nFocus = -1;         // cleared by DeleteAllItems
    BOOL m_bShowFocus = FALSE;
    CArray<_WLL_LIST_CTRL_ITEM, _WLL_LIST_CTRL_ITEM&> m_arrItems;
    _WLL_FONT_INFO m_fontInfo;
    CToolTipCtrl m_toolTip;

private:
    struct ItemSpec
    {
        int nWidth = 0;
        int nHeight = 0;
        int nSpaceX = 0;
        int nSpaceY = 0;
    };
    // The skin's item geometry, read once for a drawing pass.
    struct PassGeometry
    {
        ItemSpec cell; // item size and spacing
        int nCols = 0;
        POINT ptIcon = {0, 0};
        RECT rcText = {0, 0, 0, 0}; // relative to the item's corner
    };

    ItemSpec ReadItemSpec() const;
    PassGeometry ReadPassGeometry() const;
    static int CalcColumns(int nAvailWidth, int nItemWidth, int nSpaceX);
    static RECT CalcItemRect(int nIndex, const ItemSpec& itemSpec, int nCols);
    // The item's own cell (its width and height) with its top-left at ptCorner.
    static RECT CellRect(POINT ptCorner, const ItemSpec& cell);
    int ScanHitTest(POINT pt, const ItemSpec& itemSpec, int nCols) const;

    void ReadTextStyle();
    void ReadImages();

    bool CalcVisibleRows(const ItemSpec& itemSpec, int nRows, int& nFirst, int& nLast) const;
    void DrawBackImage(Gdip::Graphics& graphics, POINT pt, const RECT& rcClip);
    POINT ItemCorner(int nIndex, const PassGeometry& geometry) const;
    int ItemFrame(int nIndex, int nHover, int nPressed) const;
    bool FrameRect(int nIndex, POINT ptCorner, RECT& rc) const;
    bool ItemExtent(int nIndex, POINT ptCorner, const PassGeometry& geometry, RECT& rc) const;
    // Where a drawing pass draws: one surface seen through GDI+ and as pixels.
    struct PassTarget
    {
        Gdip::Graphics& graphics;
        PixelSurface pixels;
        RECT rcClip;
    };
    void DrawItem(const PassTarget& target, int nIndex, POINT ptCorner, const PassGeometry& geometry);
    void DrawItemFocusFrame(Gdip::Graphics& graphics, POINT ptCorner, const ItemSpec& itemSpec);
    // Horizontal shift of item nIndex in drawing: 20 after an item "-1", else 0.
    int IndentOf(int nIndex) const;
    void DrawItemBackground(const PassTarget& target, int nIndex, int x, int y);
    void DrawItemIcon(Gdip::Graphics& graphics, const _WLL_LIST_CTRL_ITEM& item, int x, int y);
    void DrawItemName(Gdip::Graphics& graphics, const _WLL_LIST_CTRL_ITEM& item, int x, int y,
                      const RECT& rcText);
    void AddChangedArea(int nIndex, std::vector<RECT>& areas) const;

    BOOL OnMouseMove(POINT pt);
    BOOL OnLButtonDown(POINT pt);
    BOOL OnLButtonUp(POINT pt);
    BOOL OnLButtonDblClk(POINT pt);
    BOOL OnMouseLeave();
    void UpdateToolTip(int nItem);
    void NotifyRedraw();
    void NotifyClick(int nItem, LPARAM lParam);

    // Index of the first item whose id is "-1" (-1 for none): every item
    // after it is drawn indented, also when that item itself is scrolled out
    // of view and not drawn. Kept by AddItem and DeleteAllItems, so painting
    // never scans the items above the visible ones.
    int m_nFirstIndentItem = -1;

    // Kept between paints, dropped when what they come from changes: icons
    // by path (refill, skin reload), the name's text objects (text style),
    // the background stretched to the visible area (skin reload, size).
    CIconCache m_icons;
    CItemTextObjects m_textObjects;
    std::unique_ptr<Gdip::Bitmap> m_pBackSheet;
    // The item frame strips' pixels, read with the images.
    CPremultipliedPixels m_itemBkPixels[kItemBkSlots];
    SIZE m_sizeBackSheet = {0, 0};
    // Hover and pressed items as last reported by TakeChangedAreas.
    int m_nReportedHover = -1;
    int m_nReportedPressed = -1;
};
