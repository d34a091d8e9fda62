#include "controls/CKdWindowLessList.h"
#include <windowsx.h>
#include <commctrl.h>
#include "controls/DrawHelpers.h"
#include "controls/GdipFont.h"
#include "controls/GdipGraphics.h"
#include "controls/GdipSolidBrush.h"
#include "controls/GdipStringFormat.h"
#include "controls/GdipTextFontFamily.h"
#include "skin/ValueText.h"

namespace {

const UINT kMsgClick = WM_USER + 1;
const UINT kMsgRedraw = WM_USER + 2;
const int kIndent = 20;       // shift of the items drawn after an item "-1"
const int kBkFrameCount = 4;  // frames in the item background strip
const int kDefaultFocusFrameWidth = 2;
const wchar_t kIndentId[] = L"-1";

enum ItemFrame { kFrameNormal = 0, kFrameHover = 1, kFramePressed = 2 };

Gdiplus::REAL Real(int n)
{
    return static_cast<Gdiplus::REAL>(n);
}

} // namespace

CKdWindowLessList::CKdWindowLessList() = default;

CKdWindowLessList::~CKdWindowLessList()
{
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
    return TRUE;
}

void CKdWindowLessList::ReadTextStyle()
{
    GetInfoNumber(L"FontSize", m_fontInfo.nFontSize);

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
}

void CKdWindowLessList::ReadImages()
{
    CString strPath;
    m_pBackImage.reset();
    GetInfoString(L"BackBmp", TRUE, strPath);
    m_pBackImage = Gdip::LoadImageFile(strPath);

    m_pItemBk[0].reset();
    GetInfoString(L"ItemBmp", TRUE, strPath);
    m_pItemBk[0] = Gdip::LoadBitmapFile(strPath);
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
    GetInfoNumber(L"ToolTipWidth", nToolTipWidth);
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
    item.nBkImage = 0;
    int nIndex = m_arrItems.Add(item);
    if (m_nFirstIndentItem < 0 && strId == kIndentId)
        m_nFirstIndentItem = nIndex;
    return TRUE;
}

BOOL CKdWindowLessList::DeleteAllItems()
{
    m_arrItems.RemoveAll();
    m_nFocus = -1;
    m_nFirstIndentItem = -1;
    return TRUE;
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
    ItemSpec itemSpec;
    CString strValue;
    m_mapWindowInfo.Lookup(L"ListItemSpec", strValue);
    int* parts[] = {&itemSpec.nWidth, &itemSpec.nHeight, &itemSpec.nSpaceX, &itemSpec.nSpaceY};
    for (int i = 0; i < 4; ++i) {
        CString strToken;
        GetToken(strValue, L";", i, strToken);
        ParseNumber(strToken, *parts[i]);
    }
    return itemSpec;
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
    ItemSpec itemSpec = ReadItemSpec();
    int nCols = CalcColumns(m_nWidth, itemSpec.nWidth, itemSpec.nSpaceX);
    if (nCols == 0 || nIndex < 0 || nIndex >= m_arrItems.GetSize())
        return FALSE;
    rc = CalcItemRect(nIndex, itemSpec, nCols);
    OffsetRect(&rc, m_nLeft + IndentOf(nIndex), m_nTop + m_nOffsetY);
    return TRUE;
}

int CKdWindowLessList::IndentOf(int nIndex) const
{
    return m_nFirstIndentItem >= 0 && nIndex > m_nFirstIndentItem ? kIndent : 0;
}

int CKdWindowLessList::HitTest(POINT pt) const
{
    ItemSpec itemSpec = ReadItemSpec();
    int nCols = CalcColumns(m_nWidth, itemSpec.nWidth, itemSpec.nSpaceX);
    if (nCols == 0)
        return -1;
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
    std::unique_ptr<Gdip::Bitmap> pCanvas;
    ResetBitmap(pCanvas, m_nWidth, m_nHeight);
    if (pCanvas && pCanvas->Native()) // a size of 0 gives no bitmap
        DrawContent(pCanvas.get());
    if (pGraphics)
        pGraphics->DrawImage(pCanvas.get(), pt.x, pt.y);
    return TRUE;
}

