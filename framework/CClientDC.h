// The client-area DC of a window, as MFC's CClientDC: GetDC on construction,
// ReleaseDC on destruction. A null window gives the screen's DC.
#pragma once
#include "CDC.h"

class CWnd;

class CClientDC : public CDC
{
    DECLARE_DYNAMIC(CClientDC)
public:
    explicit CClientDC(CWnd* pWnd);
    ~CClientDC() override;

protected:
    HWND m_hWnd;
};
