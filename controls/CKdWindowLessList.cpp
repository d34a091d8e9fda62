#include "controls/CKdWindowLessList.h"
#include <windowsx.h>
#include <algorithm>
#include <commctrl.h>
#include <new>
#include <vector>
#include "controls/DrawHelpers.h"
#include "controls/GdipFont.h"
#include "controls/GdipGraphics.h"
#include "controls/GdipSolidBrush.h"
#include "controls/GdipStringFormat.h"
#include "controls/GdipTextFontFamily.h"
#include "controls/SkinImageFile.h"
#include "controls/SurfaceSize.h"
#include "skin/ValueText.h"

namespace {

const UINT kMsgClick = WM_USER + 1;
const UINT kMsgRedraw = WM_USER + 2;
const int kIndent = 20;       // shift (skin pixels) of the items drawn after an item "-1"
const int kDefaultFocusFrameWidth = 2;
const int kBkFrameCount = 4;  // frames in the item background strip
const wchar_t kIndentId[] = L"-1";

enum ItemFrame { kFrameNormal = 0, kFrameHover = 1, kFramePressed = 2 };

Gdiplus::REAL Real(int n)
{
    return static_cast<Gdiplus::REAL>(n);
}

Gdiplus::RectF RealRect(const RECT& rc)
{
    return Gdiplus::RectF(Real(rc.left), Real(rc.top), Real(rc.right - rc.left), Real(rc.bottom - rc.top));
}

// A drawn image may touch the pixel next to its rectangle where GDI+ blends
// its edge; areas that must cover a drawing are widened by this much.
const int kEdgeMargin = 1;

} // namespace

CKdWindowLessList::CKdWindowLessList() = default;

CKdWindowLessList::~CKdWindowLessList()
{
    m_pBackSheet.reset();
    m_pBackImage.reset();
    for (auto& pSlot : m_pItemBk)
        pSlot.reset();
    if (m_toolTip.m_hWnd)
        m_toolTip.DestroyWindow();
    m_fontInfo.strFontName.Empty();
    m_arrItems.RemoveAll();
}

// ---- Skin ---------------------------------------------------------------

BOOL CKdWindowLessList::LoadSkin(const CString& strSkinFile, const CString& strSection, const CString& strSection2,
                                 const CString& strSkinName)
{
    ParseSkinFile(strSkinFile, this, strSection, strSection2, strSkinName);
    ReadTextStyle();
    ReadImages();
    // The icon files may have changed with the skin.
    m_icons.Clear();
    return TRUE;
}

void CKdWindowLessList::ApplyDpi(const CDpiScale& dpi)
{
    if (dpi == m_dpi)
        return;
    m_dpi = dpi;
    m_icons.SetDpi(dpi);
    ReadTextStyle();
    ReadImages();
    if (m_toolTip.m_hWnd) {
        int nToolTipWidth = 0;
        GetInfoLength(L"ToolTipWidth", nToolTipWidth);
        m_toolTip.SetMaxTipWidth(nToolTipWidth != 0 ? nToolTipWidth : -1);
    }
}

void CKdWindowLessList::ReadTextStyle()
{
    GetInfoLength(L"FontSize", m_fontInfo.nFontSize);

    m_fontInfo.strFontName.Empty();
    m_mapWindowInfo.Lookup(L"FontName", m_fontInfo.strFontName);

    // Only the first colour of the pair colours the names.
    CString strValue;
    if (m_mapWindowInfo.Lookup(L"FontColor", strValue)) {
        DWORD clrUnused = 0;
        ParseColorPair(strValue, m_fontInfo.clrText, clrUnused);
    }
    if (m_mapWindowInfo.Lookup(L"FontFormat", strValue))
        ParseTextStyle(strValue, m_fontInfo.nFontStyle, m_fontInfo.nAlign, m_fontInfo.nLineAlign,
                       m_fontInfo.nTrimming);
    m_textObjects.Reset();
}