void CKdWindowLessList::DrawContent(Gdip::Image* pCanvas)
{
    Gdip::Graphics graphics(pCanvas);
    if (m_pBackImage)
        graphics.DrawImage(m_pBackImage.get(), Gdiplus::RectF(0, 0, Real(m_nWidth), Real(m_nHeight)));

    ItemSpec itemSpec = ReadItemSpec();
    int nCount = m_arrItems.GetSize();
    int nCols = CalcColumns(m_nWidth, itemSpec.nWidth, itemSpec.nSpaceX);
    if (nCols == 0 || nCount == 0)
        return;
    int nRows = nCount / nCols + (nCount % nCols ? 1 : 0);
    int nFirstRow = 0;
    int nLastRow = 0;
    if (!CalcVisibleRows(itemSpec, nRows, nFirstRow, nLastRow))
        return;

    // Rows in ascending order keep the index order, so later items cover
    // earlier ones where they overlap.
    int nPitchY = itemSpec.nHeight + itemSpec.nSpaceY;
    for (int nRow = nFirstRow; nRow <= nLastRow; ++nRow) {
        int y = nRow * nPitchY + m_nOffsetY;
        if (y + itemSpec.nHeight <= 0 || y >= m_nHeight)
            continue;
        int nEnd = nRow * nCols + nCols < nCount ? nRow * nCols + nCols : nCount;
        for (int i = nRow * nCols; i < nEnd; ++i) {
            RECT rc = CalcItemRect(i, itemSpec, nCols);
            int x = rc.left + IndentOf(i), y = rc.top + m_nOffsetY;
            DrawItem(graphics, i, x, y);
            if (m_bShowFocus && i == m_nFocus)
                DrawItemFocusFrame(graphics, x, y, itemSpec);
        }
    }
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

void CKdWindowLessList::DrawItem(Gdip::Graphics& graphics, int nIndex, int x, int y)
{
    _WLL_LIST_CTRL_ITEM& item = m_arrItems[nIndex];
    DrawItemBackground(graphics, nIndex, x, y);
    DrawItemIcon(graphics, item, x, y);
    DrawItemName(graphics, item, x, y);
}

void CKdWindowLessList::DrawItemBackground(Gdip::Graphics& graphics, int nIndex, int x, int y)
{
    int nSlot = m_arrItems[nIndex].nBkImage;
    if (nSlot < 0 || nSlot >= kItemBkSlots || !m_pItemBk[nSlot])
        return;
    int nFrame = kFrameNormal;
    if (nIndex == m_nPressed)
        nFrame = kFramePressed;
    else if (nIndex == m_nHover)
        nFrame = kFrameHover;

    Gdip::Bitmap* pStrip = m_pItemBk[nSlot].get();
    int nFrameWidth = static_cast<int>(pStrip->Width()) / kBkFrameCount;
    int nFrameHeight = static_cast<int>(pStrip->Height());
    graphics.DrawImage(pStrip, Gdiplus::RectF(Real(x), Real(y), Real(nFrameWidth), Real(nFrameHeight)),
                       Gdiplus::RectF(Real(nFrame * nFrameWidth), 0, Real(nFrameWidth), Real(nFrameHeight)));
}

void CKdWindowLessList::DrawItemIcon(Gdip::Graphics& graphics, _WLL_LIST_CTRL_ITEM& item, int x, int y)
{
    // An icon that cannot be loaded is tried again at the next drawing.
    if (!item.pIcon)
        item.pIcon = Gdip::LoadImageFile(item.strIconPath);
    if (!item.pIcon)
        return;
    POINT ptIcon = {0, 0};
    GetInfoPoint(L"ItemIconPos", ptIcon);
    graphics.DrawImage(item.pIcon.get(), x + ptIcon.x, y + ptIcon.y);
}

void CKdWindowLessList::DrawItemName(Gdip::Graphics& graphics, const _WLL_LIST_CTRL_ITEM& item, int x, int y)
{
    // Declared in this order so that they are released brush, format, font, family.
    Gdip::TextFontFamily family(m_fontInfo.strFontName);
    Gdip::Font font(family, Real(m_fontInfo.nFontSize), m_fontInfo.nFontStyle, Gdiplus::UnitPixel);
    Gdip::StringFormat format(0, 0);
    format.SetAlignment(m_fontInfo.nAlign);
    format.SetLineAlignment(m_fontInfo.nLineAlign);
    format.SetTrimming(m_fontInfo.nTrimming);
    Gdip::SolidBrush brush(m_fontInfo.clrText);

    // Without a text width the name spans to the list's width from its left.
    RECT rcText = {0, 0, 0, 0};
    GetInfoRect(L"ItemStringRect", rcText);
    if (rcText.left == rcText.right)
        rcText.right = m_nWidth - rcText.left;
    OffsetRect(&rcText, x, y);
    Gdiplus::RectF rcLayout(Real(rcText.left), Real(rcText.top), Real(rcText.right - rcText.left),
                            Real(rcText.bottom - rcText.top));
    graphics.DrawString(item.strName, -1, font, rcLayout, format, brush);
}

// The frame lies inside the item's own size, so it needs no room between items.
void CKdWindowLessList::DrawItemFocusFrame(Gdip::Graphics& graphics, int x, int y, const ItemSpec& itemSpec)
{
    int nColor = 0, nWidth = 0;
    Gdiplus::ARGB color = GetInfoNumber(L"FocusFrameColor", nColor) ? static_cast<Gdiplus::ARGB>(nColor)
                                                                     : SystemColorArgb(COLOR_HIGHLIGHT);
    if (!GetInfoNumber(L"FocusFrameWidth", nWidth) || nWidth < 1)
        nWidth = kDefaultFocusFrameWidth;
    RECT rc = {x, y, x + itemSpec.nWidth, y + itemSpec.nHeight};
    FillFrame(graphics, rc, nWidth, color);
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

void CKdWindowLessList::ClickItem(int nIndex)
{
    if (nIndex >= 0 && nIndex < m_arrItems.GetSize())
        NotifyClick(nIndex, 0);
}

// The owner may refill the list while it handles the click, so nothing of
// the item or the array is read after the message returns.
void CKdWindowLessList::NotifyClick(int nItem, LPARAM lParam)
{
    if (m_pOwner)
        m_pOwner->SendMessage(m_nMsgClick, reinterpret_cast<WPARAM>(&m_arrItems[nItem]), lParam);
}
