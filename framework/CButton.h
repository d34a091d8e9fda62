// Button control, as MFC's CButton. An owner-drawn button draws in DrawItem,
// reached by reflection of the parent's WM_DRAWITEM.
#pragma once
#include "CWnd.h"

class CButton : public CWnd
{
    DECLARE_DYNAMIC(CButton)
public:
    CButton() = default;

    // A "BUTTON" child window (WS_CHILD added).
    BOOL Create(LPCWSTR lpszCaption, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    int GetCheck() const;
    void SetCheck(int nCheck);
    // The BS_ type bits of the style (low byte, as MFC).
    UINT GetButtonStyle() const;

    // Draws an owner-drawn button; a class that gives its buttons
    // BS_OWNERDRAW overrides it. The base draws nothing.
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);

    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
};