void CKdWindowLessList::ReadImages()
{
    CString strPath;
    m_pBackSheet.reset();
    m_pBackImage.reset();
    GetInfoString(L"BackBmp", TRUE, strPath);
    m_pBackImage = LoadSkinImage(strPath, m_dpi, SkinImageFit::OwnSize());

    m_pItemBk[0].reset();
    m_itemBkPixels[0].Reset();
    GetInfoString(L"ItemBmp", TRUE, strPath);
    m_pItemBk[0] = LoadSkinBitmap(strPath, m_dpi, SkinImageFit::Strip(kBkFrameCount));
    if (m_pItemBk[0])
        m_itemBkPixels[0].Load(*m_pItemBk[0]);
}

void CKdWindowLessList::SetOwner(CWnd* pOwner)
{
    m_pOwner = pOwner;
    m_nMsgClick = kMsgClick;
    m_nMsgRedraw = kMsgRedraw;
    if (m_toolTip.m_hWnd)
        return;

    int nShowToolTip = 0;
    int nToolTipWidth = 0;
    GetInfoNumber(L"ShowToolTip", nShowToolTip);
    GetInfoLength(L"ToolTipWidth", nToolTipWidth);
    if (nShowToolTip == 0 || !pOwner)
        return;

    m_toolTip.Create(pOwner, 0);
    if (nToolTipWidth != 0)
        m_toolTip.SetMaxTipWidth(nToolTipWidth);
    // One tool over the whole owner; its text follows the hovered item.
    m_toolTip.AddTool(pOwner, L"", nullptr, 0);
}

// ---- Items ----------------------------------------------------------------

BOOL CKdWindowLessList::AddItem(const CString& strId, const CString& strName, const CString& strTipText,
                                const CString& strIconPath)
{
    _WLL_LIST_CTRL_ITEM item;
    item.strId = strId;
    item.strName = strName;
    item.strTipText = strTipText;
    item.strIconPath = strIconPath;
    item.nIconSlot = m_icons.AddPath(strIconPath);
    item.nBkImage = 0;
    int nIndex = m_arrItems.Add(std::move(item));
    if (m_nFirstIndentItem < 0 && strId == kIndentId)
        m_nFirstIndentItem = nIndex;
    return TRUE;
}

BOOL CKdWindowLessList::DeleteAllItems()
{
    m_arrItems.RemoveAll();
    m_nFocus = -1;
    m_nFirstIndentItem = -1;
    // A refill may bring new icon files under the same paths.
    m_icons.Clear();
    m_nReportedHover = m_nHover;
    m_nReportedPressed = m_nPressed;
    return TRUE;
}

void CKdWindowLessList::SetDefaultIcon(const CString& strPath)
{
    m_icons.SetFallbackPath(strPath);
}

// ---- Layout ---------------------------------------------------------------

void CKdWindowLessList::GetItemSpec(int& nItemWidth, int& nItemHeight, int& nSpaceX, int& nSpaceY) const
{
    ItemSpec itemSpec = ReadItemSpec();
    nItemWidth = itemSpec.nWidth;
    nItemHeight = itemSpec.nHeight;
    nSpaceX = itemSpec.nSpaceX;
    nSpaceY = itemSpec.nSpaceY;
}

CKdWindowLessList::ItemSpec CKdWindowLessList::ReadItemSpec() const
{
    int parts[4];
    GetInfoLengthList(L"ListItemSpec", parts, 4);
    ItemSpec itemSpec;
    itemSpec.nWidth = parts[0];
    itemSpec.nHeight = parts[1];
    itemSpec.nSpaceX = parts[2];
    itemSpec.nSpaceY = parts[3];
    return itemSpec;
}

