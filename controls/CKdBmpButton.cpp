#include "controls/CKdBmpButton.h"
#include "controls/DrawHelpers.h"
#include "controls/GdipFont.h"
#include "controls/GdipGraphics.h"
#include "controls/GdipSolidBrush.h"
#include "controls/GdipStringFormat.h"
#include "controls/GdipTextFontFamily.h"
#include "controls/SkinImageFile.h"

namespace {

// Gap in skin pixels between the state frame or icon and the text.
const int kTextGap = 3;
// Frames in the strip of a check box or radio button.
const int kCheckFrameCount = 8;
// Width of the layout box in which the text beside an icon is measured.
const int kMeasureWidth = 1024;

// A GDI+ font by family name, with the fallback families of TextFontFamily.
struct TextFont
{
    TextFont(const CString& strName, int nSize, int nStyle)
        : family(strName), font(family, static_cast<Gdiplus::REAL>(nSize), nStyle, Gdiplus::UnitPixel) {}
    Gdip::TextFontFamily family;
    Gdip::Font font;
};

Gdiplus::RectF ToRectF(const CRect& rc)
{
    return Gdiplus::RectF(static_cast<Gdiplus::REAL>(rc.left), static_cast<Gdiplus::REAL>(rc.top),
                          static_cast<Gdiplus::REAL>(rc.Width()), static_cast<Gdiplus::REAL>(rc.Height()));
}

} // namespace

IMPLEMENT_DYNAMIC(CKdBmpButton, CButton)

BEGIN_MESSAGE_MAP(CKdBmpButton, CButton)
    ON_WM_GETDLGCODE()
    ON_WM_MOUSEMOVE()
    ON_WM_ERASEBKGND()
    ON_WM_SIZE()
    ON_WM_LBUTTONUP()
    ON_WM_LBUTTONDOWN()
    ON_WM_KEYUP()
    ON_WM_MOUSELEAVE()
    ON_MESSAGE(BM_SETSTYLE, &CKdBmpButton::OnSetStyle)
    ON_MESSAGE(BM_SETCHECK, &CKdBmpButton::OnSetCheck)
    ON_MESSAGE(BM_GETCHECK, &CKdBmpButton::OnGetCheck)
    ON_MESSAGE(WM_BMPBUTTON_UNCHECK, &CKdBmpButton::OnUncheck)
END_MESSAGE_MAP()

CKdBmpButton::CKdBmpButton() = default;

CKdBmpButton::~CKdBmpButton() = default;

void CKdBmpButton::SetDpi(const CDpiScale& dpi, SIZE sizeSkin)
{
    m_dpi = dpi;
    m_sizeSkin = sizeSkin;
    DropCache();
}

int CKdBmpButton::SetStateImage(const wchar_t* pszPath)
{
    DropCache();
    m_pStateImage.reset();
    if (!pszPath)
        return 0;
    // Push buttons' frames have the button's size; the others' are a strip.
    CRect rcClient;
    if (m_hWnd)
        GetClientRect(&rcClient);
    SkinImageFit fit = m_nKind == KIND_PUSH
                           ? SkinImageFit::Cells(m_sizeSkin, SIZE{rcClient.Width(), rcClient.Height()})
                           : SkinImageFit::Strip(kCheckFrameCount);
    m_pStateImage = LoadSkinImage(pszPath, m_dpi, fit);
    return 1;
}

int CKdBmpButton::SetIconImage(const wchar_t* pszPath)
{
    DropCache();
    m_pIconImage.reset();
    if (!pszPath)
        return 0;
    m_pIconImage = LoadSkinImage(pszPath, m_dpi, SkinImageFit::OwnSize());
    if (m_pIconImage && m_pIconImage->Width() == 0)
        m_pIconImage.reset();
    return 1;
}

void CKdBmpButton::SetText(const CString& strText)
{
    m_strText = strText;
    DropCache();
}

void CKdBmpButton::SetFontName(const CString& strFontName)
{
    m_strFontName = strFontName;
    DropCache();
}

void CKdBmpButton::SetFontSize(int nFontSize)
{
    m_nFontSize = nFontSize;
    DropCache();
}

void CKdBmpButton::SetFontStyle(int nFontStyle)
{
    m_nFontStyle = nFontStyle;
    DropCache();
}

void CKdBmpButton::SetTextFormat(int nAlign, int nLineAlign, int nTrimming)
{
    m_nAlign = nAlign;
    m_nLineAlign = nLineAlign;
    m_nTrimming = nTrimming;
    DropCache();
}

