#include "controls/CKdBmpButtonRegin.h"

BEGIN_MESSAGE_MAP(CKdBmpButtonRegin, CKdBmpButton)
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONDBLCLK()
END_MESSAGE_MAP()

CKdBmpButtonRegin::~CKdBmpButtonRegin() = default;

void CKdBmpButtonRegin::OnMouseMove(UINT nFlags, CPoint point)
{
    if (!IsTransparentAt(point))
        CKdBmpButton::OnMouseMove(nFlags, point);
}

void CKdBmpButtonRegin::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (!IsTransparentAt(point))
        CKdBmpButton::OnLButtonDown(nFlags, point);
}

void CKdBmpButtonRegin::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    if (!IsTransparentAt(point))
        Default();
}

BOOL CKdBmpButtonRegin::IsTransparentAt(CPoint point) const
{
    // Without a picture, outside it (the mouse may be captured) or when the
    // read fails, the point counts as opaque and the message goes on.
    if (!m_pCache || point.x < 0 || point.y < 0 || point.x >= static_cast<int>(m_pCache->Width()) ||
        point.y >= static_cast<int>(m_pCache->Height()))
        return FALSE;
    Gdiplus::ARGB argb = 0xFF000000;
    if (m_pCache->GetPixel(point.x, point.y, argb) != Gdiplus::Ok)
        return FALSE;
    return (argb >> 24) == 0;
}