CKdWindowLessList::PassGeometry CKdWindowLessList::ReadPassGeometry() const
{
    PassGeometry geometry;
    geometry.cell = ReadItemSpec();
    geometry.nCols = CalcColumns(m_nWidth, geometry.cell.nWidth, geometry.cell.nSpaceX);
    GetInfoLengthPoint(L"ItemIconPos", geometry.ptIcon);
    // Without a text width the name spans to the list's width from its left.
    GetInfoLengthRect(L"ItemStringRect", geometry.rcText);
    if (geometry.rcText.left == geometry.rcText.right)
        geometry.rcText.right = m_nWidth - geometry.rcText.left;
    return geometry;
}

// Full pitches that fit, plus one partly visible column when the remainder
// and its spacing are wider than an item. A pitch that is not positive lays
// nothing out.
int CKdWindowLessList::CalcColumns(int nAvailWidth, int nItemWidth, int nSpaceX)
{
    int nPitch = nItemWidth + nSpaceX;
    if (nPitch <= 0 || nAvailWidth < 0)
        return 0;
    int nCols = nAvailWidth / nPitch;
    if (nAvailWidth % nPitch + nSpaceX > nItemWidth)
        ++nCols;
    return nCols;
}

RECT CKdWindowLessList::CalcItemRect(int nIndex, const ItemSpec& itemSpec, int nCols)
{
    RECT rc;
    rc.left = (nIndex % nCols) * (itemSpec.nWidth + itemSpec.nSpaceX);
    rc.top = (nIndex / nCols) * (itemSpec.nHeight + itemSpec.nSpaceY);
    rc.right = rc.left + itemSpec.nWidth;
    rc.bottom = rc.top + itemSpec.nHeight;
    return rc;
}

BOOL CKdWindowLessList::CalcSheetSize(int nItemWidth, int nAvailWidth, int nSpaceX, int nItemHeight, int nSpaceY,
                                      int nCount, RECT& rcSheet, int& nCols, int& nRows)
{
    nCols = CalcColumns(nAvailWidth, nItemWidth, nSpaceX);
    if (nCols == 0)
        return FALSE;
    nRows = nCount / nCols + (nCount % nCols ? 1 : 0);
    SetRect(&rcSheet, 0, 0, nCols * (nItemWidth + nSpaceX) - nSpaceX, nRows * (nItemHeight + nSpaceY) - nSpaceY);
    return TRUE;
}

RECT CKdWindowLessList::GetVisibleRect() const
{
    return {m_nLeft, m_nTop, m_nLeft + m_nWidth, m_nTop + m_nHeight};
}

int CKdWindowLessList::GetColumnCount() const
{
    ItemSpec itemSpec = ReadItemSpec();
    return CalcColumns(m_nWidth, itemSpec.nWidth, itemSpec.nSpaceX);
}

BOOL CKdWindowLessList::GetItemDrawRect(int nIndex, RECT& rc) const
{
    PassGeometry geometry = ReadPassGeometry();
    if (geometry.nCols == 0 || nIndex < 0 || nIndex >= m_arrItems.GetSize())
        return FALSE;
    rc = CellRect(ItemCorner(nIndex, geometry), geometry.cell);
    OffsetRect(&rc, m_nLeft, m_nTop);
    return TRUE;
}

RECT CKdWindowLessList::CellRect(POINT ptCorner, const ItemSpec& cell)
{
    return {ptCorner.x, ptCorner.y, ptCorner.x + cell.nWidth, ptCorner.y + cell.nHeight};
}

int CKdWindowLessList::IndentOf(int nIndex) const
{
    return m_nFirstIndentItem >= 0 && nIndex > m_nFirstIndentItem ? m_dpi.Length(kIndent) : 0;
}