void CKdBmpButton::SetTextColor(Gdiplus::ARGB clrText)
{
    m_clrText = clrText;
    DropCache();
}

void CKdBmpButton::SetDisabledTextColor(Gdiplus::ARGB clrTextDisabled)
{
    m_clrTextDisabled = clrTextDisabled;
    DropCache();
}

void CKdBmpButton::SetDrawFocus(BOOL bDrawFocus)
{
    m_bDrawFocus = bDrawFocus;
    DropCache();
}

void CKdBmpButton::SetParentBackSlot(std::unique_ptr<Gdip::Bitmap>* ppParentBack)
{
    m_ppParentBack = ppParentBack;
    DropCache();
}

void CKdBmpButton::PreSubclassWindow()
{
    // Auto check box (type 3) and auto radio button (type 9) are the only
    // styles with a kind of their own; the tests are bit masks, so the
    // owner-draw type 0xB also counts as a check box.
    DWORD dwType = GetStyle() & 0xFF;
    if ((dwType & BS_AUTOCHECKBOX) == BS_AUTOCHECKBOX)
        m_nKind = KIND_CHECK;
    else if ((dwType & BS_AUTORADIOBUTTON) == BS_AUTORADIOBUTTON)
        m_nKind = KIND_RADIO;
    else
        m_nKind = KIND_PUSH;
    // The type bits are replaced, not added to: BS_OWNERDRAW or'ed onto
    // types such as BS_RADIOBUTTON would give 0xF, a type the system draws
    // itself (no WM_DRAWITEM), which would hide the skinned picture.
    ModifyStyle(BS_TYPEMASK, BS_OWNERDRAW);
    CButton::PreSubclassWindow();
}

void CKdBmpButton::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    UINT nState = lpDrawItemStruct->itemState;
    int nBase = (m_nKind != KIND_PUSH && m_bChecked) ? 4 : 0;
    Gdiplus::ARGB clrText = m_clrText;
    int nIndex = nBase;
    if (nState & ODS_DISABLED) {
        clrText = m_clrTextDisabled;
        nIndex = nBase + 3;
    } else if (nState & ODS_SELECTED) {
        nIndex = nBase + 2;
    } else if (m_bHover) {
        nIndex = nBase + 1;
    }
    BOOL bFocus = (nState & ODS_FOCUS) && m_bDrawFocus;
    if (clrText != m_clrLast || nIndex != m_nLastState || bFocus != m_bLastFocus)
        DropCache();
    m_clrLast = clrText;
    m_nLastState = nIndex;
    m_bLastFocus = bFocus;
    PaintButton(CDC::FromHandle(lpDrawItemStruct->hDC));
}

void CKdBmpButton::PaintButton(CDC* pDC)
{
    CRect rcClient;
    GetClientRect(&rcClient);
    if (!m_pCache)
        ComposeImage(rcClient);
    if (!m_pCache)
        return;
    Gdip::Graphics graphics(pDC->GetSafeHdc());
    graphics.DrawImage(m_pCache.get(), ToRectF(rcClient));
}

void CKdBmpButton::ComposeImage(const CRect& rcClient)
{
    int w = rcClient.Width();
    int h = rcClient.Height();
    ResetBitmap(m_pCache, w, h);
    CWnd* pParent = GetParent();
    if (m_ppParentBack && *m_ppParentBack && pParent) {
        CRect rcWindow;
        GetWindowRect(&rcWindow);
        pParent->ScreenToClient(&rcWindow);
        DrawImagePart(m_pCache.get(), m_ppParentBack->get(), rcWindow);
    }
    if (m_pStateImage) {
        if (m_nKind == KIND_PUSH) {
            CRect rcSource = rcClient;
            rcSource.OffsetRect(w * m_nLastState, 0);
            DrawImagePart(m_pCache.get(), m_pStateImage.get(), rcSource);
        } else {
            // The frame is centred vertically; a frame taller than the button
            // is cut evenly at top and bottom.
            int fw = StateFrameWidth();
            int fh = static_cast<int>(m_pStateImage->Height());
            Gdip::Graphics graphics(m_pCache.get());
            graphics.DrawImage(m_pStateImage.get(), ToRectF(CRect(0, (h - fh) / 2, fw, (h - fh) / 2 + fh)),
                               ToRectF(CRect(m_nLastState * fw, 0, m_nLastState * fw + fw, fh)));
        }
    }
    DrawContent(m_clrLast);
}

