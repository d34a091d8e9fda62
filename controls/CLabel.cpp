#include "controls/CLabel.h"
#include "controls/DrawHelpers.h"
#include "controls/GdipFont.h"
#include "controls/GdipGraphics.h"
#include "controls/GdipSolidBrush.h"
#include "controls/GdipTextFontFamily.h"
#include "controls/GdipStringFormat.h"
#include "controls/SkinImageFile.h"
#include "controls/WindowDpi.h"

IMPLEMENT_DYNCREATE(CLabel, CStatic)

BEGIN_MESSAGE_MAP(CLabel, CStatic)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_SETCURSOR()
END_MESSAGE_MAP()

CLabel::CLabel() = default;

CLabel::~CLabel() = default;

void CLabel::SetText(const CString& strText)
{
    m_strText = strText;
    LookChanged();
}

void CLabel::SetFontName(const CString& strFontName)
{
    m_strFontName = strFontName;
    LookChanged();
}

void CLabel::SetFontSize(int nFontSize)
{
    m_nFontSize = nFontSize;
    LookChanged();
}

void CLabel::SetFontStyle(int nFontStyle)
{
    m_nFontStyle = nFontStyle;
    LookChanged();
}

void CLabel::SetTextFormat(int nAlign, int nLineAlign, int nTrimming)
{
    m_nAlign = nAlign;
    m_nLineAlign = nLineAlign;
    m_nTrimming = nTrimming;
    LookChanged();
}

void CLabel::SetTextColor(Gdiplus::ARGB clrText)
{
    m_clrText = clrText;
    LookChanged();
}

void CLabel::SetParentBack(Gdip::Image* pParentBack)
{
    m_pParentBack = pParentBack;
    LookChanged();
}

void CLabel::LookChanged()
{
    if (!m_pCache)
        return;
    m_pCache.reset();
    Invalidate(TRUE);
}

int CLabel::SetImage(const wchar_t* pszPath)
{
    m_pImage.reset();
    m_pCache.reset();
    if (!pszPath)
        return 0;
    m_pImage = LoadSkinImage(pszPath, m_dpi, SkinImageFit::OwnSize());
    Invalidate(TRUE);
    return 1;
}

void CLabel::SetLabelCursor(const wchar_t* pszPath)
{
    // At 96 DPI the file's own size; otherwise the system's cursor size for the DPI.
    int cx = m_dpi.IsBase() ? 0 : SystemMetricForDpi(SM_CXCURSOR, m_dpi.Dpi());
    int cy = m_dpi.IsBase() ? 0 : SystemMetricForDpi(SM_CYCURSOR, m_dpi.Dpi());
    HANDLE hCursor = ::LoadImageW(nullptr, pszPath, IMAGE_CURSOR, cx, cy, LR_LOADFROMFILE);
    m_hCursor.Attach(static_cast<HCURSOR>(hCursor));
}

void CLabel::RenderCache(const CRect& rcClient)
{
    ResetBitmap(m_pCache, rcClient.Width(), rcClient.Height());
    CWnd* pParent = GetParent();
    if (m_pParentBack && pParent) {
        CRect rcWindow;
        GetWindowRect(&rcWindow);
        pParent->ScreenToClient(&rcWindow);
        DrawImagePart(m_pCache.get(), m_pParentBack, rcWindow);
    }
    if (m_pImage)
        DrawImagePart(m_pCache.get(), m_pImage.get(), rcClient);
    if (!m_strText.IsEmpty())
        DrawText(rcClient);
}

void CLabel::DrawText(const CRect& rcClient)
{
    Gdip::Graphics graphics(m_pCache.get());
    Gdip::TextFontFamily family(m_strFontName);
    Gdip::Font font(family, static_cast<Gdiplus::REAL>(m_nFontSize), m_nFontStyle, Gdiplus::UnitPixel);
    Gdip::StringFormat format(0, 0);
    format.SetAlignment(m_nAlign);
    format.SetLineAlignment(m_nLineAlign);
    format.SetTrimming(m_nTrimming);
    Gdip::SolidBrush brush(m_clrText);
    Gdiplus::RectF rcLayout(0, 0, static_cast<Gdiplus::REAL>(rcClient.Width()),
                            static_cast<Gdiplus::REAL>(rcClient.Height()));
    graphics.DrawString(m_strText, -1, font, rcLayout, format, brush);
}

void CLabel::DrawLabel(CDC* pDC)
{
    CRect rcClient;
    GetClientRect(&rcClient);
    if (!m_pCache)
        RenderCache(rcClient);
    if (!m_pCache)
        return;
    Gdip::Graphics graphics(pDC->GetSafeHdc());
    graphics.DrawImage(m_pCache.get(), Gdiplus::RectF(0, 0, static_cast<Gdiplus::REAL>(rcClient.Width()),
                                                      static_cast<Gdiplus::REAL>(rcClient.Height())));
}

void CLabel::OnPaint()
{
    CPaintDC dc(this);
    DrawLabel(&dc);
}

BOOL CLabel::OnEraseBkgnd(CDC* pDC)
{
    DrawLabel(pDC);
    return TRUE;
}

BOOL CLabel::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (!m_hCursor.IsValid())
        return static_cast<BOOL>(Default());
    ::SetCursor(m_hCursor);
    return FALSE;
}