// Items overlap only where a spacing is negative; otherwise the cell under the
// point is the only candidate, found without visiting the other items.
int CKdWindowLessList::HitTest(POINT pt) const
{
    ItemSpec itemSpec = ReadItemSpec();
    int nCols = CalcColumns(m_nWidth, itemSpec.nWidth, itemSpec.nSpaceX);
    if (nCols == 0)
        return -1;
    if (itemSpec.nSpaceX < 0 || itemSpec.nSpaceY < 0 || itemSpec.nHeight + itemSpec.nSpaceY <= 0)
        return ScanHitTest(pt, itemSpec, nCols);
    if (pt.x < 0 || pt.y < 0)
        return -1;
    long long nCol = pt.x / (itemSpec.nWidth + itemSpec.nSpaceX);
    long long nRow = pt.y / (itemSpec.nHeight + itemSpec.nSpaceY);
    long long nIndex = nRow * nCols + nCol;
    if (nCol >= nCols || nIndex >= m_arrItems.GetSize())
        return -1;
    RECT rc = CalcItemRect(static_cast<int>(nIndex), itemSpec, nCols);
    return PtInRect(&rc, pt) ? static_cast<int>(nIndex) : -1;
}

int CKdWindowLessList::ScanHitTest(POINT pt, const ItemSpec& itemSpec, int nCols) const
{
    for (int i = 0; i < m_arrItems.GetSize(); ++i) {
        RECT rc = CalcItemRect(i, itemSpec, nCols);
        if (PtInRect(&rc, pt))
            return i;
    }
    return -1;
}

// ---- Drawing --------------------------------------------------------------

BOOL CKdWindowLessList::Draw(POINT pt, Gdip::Graphics* pGraphics)
{
    // A size of 0, or one too large for a surface, gives no canvas: the
    // target then records the failed drawing.
    std::vector<std::uint32_t> bits;
    std::unique_ptr<Gdip::Bitmap> pCanvas;
    if (IsSurfaceSizeAllowed(m_nWidth, m_nHeight)) {
        try {
            bits.assign(static_cast<size_t>(m_nWidth) * static_cast<size_t>(m_nHeight), 0);
            pCanvas = std::make_unique<Gdip::Bitmap>(m_nWidth, m_nHeight, m_nWidth * 4, PixelFormat32bppPARGB,
                                                     reinterpret_cast<BYTE*>(bits.data()));
        } catch (const std::bad_alloc&) {
            pCanvas.reset();
        }
    }
    if (pCanvas && pCanvas->Native()) {
        Gdip::Graphics graphics(pCanvas.get());
        DrawPart(graphics, PixelSurface{bits.data(), m_nWidth, m_nHeight}, POINT{0, 0},
                 RECT{0, 0, m_nWidth, m_nHeight});
    }
    if (pGraphics)
        pGraphics->DrawImage(pCanvas.get(), pt.x, pt.y);
    return TRUE;
}

void CKdWindowLessList::DrawPart(Gdip::Graphics& graphics, const PixelSurface& pixels, POINT pt,
                                 const RECT& rcPart)
{
    RECT rcArea = {pt.x, pt.y, pt.x + m_nWidth, pt.y + m_nHeight};
    RECT rcClip;
    if (!IntersectRect(&rcClip, &rcArea, &rcPart))
        return;
    graphics.SetClip(rcClip);
    DrawBackImage(graphics, pt, rcClip);

    PassGeometry geometry = ReadPassGeometry();
    int nCount = m_arrItems.GetSize();
    int nFirstRow = 0;
    int nLastRow = 0;
    if (geometry.nCols > 0 && nCount > 0) {
        int nRows = nCount / geometry.nCols + (nCount % geometry.nCols ? 1 : 0);
        if (!CalcVisibleRows(geometry.cell, nRows, nFirstRow, nLastRow))
            nLastRow = -1;
    } else {
        nLastRow = -1;
    }
    // Rows in ascending order keep the index order, so later items cover
    // earlier ones where they overlap.
    int nPitchY = geometry.cell.nHeight + geometry.cell.nSpaceY;
    PassTarget target{graphics, pixels, rcClip};
    RECT rcContentClip = rcClip;
    OffsetRect(&rcContentClip, -pt.x, -pt.y);
    for (int nRow = nFirstRow; nRow <= nLastRow; ++nRow) {
        int y = nRow * nPitchY + m_nOffsetY;
        if (y + geometry.cell.nHeight <= 0 || y >= m_nHeight)
            continue;
        int nEnd = nRow * geometry.nCols + geometry.nCols < nCount ? nRow * geometry.nCols + geometry.nCols : nCount;
        for (int i = nRow * geometry.nCols; i < nEnd; ++i) {
            POINT ptCorner = ItemCorner(i, geometry);
            RECT rcExtent, rcCommon;
            if (ItemExtent(i, ptCorner, geometry, rcExtent) && !IntersectRect(&rcCommon, &rcExtent, &rcContentClip))
                continue;
            DrawItem(target, i, POINT{ptCorner.x + pt.x, ptCorner.y + pt.y}, geometry);
        }
    }
    graphics.ResetClip();
}

