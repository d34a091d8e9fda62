#include "controls/CKdCommonDlg.h"
#include <cwchar>
#include "controls/CKdBmpButtonRegin.h"
#include "controls/CLabel.h"
#include "controls/DrawHelpers.h"
#include "controls/GdipGraphics.h"
#include "controls/GdipSolidBrush.h"
#include "controls/SkinImageFile.h"
#include "controls/SurfaceSize.h"
#include "controls/WindowDpi.h"
#include "skin/ValueText.h"

namespace {

// ControlType values of the skin's control descriptions.
const int kTypeLabel = 1;
const int kTypeButton = 2;
const int kTypeRegionButton = 4;

// Caption band height used when the skin gives none: the whole window drags.
const int kDefaultCaptionHeight = 10000;

// The creation style of a skin control: the skin's style bits, visible. A
// control is always a child of its dialog, so WS_POPUP from the skin is
// dropped: with it the system would take the control's ID for a menu handle
// and leave menus behind when the control goes away.
DWORD SkinControlStyle(const _XmlDynamicItem* pItem)
{
    return (static_cast<DWORD>(pItem->nControlStyle) & ~static_cast<DWORD>(WS_POPUP)) | WS_VISIBLE;
}

SIZE SkinSizeOf(const RECT& rc)
{
    return SIZE{rc.right - rc.left, rc.bottom - rc.top};
}

} // namespace

IMPLEMENT_DYNAMIC(CKdCommonDlg, CDialog)

BEGIN_MESSAGE_MAP(CKdCommonDlg, CDialog)
    ON_WM_PAINT()
    ON_WM_LBUTTONDOWN()
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

CKdCommonDlg::CKdCommonDlg() : CDialog(IDD, nullptr) {}

// The window goes first, with its controls' windows, while everything they
// borrow (background, font, icon) still exists. Then the members in reverse
// order (tooltip, font, icon, background), then the reader base with the
// descriptions, which delete the skin controls' objects.
CKdCommonDlg::~CKdCommonDlg()
{
    if (m_hWnd)
        DestroyWindow();
}

BOOL CKdCommonDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    return TRUE;
}

void CKdCommonDlg::InitSkinWindow(const CString& strSkinFile, const CString& strSection,
                                  const CString& strSection2, const CString& strSkinName)
{
    ParseSkinFile(strSkinFile, this, strSection, strSection2, strSkinName);
    // The DPI of the window at its first set-up; later only WM_DPICHANGED changes it.
    if (!m_bDpiKnown && m_hWnd) {
        m_dpi = CDpiScale(WindowDpi(m_hWnd));
        m_bDpiKnown = true;
    }
    CreateToolTip();
    ApplyWindowInfo();
    CreateSkinControls();
}

void CKdCommonDlg::CreateToolTip()
{
    int nShow = 0;
    int nWidth = 0;
    GetInfoNumber(L"ShowToolTip", nShow);
    GetInfoLength(L"ToolTipWidth", nWidth);
    if (!nShow)
        return;
    // A second set-up keeps the tooltip window (and its tools) it already has.
    if (!m_toolTip.GetSafeHwnd())
        m_toolTip.Create(this, 0);
    m_toolTip.Activate(TRUE);
    if (nWidth)
        m_toolTip.SetMaxTipWidth(nWidth);
}

void CKdCommonDlg::ApplyWindowInfo()
{
    CreateSkinFont();
    SetFontToChildren();
    CString strTitle;
    GetInfoString(L"Title", FALSE, strTitle);
    SetWindowText(strTitle);
    ApplyIcon();
    ApplySheetSize();
    LoadBackground();
}

void CKdCommonDlg::ApplyIcon()
{
    CString strPath;
    GetInfoString(L"Icon", TRUE, strPath);
    HICON hIcon = static_cast<HICON>(::LoadImageW(nullptr, strPath, IMAGE_ICON, 0, 0, LR_LOADFROMFILE));
    // The window is given the new icon (or none, when it cannot be loaded)
    // before the previous one is destroyed, so it never shows a dead handle.
    SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(hIcon));
    SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(hIcon));
    m_hIcon.Attach(hIcon);
}

