// Skinned static text. Its look (the part of the parent dialog's background
// that lies under it, its own background image, its text in a GDI+ font) is
// composed once into m_pCache; paints only draw that bitmap. Every setter
// discards a composed picture and invalidates the label, so the next paint
// composes again. It can show a cursor of its own.
#pragma once
#include <memory>
#include "controls/GdipBitmap.h"
#include "framework/Afx.h"
#include "skin/CDpiScale.h"

class CLabel : public CStatic
{
    DECLARE_DYNCREATE(CLabel)
public:
    CLabel();
    ~CLabel() override;

    void SetText(const CString& strText);
    void SetFontName(const CString& strFontName);
    void SetFontSize(int nFontSize);
    void SetFontStyle(int nFontStyle);
    void SetTextFormat(int nAlign, int nLineAlign, int nTrimming);
    void SetTextColor(Gdiplus::ARGB clrText);
    // The parent's background image (borrowed; the parent keeps it alive).
    void SetParentBack(Gdip::Image* pParentBack);

    // The DPI the label draws at; set before the image and the cursor.
    void SetDpi(const CDpiScale& dpi) { m_dpi = dpi; }
    // Own background image from a file (an unreadable file leaves none);
    // 1, or 0 without a path.
    int SetImage(const wchar_t* pszPath);
    // Cursor shown over the label, from a cursor file; a file that cannot be
    // loaded leaves the default cursor handling.
    void SetLabelCursor(const wchar_t* pszPath);

    // Composes m_pCache for the client rectangle (origin 0, 0).
    void RenderCache(const CRect& rcClient);
    // Draws the composed look onto pDC, composing it first when needed.
    void DrawLabel(CDC* pDC);

protected:
    // void OnPaint()
    void OnPaint();
    // BOOL OnEraseBkgnd(CDC* pDC)
    BOOL OnEraseBkgnd(CDC* pDC);
    // BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
    BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);

    DECLARE_MESSAGE_MAP()

    CString m_strText;
    CString m_strFontName;
    Gdiplus::ARGB m_clrText = 0xFF000000;
    int m_nFontStyle = 0;
    int m_nFontSize = 12;
    int m_nAlign = 1;
    int m_nLineAlign = 1;
    int m_nTrimming = 1;
    CDpiScale m_dpi;
    std::unique_ptr<Gdip::Image> m_pImage;
    Gdip::Image* m_pParentBack = nullptr;
    std::unique_ptr<Gdip::Bitmap> m_pCache;
    CCursorOwner m_hCursor;

private:
    // Discards a composed picture and has the label painted again.
    void LookChanged();
    void DrawText(const CRect& rcClient);
};