// The background stretched over the visible area does not move with the
// offset: it is stretched once per size and then copied part by part.
void CKdWindowLessList::DrawBackImage(Gdip::Graphics& graphics, POINT pt, const RECT& rcClip)
{
    if (!m_pBackImage)
        return;
    if (!m_pBackSheet || m_sizeBackSheet.cx != m_nWidth || m_sizeBackSheet.cy != m_nHeight) {
        ResetBitmap(m_pBackSheet, m_nWidth, m_nHeight);
        m_sizeBackSheet = SIZE{m_nWidth, m_nHeight};
        Gdip::Graphics sheet(m_pBackSheet.get());
        sheet.DrawImage(m_pBackImage.get(), Gdiplus::RectF(0, 0, Real(m_nWidth), Real(m_nHeight)));
    }
    RECT rcSource = rcClip;
    OffsetRect(&rcSource, -pt.x, -pt.y);
    graphics.DrawImage(m_pBackSheet.get(), RealRect(rcClip), RealRect(rcSource));
}

// Range of rows that may reach into the visible height. With a positive row
// pitch it follows from the geometry alone; otherwise every row is a
// candidate and the caller's per-row test decides.
bool CKdWindowLessList::CalcVisibleRows(const ItemSpec& itemSpec, int nRows, int& nFirst, int& nLast) const
{
    int nPitchY = itemSpec.nHeight + itemSpec.nSpaceY;
    if (nPitchY <= 0) {
        nFirst = 0;
        nLast = nRows - 1;
        return true;
    }
    // First row with top + offset + height > 0, last with top + offset < height.
    long long nAbove = -(static_cast<long long>(m_nOffsetY) + itemSpec.nHeight);
    long long nBelow = static_cast<long long>(m_nHeight) - m_nOffsetY;
    if (nBelow <= 0)
        return false;
    long long nFirstRow = nAbove < 0 ? 0 : nAbove / nPitchY + 1;
    long long nLastRow = (nBelow - 1) / nPitchY;
    if (nLastRow > nRows - 1)
        nLastRow = nRows - 1;
    if (nFirstRow > nLastRow)
        return false;
    nFirst = static_cast<int>(nFirstRow);
    nLast = static_cast<int>(nLastRow);
    return true;
}

// The item's top-left corner in the visible area: indented after the first
// item "-1", shifted by the offset.
POINT CKdWindowLessList::ItemCorner(int nIndex, const PassGeometry& geometry) const
{
    RECT rc = CalcItemRect(nIndex, geometry.cell, geometry.nCols);
    return POINT{rc.left + IndentOf(nIndex), rc.top + m_nOffsetY};
}

int CKdWindowLessList::ItemFrame(int nIndex, int nHover, int nPressed) const
{
    if (nIndex == nPressed)
        return kFramePressed;
    return nIndex == nHover ? kFrameHover : kFrameNormal;
}