void CKdCommonDlg::ApplySheetSize()
{
    // The sheet is the client area; a captioned window adds its frame.
    SIZE size = GetSheetSize();
    // A window is a surface too (on the screen, or in the window manager's
    // memory): a sheet too large to draw leaves the window as it is.
    if (size.cx > 0 && size.cy > 0 && !IsSurfaceSizeAllowed(size.cx, size.cy))
        return;
    if (GetStyle() & WS_CAPTION) {
        size.cx += 2 * SystemMetricForDpi(SM_CXDLGFRAME, m_dpi.Dpi());
        size.cy += 2 * SystemMetricForDpi(SM_CYDLGFRAME, m_dpi.Dpi()) + SystemMetricForDpi(SM_CYCAPTION, m_dpi.Dpi());
    }
    SetWindowPos(&wndTop, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER);
}

SIZE CKdCommonDlg::GetSheetSize() const
{
    POINT size = {0, 0};
    GetInfoLengthPoint(L"SheetSize", size);
    return SIZE{size.x, size.y};
}

int CKdCommonDlg::WindowInfoDecimal(const wchar_t* pszKey) const
{
    // The dialog font's numbers are plain decimal text; "0X" forms read as 0.
    CString strValue;
    m_mapWindowInfo.Lookup(pszKey, strValue);
    return static_cast<int>(std::wcstol(strValue, nullptr, 10));
}

void CKdCommonDlg::CreateSkinFont()
{
    m_font.DeleteObject();
    CString strFontName;
    m_mapWindowInfo.Lookup(L"FontName", strFontName);
    int nSize = m_dpi.Length(WindowInfoDecimal(L"FontSize"));
    int nWeight = WindowInfoDecimal(L"FontWeight");
    int nCharSet = WindowInfoDecimal(L"FontCharSet");
    m_font.CreateFont(-nSize, 0, 0, 0, nWeight, 0, 0, 0, static_cast<BYTE>(nCharSet & 0xFF), 0, 0, 0, 0,
                      strFontName);
}

void CKdCommonDlg::SetFontToChildren()
{
    WPARAM wFont = reinterpret_cast<WPARAM>(static_cast<HFONT>(m_font));
    SendMessage(WM_SETFONT, wFont, TRUE);
    for (HWND hChild = ::GetWindow(m_hWnd, GW_CHILD); hChild; hChild = ::GetWindow(hChild, GW_HWNDNEXT))
        ::SendMessageW(hChild, WM_SETFONT, wFont, TRUE);
}

int CKdCommonDlg::LoadBackground()
{
    CString strPath;
    GetInfoString(L"BackBmp", TRUE, strPath);
    SIZE size = GetSheetSize();
    m_pBackBitmap = LoadSkinBitmap(strPath, m_dpi, SkinImageFit::OwnSize());
    if (m_pBackBitmap && m_pBackBitmap->Width() == 0)
        m_pBackBitmap.reset();
    if (!m_pBackBitmap)
        FillFaceColor(size.cx, size.cy);
    LendBackgroundToControls();
    if (IsLayered()) {
        int nAlpha = 0;
        GetInfoNumber(L"AlpahValue", nAlpha);
        UpdateLayered(nAlpha);
    }
    return 1;
}

void CKdCommonDlg::FillFaceColor(int nWidth, int nHeight)
{
    ResetBitmap(m_pBackBitmap, nWidth, nHeight);
    if (!m_pBackBitmap || !m_pBackBitmap->Native())
        m_pBackBitmap.reset();
    LendBackgroundToControls();
    if (!m_pBackBitmap)
        return;
    Gdip::Graphics graphics(m_pBackBitmap.get());
    Gdip::SolidBrush brush(FaceColor());
    graphics.FillRectangle(brush, 0, 0, nWidth, nHeight);
}

Gdiplus::ARGB CKdCommonDlg::FaceColor()
{
    return SystemColorArgb(COLOR_BTNFACE);
}

void CKdCommonDlg::LendBackgroundToControls()
{
    // Labels borrow the bitmap itself; once it is replaced they must not
    // keep the old one. Buttons see it through its slot, but their composed
    // picture still holds the old one and is made again.
    for (int i = 0; i < m_arrDynamicItems.GetSize(); ++i) {
        CWnd* pControl = m_arrDynamicItems[i].pControl;
        if (pControl && pControl->IsKindOf(RUNTIME_CLASS(CLabel))) {
            static_cast<CLabel*>(pControl)->SetParentBack(m_pBackBitmap.get());
        } else if (pControl && pControl->IsKindOf(RUNTIME_CLASS(CKdBmpButton))) {
            static_cast<CKdBmpButton*>(pControl)->SetParentBackSlot(&m_pBackBitmap);
            pControl->Invalidate(TRUE);
        }
    }
}