void CKdBmpButton::DrawContent(Gdiplus::ARGB clrText)
{
    if (!m_pCache)
        return;
    CRect rcClient;
    GetClientRect(&rcClient);
    CRect rcText = rcClient;
    CPoint ptIcon;
    BOOL bIcon = FALSE;
    if (m_nKind != KIND_PUSH) {
        rcText.left = StateFrameWidth() + m_dpi.Length(kTextGap);
    } else if (m_strText.IsEmpty() && !m_pIconImage) {
        return;
    } else if (m_pIconImage) {
        ptIcon = PlaceIcon(rcClient, rcText);
        bIcon = TRUE;
    }
    {
        Gdip::Graphics graphics(m_pCache.get());
        if (bIcon)
            graphics.DrawImage(m_pIconImage.get(), ptIcon.x, ptIcon.y);
        if (!m_strText.IsEmpty())
            DrawText(graphics, rcText, clrText);
    }
    if (m_bLastFocus) {
        // Check boxes and radio buttons hug their text; push buttons run the
        // frame along their edge.
        CRect rcFocus = rcClient;
        if (m_nKind != KIND_PUSH) {
            rcFocus = rcText;
            rcFocus.InflateRect(m_dpi.Length(kTextGap), m_dpi.Length(kTextGap));
        }
        DrawFocusFrame(m_pCache.get(), rcFocus, m_dpi);
    }
}

CPoint CKdBmpButton::PlaceIcon(const CRect& rcClient, CRect& rcText)
{
    // Signed halving: an icon larger than the button is centred with the
    // overflow cut off on both sides.
    int cw = rcClient.Width();
    int ch = rcClient.Height();
    int iw = static_cast<int>(m_pIconImage->Width());
    int ih = static_cast<int>(m_pIconImage->Height());
    if (m_strText.IsEmpty())
        return CPoint((cw - iw) / 2, (ch - ih) / 2);
    CRect rcMeasure(0, 0, kMeasureWidth, 0);
    MeasureText(m_strText, rcMeasure);
    int nGap = m_dpi.Length(kTextGap);
    int x0 = (cw - rcMeasure.Width() - iw - nGap) / 2;
    rcText = CRect(x0 + iw + nGap, 0, cw, ch);
    return CPoint(x0, (ch - ih) / 2);
}

void CKdBmpButton::DrawText(Gdip::Graphics& graphics, const CRect& rcText, Gdiplus::ARGB clrText)
{
    TextFont textFont(m_strFontName, m_nFontSize, m_nFontStyle);
    Gdip::StringFormat format(0, 0);
    format.SetAlignment(m_nAlign);
    format.SetLineAlignment(m_nLineAlign);
    format.SetTrimming(m_nTrimming);
    // An ampersand underlines the next character, as on system buttons.
    if (format.Native())
        Gdiplus::DllExports::GdipSetStringFormatHotkeyPrefix(format.Native(), Gdiplus::HotkeyPrefixShow);
    Gdip::SolidBrush brush(clrText);
    graphics.DrawString(m_strText, -1, textFont.font, ToRectF(rcText), format, brush);
}

void CKdBmpButton::MeasureText(const CString& strText, CRect& rc)
{
    if (!m_pCache)
        return;
    Gdip::Graphics graphics(m_pCache.get());
    TextFont textFont(m_strFontName, m_nFontSize, m_nFontStyle);
    Gdip::StringFormat format(0, 0);
    format.SetAlignment(Gdiplus::StringAlignmentNear);
    Gdiplus::RectF rcLayout = ToRectF(rc);
    Gdiplus::RectF rcBox(0, 0, 0, 0);
    if (graphics.Native() && textFont.font.Native())
        Gdiplus::DllExports::GdipMeasureString(graphics.Native(), strText, -1, textFont.font.Native(), &rcLayout,
                                               format.Native(), &rcBox, nullptr, nullptr);
    rc = CRect(static_cast<int>(rcBox.X), static_cast<int>(rcBox.Y), static_cast<int>(rcBox.X + rcBox.Width),
               static_cast<int>(rcBox.Y + rcBox.Height));
    if (rc.Width() < rcBox.Width)
        rc.right += 1;
    if (rc.Height() < rcBox.Height)
        rc.bottom += 1;
}

int CKdBmpButton::StateFrameWidth() const
{
    return m_pStateImage ? static_cast<int>(m_pStateImage->Width()) / kCheckFrameCount : 0;
}