// Where the item's background frame goes; false when it has none.
bool CKdWindowLessList::FrameRect(int nIndex, POINT ptCorner, RECT& rc) const
{
    int nSlot = m_arrItems[nIndex].nBkImage;
    if (nSlot < 0 || nSlot >= kItemBkSlots || !m_pItemBk[nSlot])
        return false;
    Gdip::Bitmap* pStrip = m_pItemBk[nSlot].get();
    SetRect(&rc, ptCorner.x, ptCorner.y, ptCorner.x + static_cast<int>(pStrip->Width()) / kBkFrameCount,
            ptCorner.y + static_cast<int>(pStrip->Height()));
    return true;
}

// Everything the item may draw on: its cell, frame, icon and name. False
// while the icon's size is not known yet (it has not been decoded).
bool CKdWindowLessList::ItemExtent(int nIndex, POINT ptCorner, const PassGeometry& geometry, RECT& rc) const
{
    rc = CellRect(ptCorner, geometry.cell);
    RECT rcPart;
    if (FrameRect(nIndex, ptCorner, rcPart))
        UnionRect(&rc, &rc, &rcPart);
    rcPart = geometry.rcText;
    OffsetRect(&rcPart, ptCorner.x, ptCorner.y);
    UnionRect(&rc, &rc, &rcPart);
    const _WLL_LIST_CTRL_ITEM& item = m_arrItems[nIndex];
    Gdip::Image* pIcon = m_icons.PeekImage(item.nIconSlot);
    if (!pIcon)
        return false;
    int x = ptCorner.x + geometry.ptIcon.x, y = ptCorner.y + geometry.ptIcon.y;
    SetRect(&rcPart, x, y, x + static_cast<int>(pIcon->Width()), y + static_cast<int>(pIcon->Height()));
    UnionRect(&rc, &rc, &rcPart);
    InflateRect(&rc, kEdgeMargin, kEdgeMargin);
    return true;
}

void CKdWindowLessList::DrawItem(const PassTarget& target, int nIndex, POINT ptCorner, const PassGeometry& geometry)
{
    const _WLL_LIST_CTRL_ITEM& item = m_arrItems[nIndex];
    Gdip::Graphics& graphics = target.graphics;
    DrawItemBackground(target, nIndex, ptCorner.x, ptCorner.y);
    DrawItemIcon(graphics, item, ptCorner.x + geometry.ptIcon.x, ptCorner.y + geometry.ptIcon.y);
    DrawItemName(graphics, item, ptCorner.x, ptCorner.y, geometry.rcText);
    if (m_bShowFocus && nIndex == m_nFocus)
        DrawItemFocusFrame(graphics, ptCorner, geometry.cell);
}

// The frame lies inside the item's own size, so it needs no room between items.
void CKdWindowLessList::DrawItemFocusFrame(Gdip::Graphics& graphics, POINT ptCorner, const ItemSpec& itemSpec)
{
    int nColor = 0, nWidth = 0;
    Gdiplus::ARGB color = GetInfoNumber(L"FocusFrameColor", nColor) ? static_cast<Gdiplus::ARGB>(nColor)
                                                                     : SystemColorArgb(COLOR_HIGHLIGHT);
    if (!GetInfoNumber(L"FocusFrameWidth", nWidth) || nWidth < 1)
        nWidth = kDefaultFocusFrameWidth;
    FillFrame(graphics, CellRect(ptCorner, itemSpec), m_dpi.PenWidth(nWidth), color);
}