BOOL CKdCommonDlg::IsLayered() const
{
    int nLayered = 0;
    GetInfoNumber(L"IsLayerWnd", nLayered);
    return nLayered != 0;
}

BYTE CKdCommonDlg::LayeredSourceAlpha(int nAlphaPercent)
{
    // Limited at both ends: above 100 % is opaque, below 0 % invisible.
    if (nAlphaPercent <= 0)
        return 0;
    if (nAlphaPercent >= 100)
        return 255;
    return static_cast<BYTE>(nAlphaPercent * 255 / 100);
}

CBitmapOwner CKdCommonDlg::CreateDib32(int nWidth, int nHeight)
{
    if (!IsSurfaceSizeAllowed(nWidth, nHeight))
        return CBitmapOwner();
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = nWidth;
    info.bmiHeader.biHeight = nHeight;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    info.bmiHeader.biSizeImage = static_cast<DWORD>(nWidth) * static_cast<DWORD>(nHeight) * 4;
    void* pBits = nullptr;
    return CBitmapOwner(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pBits, nullptr, 0));
}

int CKdCommonDlg::UpdateLayered(int nAlphaPercent)
{
    if (IsIconic())
        return 0;
    SIZE size = GetSheetSize();
    CBitmapOwner dib = CreateDib32(size.cx, size.cy);
    // Without the picture the window would be given a surface of the refused size.
    if (dib.IsNull())
        return 1;
    CClientDC screenDC(this);
    CMemoryDC memDC(screenDC);
    {
        CScopedSelect select(memDC, dib);
        DrawBackground(&memDC);
        if (!(GetExStyle() & WS_EX_LAYERED))
            ::SetWindowLongW(m_hWnd, GWL_EXSTYLE, static_cast<LONG>(GetExStyle() | WS_EX_LAYERED));
        // Per-pixel alpha of the drawn bitmap, times the overall opacity.
        BLENDFUNCTION blend = {AC_SRC_OVER, 0, LayeredSourceAlpha(nAlphaPercent), AC_SRC_ALPHA};
        SIZE sizeWnd = size;
        POINT ptSource = {0, 0};
        ::UpdateLayeredWindow(m_hWnd, nullptr, nullptr, &sizeWnd, memDC, &ptSource, 0, &blend, ULW_ALPHA);
    }
    return 1;
}

void CKdCommonDlg::PaintBackground(CDC* pDC)
{
    if (IsLayered()) {
        SIZE size = GetSheetSize();
        CBitmapOwner dib = CreateDib32(size.cx, size.cy);
        if (dib.IsNull())
            return;
        CMemoryDC memDC(pDC->GetSafeHdc());
        CScopedSelect select(memDC, dib);
        DrawBackground(&memDC);
        pDC->BitBlt(0, 0, size.cx, size.cy, &memDC, 0, 0, SRCCOPY);
    } else if (m_pBackBitmap) {
        Gdip::Graphics graphics(pDC->GetSafeHdc());
        graphics.DrawImage(m_pBackBitmap.get(),
                           Gdiplus::RectF(0, 0, static_cast<Gdiplus::REAL>(m_pBackBitmap->Width()),
                                          static_cast<Gdiplus::REAL>(m_pBackBitmap->Height())));
    }
}

int CKdCommonDlg::DrawBackground(CDC* pDC)
{
    CString strPath;
    GetInfoString(L"BackBmp", TRUE, strPath);
    std::unique_ptr<Gdip::Image> pImage = LoadSkinImage(strPath, m_dpi, SkinImageFit::OwnSize());
    if (!pImage)
        return 0;
    Gdip::Graphics graphics(pDC->GetSafeHdc());
    graphics.DrawImage(pImage.get(), 0, 0);
    return 1;
}

void CKdCommonDlg::OnPaint()
{
    CPaintDC dc(this);
    PaintBackground(&dc);
}

BOOL CKdCommonDlg::OnEraseBkgnd(CDC* pDC)
{
    PaintBackground(pDC);
    return TRUE;
}