UINT CKdBmpButton::OnGetDlgCode()
{
    return m_nKind == KIND_RADIO ? DLGC_BUTTON | DLGC_RADIOBUTTON : DLGC_BUTTON;
}

void CKdBmpButton::OnMouseMove(UINT nFlags, CPoint point)
{
    if (!m_bHover) {
        TRACKMOUSEEVENT tme = {sizeof(tme), TME_LEAVE, m_hWnd, 0};
        if (_TrackMouseEvent(&tme)) {
            m_bHover = TRUE;
            DropCache();
            Invalidate(TRUE);
        }
    }
    Default();
}

void CKdBmpButton::OnMouseLeave()
{
    m_bHover = FALSE;
    DropCache();
    Invalidate(TRUE);
}

BOOL CKdBmpButton::OnEraseBkgnd(CDC* pDC)
{
    PaintButton(pDC);
    return TRUE;
}

void CKdBmpButton::OnSize(UINT nType, int cx, int cy)
{
    Default();
    DropCache();
}

void CKdBmpButton::OnLButtonDown(UINT nFlags, CPoint point)
{
    m_bMouseDown = TRUE;
    Default();
}

void CKdBmpButton::OnLButtonUp(UINT nFlags, CPoint point)
{
    if (m_bMouseDown) {
        m_bMouseDown = FALSE;
        // Only a release over this very button counts as a click.
        ClientToScreen(&point);
        if (::WindowFromPoint(point) == m_hWnd) {
            if (m_nKind == KIND_RADIO)
                SendMessage(BM_SETCHECK, 1);
            else
                ToggleCheck();
        }
    }
    Default();
}

void CKdBmpButton::OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (nChar == VK_SPACE) {
        if (m_nKind == KIND_RADIO) {
            SendMessage(BM_SETCHECK, 1);
            ::PostMessageW(::GetParent(m_hWnd), WM_COMMAND, static_cast<WPARAM>(GetDlgCtrlID()),
                           reinterpret_cast<LPARAM>(m_hWnd));
        } else {
            ToggleCheck();
        }
    }
    Default();
}

void CKdBmpButton::ToggleCheck()
{
    SendMessage(BM_SETCHECK, SendMessage(BM_GETCHECK) ? 0 : 1);
}

LRESULT CKdBmpButton::OnSetStyle(WPARAM wParam, LPARAM lParam)
{
    // Whatever style is set later, the button stays owner-drawn.
    return DefWindowProc(BM_SETSTYLE, (wParam & ~static_cast<WPARAM>(BS_TYPEMASK)) | BS_OWNERDRAW, lParam);
}

LRESULT CKdBmpButton::OnSetCheck(WPARAM wParam, LPARAM lParam)
{
    m_bChecked = wParam != 0;
    if (m_nKind == KIND_RADIO && m_bChecked)
        UncheckRadioSiblings();
    // The picture is not dropped here: DrawItem sees the new frame index.
    Invalidate(TRUE);
    return 0;
}

LRESULT CKdBmpButton::OnGetCheck(WPARAM wParam, LPARAM lParam)
{
    return m_bChecked ? 1 : 0;
}

LRESULT CKdBmpButton::OnUncheck(WPARAM wParam, LPARAM lParam)
{
    if (m_bChecked) {
        m_bChecked = FALSE;
        Invalidate(TRUE);
    }
    return 0;
}

void CKdBmpButton::UncheckRadioSiblings()
{
    // Walks the rest of the group once; only radio-kind bitmap buttons of this
    // module are told to uncheck, ordinary radio buttons keep their state.
    HWND hParent = ::GetParent(m_hWnd);
    if (!hParent)
        return;
    HWND hFirst = nullptr;
    for (HWND hWnd = ::GetNextDlgGroupItem(hParent, m_hWnd, FALSE); hWnd && hWnd != m_hWnd && hWnd != hFirst;
         hWnd = ::GetNextDlgGroupItem(hParent, hWnd, FALSE)) {
        if (!hFirst)
            hFirst = hWnd;
        CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
        if (pWnd && pWnd->IsKindOf(RUNTIME_CLASS(CKdBmpButton)) &&
            (static_cast<CKdBmpButton*>(pWnd)->GetKind() & 0xF) == KIND_RADIO)
            ::PostMessageW(hWnd, WM_BMPBUTTON_UNCHECK, 0, 0);
    }
}
