// Bitmap button whose mouse area is the visible part of its picture: moves
// and presses (the second press of a double click too) over fully
// transparent pixels of the composed picture are dropped, so a round or
// irregular skin image clicks only where it shows.
// It has no run-time class of its own and answers as a CKdBmpButton.
#pragma once
#include "controls/CKdBmpButton.h"

class CKdBmpButtonRegin : public CKdBmpButton
{
public:
    CKdBmpButtonRegin() = default;
    ~CKdBmpButtonRegin() override;

protected:
    // void OnMouseMove(UINT nFlags, CPoint point)
    void OnMouseMove(UINT nFlags, CPoint point);
    // void OnLButtonDown(UINT nFlags, CPoint point)
    void OnLButtonDown(UINT nFlags, CPoint point);
    // void OnLButtonDblClk(UINT nFlags, CPoint point)
    void OnLButtonDblClk(UINT nFlags, CPoint point);

    DECLARE_MESSAGE_MAP()

private:
    // TRUE when the composed picture is fully transparent at the client point.
    BOOL IsTransparentAt(CPoint point) const;
};