void CKdCommonDlg::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (!(GetStyle() & WS_CHILD)) {
        int nDrag = 0;
        int nBand = 0;
        GetInfoNumber(L"IsDrag", nDrag);
        GetInfoLength(L"CaptionHeight", nBand);
        if (nBand == 0)
            nBand = kDefaultCaptionHeight;
        // The system moves the window as if its caption had been pressed.
        if (nDrag && point.y <= nBand)
            PostMessage(WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(point.x, point.y));
    }
    Default();
}

BOOL CKdCommonDlg::PreTranslateMessage(MSG* pMsg)
{
    if (m_toolTip.GetSafeHwnd())
        m_toolTip.SendMessage(TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(pMsg));
    return CDialog::PreTranslateMessage(pMsg);
}

BOOL CKdCommonDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    int nIndex = static_cast<int>(LOWORD(wParam)) - static_cast<int>(kFirstSkinControlID);
    if (nIndex < 0 || nIndex >= m_arrDynamicItems.GetSize())
        return CDialog::OnCommand(wParam, lParam);
    // Every notification code counts: the control's ID decides the action.
    _XmlDynamicItem* pItem = &m_arrDynamicItems[nIndex];
    if (!OnDynamicItemCommand(pItem))
        return TRUE;
    RunReservedAction(pItem->strID);
    return TRUE;
}

void CKdCommonDlg::RunReservedAction(const CString& strID)
{
    if (strID.CompareNoCase(L"CLOSE") == 0 || strID.CompareNoCase(L"IDCANCEL") == 0)
        OnCancel();
    else if (strID.CompareNoCase(L"IDOK") == 0)
        OnOK();
    else if (strID.CompareNoCase(L"IDYES") == 0)
        EndDialog(IDYES);
    else if (strID.CompareNoCase(L"IDNO") == 0)
        EndDialog(IDNO);
    else if (strID.CompareNoCase(L"MINIMIZE") == 0)
        SendMessage(WM_SYSCOMMAND, SC_MINIMIZE, 0);
}

int CKdCommonDlg::OnDynamicItemCreated(_XmlDynamicItem* pItem)
{
    return 1;
}

int CKdCommonDlg::OnDynamicItemCommand(_XmlDynamicItem* pItem)
{
    return 1;
}

void CKdCommonDlg::ApplyDpi(int nDpi)
{
    m_dpi = CDpiScale(nDpi);
    m_bDpiKnown = true;
    CreateToolTip();
    ApplyWindowInfo();
    PlaceSkinControls();
    CreateSkinControls();
}