// The frame is an unscaled part of the strip, so it is blended into the
// pixels directly; GDI+ draws it only where the pixels cannot be read.
void CKdWindowLessList::DrawItemBackground(const PassTarget& target, int nIndex, int x, int y)
{
    int nSlot = m_arrItems[nIndex].nBkImage;
    if (nSlot < 0 || nSlot >= kItemBkSlots || !m_pItemBk[nSlot])
        return;
    int nFrame = ItemFrame(nIndex, m_nHover, m_nPressed);
    Gdip::Bitmap* pStrip = m_pItemBk[nSlot].get();
    int nFrameWidth = static_cast<int>(pStrip->Width()) / kBkFrameCount;
    int nFrameHeight = static_cast<int>(pStrip->Height());
    const CPremultipliedPixels& pixels = m_itemBkPixels[nSlot];
    if (pixels.IsEmpty() || target.pixels.IsEmpty()) {
        target.graphics.DrawImage(pStrip, Gdiplus::RectF(Real(x), Real(y), Real(nFrameWidth), Real(nFrameHeight)),
                                  Gdiplus::RectF(Real(nFrame * nFrameWidth), 0, Real(nFrameWidth),
                                                 Real(nFrameHeight)));
        return;
    }
    // What GDI+ drew before (the background, earlier items) is in the pixels first.
    target.graphics.Flush();
    RECT rcSource = {nFrame * nFrameWidth, 0, (nFrame + 1) * nFrameWidth, nFrameHeight};
    pixels.BlendPart(target.pixels, rcSource, POINT{x, y}, target.rcClip);
}

// An icon that cannot be loaded is tried again at the next drawing.
void CKdWindowLessList::DrawItemIcon(Gdip::Graphics& graphics, const _WLL_LIST_CTRL_ITEM& item, int x, int y)
{
    if (Gdip::Image* pIcon = m_icons.GetImage(item.nIconSlot))
        graphics.DrawImage(pIcon, x, y);
}

void CKdWindowLessList::DrawItemName(Gdip::Graphics& graphics, const _WLL_LIST_CTRL_ITEM& item, int x, int y,
                                     const RECT& rcText)
{
    m_textObjects.Prepare(m_fontInfo);
    RECT rcLayout = rcText;
    OffsetRect(&rcLayout, x, y);
    graphics.DrawString(item.strName, -1, m_textObjects.Font(), RealRect(rcLayout), m_textObjects.Format(),
                        m_textObjects.Brush());
}

// Only the frame shows the hover and pressed states, so only the frames of
// the items whose state changed need repainting.
void CKdWindowLessList::TakeChangedAreas(std::vector<RECT>& areas)
{
    int candidates[] = {m_nReportedHover, m_nReportedPressed, m_nHover, m_nPressed};
    for (int i = 0; i < 4; ++i) {
        int nIndex = candidates[i];
        bool bSeen = std::find(candidates, candidates + i, nIndex) != candidates + i;
        if (bSeen || nIndex < 0 || nIndex >= m_arrItems.GetSize())
            continue;
        if (ItemFrame(nIndex, m_nReportedHover, m_nReportedPressed) != ItemFrame(nIndex, m_nHover, m_nPressed))
            AddChangedArea(nIndex, areas);
    }
    m_nReportedHover = m_nHover;
    m_nReportedPressed = m_nPressed;
}

void CKdWindowLessList::AddChangedArea(int nIndex, std::vector<RECT>& areas) const
{
    PassGeometry geometry = ReadPassGeometry();
    if (geometry.nCols == 0)
        return;
    RECT rcFrame;
    if (!FrameRect(nIndex, ItemCorner(nIndex, geometry), rcFrame))
        return;
    InflateRect(&rcFrame, kEdgeMargin, kEdgeMargin);
    RECT rcVisible = {0, 0, m_nWidth, m_nHeight};
    RECT rc;
    if (!IntersectRect(&rc, &rcFrame, &rcVisible))
        return;
    OffsetRect(&rc, m_nLeft, m_nTop);
    areas.push_back(rc);
}

// ---- Mouse ----------------------------------------------------------------

BOOL CKdWindowLessList::OnMouseMessage(UINT nMsg, LPARAM lParam)
{
    switch (nMsg) {
    case WM_MOUSEMOVE:
        return OnMouseMove(ContentPoint(lParam));
    case WM_LBUTTONDOWN:
        return OnLButtonDown(ContentPoint(lParam));
    case WM_LBUTTONUP:
        return OnLButtonUp(ContentPoint(lParam));
    case WM_LBUTTONDBLCLK:
        return OnLButtonDblClk(ContentPoint(lParam));
    case WM_MOUSELEAVE:
        return OnMouseLeave();
    default:
        return FALSE;
    }
}

