// Scroll-bar control, as MFC's CScrollBar: the type of the control argument of
// OnVScroll/OnHScroll (null when the message comes from a window's own bar).
#pragma once
#include "CWnd.h"

class CScrollBar : public CWnd
{
    DECLARE_DYNAMIC(CScrollBar)
public:
    CScrollBar() = default;
};