void CKdCommonDlg::PlaceSkinControls()
{
    for (int i = 0; i < m_arrDynamicItems.GetSize(); ++i) {
        _XmlDynamicItem& item = m_arrDynamicItems[i];
        if (!item.pControl || !item.pControl->GetSafeHwnd())
            continue;
        RECT rc = m_dpi.Rect(item.rcPos);
        item.pControl->SetWindowPos(nullptr, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top,
                                    SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void CKdCommonDlg::CreateSkinControls()
{
    for (int i = 0; i < m_arrDynamicItems.GetSize(); ++i) {
        _XmlDynamicItem* pItem = &m_arrDynamicItems[i];
        UINT nID = kFirstSkinControlID + static_cast<UINT>(i);
        if (pItem->nControlType == kTypeLabel)
            CreateLabelControl(pItem, nID);
        else if (pItem->nControlType == kTypeButton || pItem->nControlType == kTypeRegionButton)
            CreateButtonControl(pItem, nID);
    }
}

void CKdCommonDlg::ReadControlFont(const _XmlDynamicItem* pItem, _CONTROL_FONT_INFO& fontInfo) const
{
    fontInfo.nFontSize = m_dpi.Length(pItem->nFontSize);
    if (pItem->nFontSize < 1)
        GetInfoLength(L"FontSize", fontInfo.nFontSize);
    fontInfo.strFontName = pItem->strFontName;
    if (fontInfo.strFontName.IsEmpty())
        GetInfoString(L"FontName", FALSE, fontInfo.strFontName);

    CString strColors = pItem->strFontColor;
    if (strColors.IsEmpty())
        GetInfoString(L"FontColor", FALSE, strColors);
    fontInfo.clrText = 0;
    fontInfo.clrTextDisabled = 0;
    ParseColorPair(strColors, fontInfo.clrText, fontInfo.clrTextDisabled);

    CString strFormat = pItem->strFontFormat;
    if (strFormat.IsEmpty())
        GetInfoString(L"FontFormat", FALSE, strFormat);
    fontInfo.nFontStyle = 0;
    fontInfo.nAlign = 1;
    fontInfo.nLineAlign = 1;
    fontInfo.nTrimming = 1;
    ParseTextStyle(strFormat, fontInfo.nFontStyle, fontInfo.nAlign, fontInfo.nLineAlign, fontInfo.nTrimming);
}

void CKdCommonDlg::CreateButtonControl(_XmlDynamicItem* pItem, UINT nID)
{
    if (!pItem->pControl) {
        CKdBmpButton* pNew = pItem->nControlType == kTypeRegionButton ? new CKdBmpButtonRegin : new CKdBmpButton;
        pItem->pControl = pNew;
        pNew->Create(L"", SkinControlStyle(pItem), m_dpi.Rect(pItem->rcPos), this, nID);
    }
    // A description whose type changed in a later section keeps its earlier
    // control; it is only restyled when it is a button.
    if (!pItem->pControl->IsKindOf(RUNTIME_CLASS(CKdBmpButton)))
        return;
    CKdBmpButton* pButton = static_cast<CKdBmpButton*>(pItem->pControl);
    _CONTROL_FONT_INFO fontInfo;
    ReadControlFont(pItem, fontInfo);
    pButton->SetParentBackSlot(&m_pBackBitmap);
    pButton->SetDpi(m_dpi, SkinSizeOf(pItem->rcPos));
    pButton->SetStateImage(pItem->strBkImg);
    pButton->SetIconImage(pItem->strIcon);
    pButton->SetFontName(fontInfo.strFontName);
    pButton->SetFontSize(fontInfo.nFontSize);
    pButton->SetFontStyle(fontInfo.nFontStyle);
    pButton->SetTextFormat(fontInfo.nAlign, fontInfo.nLineAlign, fontInfo.nTrimming);
    pButton->SetTextColor(fontInfo.clrText);
    pButton->SetDisabledTextColor(fontInfo.clrTextDisabled);
    pButton->SetText(pItem->strName);
    pButton->SetWindowText(pItem->strName);
    pButton->SetDrawFocus(pItem->nDrawFocus);
    RegisterToolTip(pItem);
    OnDynamicItemCreated(pItem);
}

void CKdCommonDlg::CreateLabelControl(_XmlDynamicItem* pItem, UINT nID)
{
    if (!pItem->pControl) {
        CLabel* pNew = new CLabel;
        pItem->pControl = pNew;
        pNew->Create(L"", SkinControlStyle(pItem) | SS_NOTIFY, m_dpi.Rect(pItem->rcPos), this, nID);
    }
    if (!pItem->pControl->IsKindOf(RUNTIME_CLASS(CLabel)))
        return;
    CLabel* pLabel = static_cast<CLabel*>(pItem->pControl);
    _CONTROL_FONT_INFO fontInfo;
    ReadControlFont(pItem, fontInfo);
    pLabel->SetParentBack(m_pBackBitmap.get());
    pLabel->SetDpi(m_dpi);
    pLabel->SetImage(pItem->strBkImg);
    pLabel->SetFontName(fontInfo.strFontName);
    pLabel->SetFontSize(fontInfo.nFontSize);
    pLabel->SetFontStyle(fontInfo.nFontStyle);
    pLabel->SetTextFormat(fontInfo.nAlign, fontInfo.nLineAlign, fontInfo.nTrimming);
    pLabel->SetTextColor(fontInfo.clrText);
    pLabel->SetText(pItem->strName);
    if (!pItem->strCursor.IsEmpty())
        pLabel->SetLabelCursor(pItem->strCursor);
    RegisterToolTip(pItem);
    OnDynamicItemCreated(pItem);
}

void CKdCommonDlg::RegisterToolTip(_XmlDynamicItem* pItem)
{
    if (!m_toolTip.GetSafeHwnd())
        return;
    // A second set-up finds the control's tool from the first one: its text
    // is replaced, or the tool removed when the skin no longer gives one.
    bool bKnown = m_toolTip.HasTool(pItem->pControl) != FALSE;
    if (pItem->strToolTip.IsEmpty()) {
        if (bKnown)
            m_toolTip.DelTool(pItem->pControl);
    } else if (bKnown) {
        m_toolTip.UpdateTipText(pItem->strToolTip, pItem->pControl);
    } else {
        m_toolTip.AddTool(pItem->pControl, pItem->strToolTip);
    }
}