// The owner's client point (signed 16-bit x and y) in content coordinates.
POINT CKdWindowLessList::ContentPoint(LPARAM lParam) const
{
    POINT pt;
    pt.x = GET_X_LPARAM(lParam) - m_nLeft;
    pt.y = GET_Y_LPARAM(lParam) - m_nTop - m_nOffsetY;
    return pt;
}

BOOL CKdWindowLessList::OnMouseMove(POINT pt)
{
    // Asked again on every move: the request ends with each leave notification.
    if (m_pOwner) {
        TRACKMOUSEEVENT tme = {sizeof(tme), TME_LEAVE, m_pOwner->m_hWnd, 0};
        _TrackMouseEvent(&tme);
    }
    int nItem = HitTest(pt);
    UpdateToolTip(nItem);
    if (nItem >= 0 && nItem != m_nHover) {
        m_nHover = nItem;
        NotifyRedraw();
        return TRUE;
    }
    if (nItem < 0 && m_nHover != -1) {
        m_nHover = -1;
        NotifyRedraw();
        return TRUE;
    }
    return FALSE;
}

// Called before m_nHover follows the pointer, so a new item is recognised.
void CKdWindowLessList::UpdateToolTip(int nItem)
{
    if (!m_toolTip.m_hWnd)
        return;
    if (nItem < 0) {
        m_toolTip.Activate(FALSE);
        return;
    }
    if (nItem != m_nHover)
        m_toolTip.UpdateTipText(m_arrItems[nItem].strTipText, m_pOwner, 0);
    m_toolTip.Activate(TRUE);
}

BOOL CKdWindowLessList::OnLButtonDown(POINT pt)
{
    int nItem = HitTest(pt);
    if (nItem < 0)
        return FALSE;
    if (m_pOwner)
        m_pOwner->SetCapture();
    m_nPressed = nItem;
    if (m_pOwner) {
        m_pOwner->SetFocus();
        NotifyRedraw();
    }
    return TRUE;
}

// The click goes to the item under the pointer at the release, wherever the
// press began.
BOOL CKdWindowLessList::OnLButtonUp(POINT pt)
{
    ReleaseCapture();
    int nItem = HitTest(pt);
    if (m_nPressed != -1) {
        m_nPressed = -1;
        NotifyRedraw();
    }
    if (nItem < 0)
        return FALSE;
    NotifyClick(nItem, 0);
    return TRUE;
}

BOOL CKdWindowLessList::OnLButtonDblClk(POINT pt)
{
    ReleaseCapture();
    int nItem = HitTest(pt);
    if (nItem < 0)
        return FALSE;
    m_nPressed = -1;
    NotifyRedraw();
    NotifyClick(nItem, 1);
    return TRUE;
}

BOOL CKdWindowLessList::OnMouseLeave()
{
    if (m_nHover < 0)
        return FALSE;
    m_nHover = -1;
    NotifyRedraw();
    return TRUE;
}

void CKdWindowLessList::NotifyRedraw()
{
    if (m_pOwner)
        m_pOwner->SendMessage(m_nMsgRedraw, 0, 0);
}

// The owner may refill the list while it handles the click, so nothing of
// the item or the array is read after the message returns.
void CKdWindowLessList::NotifyClick(int nItem, LPARAM lParam)
{
    if (m_pOwner)
        m_pOwner->SendMessage(m_nMsgClick, reinterpret_cast<WPARAM>(&m_arrItems[nItem]), lParam);
}

void CKdWindowLessList::ClickItem(int nIndex)
{
    if (nIndex >= 0 && nIndex < m_arrItems.GetSize())
        NotifyClick(nIndex, 0);
}
