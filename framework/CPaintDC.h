// The DC of a WM_PAINT handler, as MFC's CPaintDC: BeginPaint on
// construction, EndPaint on destruction.
#pragma once
#include "CDC.h"

class CWnd;

class CPaintDC : public CDC
{
    DECLARE_DYNAMIC(CPaintDC)
public:
    explicit CPaintDC(CWnd* pWnd);
    ~CPaintDC() override;

    PAINTSTRUCT m_ps;

protected:
    HWND m_hWnd;
};
