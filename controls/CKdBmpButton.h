// Skinned owner-drawn button. One class serves as push button, check box and
// radio button; the kind comes from the button-type bits of the creation style.
// Its picture (the parent's background under it, a frame of the state strip,
// icon, text and focus frame) is composed off screen into m_pCache and reused
// by every paint until the look changes.
//
// Cache invariant: m_pCache is empty or the complete picture for
// (m_clrLast, m_nLastState, m_bLastFocus) at the current client size. Every
// change of an image, a text property, the size or the hover flag drops it;
// DrawItem drops it when the colour, frame index or focus flag it works out
// differs from the ones the picture was made with.
//
// State strip frames, side by side: push buttons have 4 frames of the button's
// own client size (normal, hover, pressed, disabled); check boxes and radio
// buttons have 8 frames of strip width / 8 (the same four unchecked, then
// checked), drawn at the left edge with the text to their right.
#pragma once
#include <memory>
#include "controls/GdipBitmap.h"
#include "framework/Afx.h"
#include "skin/CDpiScale.h"

namespace Gdip {
class Graphics;
}

// Posted between radio-kind bitmap buttons of one group: the receiver unchecks itself.
#define WM_BMPBUTTON_UNCHECK (WM_USER + 0x100)

class CKdBmpButton : public CButton
{
    DECLARE_DYNAMIC(CKdBmpButton)
public:
    // Kinds, from the creation style (see PreSubclassWindow).
    enum { KIND_PUSH = 0, KIND_CHECK = 2, KIND_RADIO = 4 };

    CKdBmpButton();
    ~CKdBmpButton() override;

    // The DPI the button draws at and its size in skin pixels, which the
    // state strip's frames are measured in; set before the images.
    void SetDpi(const CDpiScale& dpi, SIZE sizeSkin);
    // Loads the strip of state frames / the icon from an image file. A file
    // that cannot be loaded leaves the image empty. 0 only without a path.
    int SetStateImage(const wchar_t* pszPath);
    int SetIconImage(const wchar_t* pszPath);

    // Each setter stores its value and drops the composed picture.
    // SetText sets the drawn text only; the window text is the creator's.
    void SetText(const CString& strText);
    void SetFontName(const CString& strFontName);
    void SetFontSize(int nFontSize);
    void SetFontStyle(int nFontStyle);
    void SetTextFormat(int nAlign, int nLineAlign, int nTrimming);
    void SetTextColor(Gdiplus::ARGB clrText);
    void SetDisabledTextColor(Gdiplus::ARGB clrTextDisabled);
    void SetDrawFocus(BOOL bDrawFocus);
    // The slot holding the parent's background bitmap (borrowed): the button
    // copies whatever bitmap the slot holds at its next composition.
    void SetParentBackSlot(std::unique_ptr<Gdip::Bitmap>* ppParentBack);

    int GetKind() const { return m_nKind; }

    // Draws the composed picture (composing it first when needed) onto pDC.
    void PaintButton(CDC* pDC);

protected:
    void PreSubclassWindow() override;
    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;

    void ComposeImage(const CRect& rcClient);
    void DrawContent(Gdiplus::ARGB clrText);
    // Bounding box of the text laid out in rc (near alignment); rc receives it.
    void MeasureText(const CString& strText, CRect& rc);

    void DropCache() { m_pCache.reset(); }

    // UINT OnGetDlgCode()
    UINT OnGetDlgCode();
    // void OnMouseMove(UINT nFlags, CPoint point)
    void OnMouseMove(UINT nFlags, CPoint point);
    // BOOL OnEraseBkgnd(CDC* pDC)
    BOOL OnEraseBkgnd(CDC* pDC);
    // void OnSize(UINT nType, int cx, int cy)
    void OnSize(UINT nType, int cx, int cy);
    // void OnLButtonUp(UINT nFlags, CPoint point)
    void OnLButtonUp(UINT nFlags, CPoint point);
    // void OnLButtonDown(UINT nFlags, CPoint point)
    void OnLButtonDown(UINT nFlags, CPoint point);
    // void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags)
    void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
    // void OnMouseLeave()
    void OnMouseLeave();
    // LRESULT OnSetStyle(WPARAM style, LPARAM redraw)
    LRESULT OnSetStyle(WPARAM wParam, LPARAM lParam);
    // LRESULT OnSetCheck(WPARAM checked, LPARAM unused)
    LRESULT OnSetCheck(WPARAM wParam, LPARAM lParam);
    // LRESULT OnGetCheck(WPARAM unused, LPARAM unused)
    LRESULT OnGetCheck(WPARAM wParam, LPARAM lParam);
    // LRESULT OnUncheck(WPARAM unused, LPARAM unused)
    LRESULT OnUncheck(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()

    CString m_strText;
    CString m_strFontName;
    Gdiplus::ARGB m_clrText = 0xFF000000;
    Gdiplus::ARGB m_clrTextDisabled = 0xFF000000;
    int m_nFontSize = 12;
    int m_nFontStyle = 0;
    int m_nAlign = 1;
    int m_nLineAlign = 1;
    int m_nTrimming = 1;
    std::unique_ptr<Gdip::Image> m_pStateImage;
    std::unique_ptr<Gdip::Image> m_pIconImage;
    std::unique_ptr<Gdip::Bitmap>* m_ppParentBack = nullptr;
    std::unique_ptr<Gdip::Bitmap> m_pCache;
    Gdiplus::ARGB m_clrLast = 0xFF000000;
    int m_nLastState = 0;
    BOOL m_bHover = FALSE;
    BOOL m_bDrawFocus = FALSE;
    BOOL m_bLastFocus = TRUE;
    int m_nKind = KIND_PUSH;
    CDpiScale m_dpi;
    SIZE m_sizeSkin = {0, 0};
    BOOL m_bChecked = FALSE;
    BOOL m_bMouseDown = FALSE;

private:
    int StateFrameWidth() const;
    // Push button with an icon: the icon's top-left; rcText gets the text's
    // rectangle when there is text beside the icon.
    CPoint PlaceIcon(const CRect& rcClient, CRect& rcText);
    void DrawText(Gdip::Graphics& graphics, const CRect& rcText, Gdiplus::ARGB clrText);
    void ToggleCheck();
    void UncheckRadioSiblings();
};
