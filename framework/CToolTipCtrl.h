// Tooltip control, as MFC's CToolTipCtrl. Tools are not subclassed: the owner
// relays mouse messages with RelayEvent (from its PreTranslateMessage).
// TOOLINFO records are sent in the size that comctl32 5 and 6 both accept.
#pragma once
#include "CWnd.h"
#include <commctrl.h>

class CToolTipCtrl : public CWnd
{
    DECLARE_DYNAMIC(CToolTipCtrl)
public:
    CToolTipCtrl() = default;

    // A TOOLTIPS_CLASS popup (WS_POPUP | dwStyle) owned by pParentWnd.
    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = 0);

    // Without rectangle and identifier the tool is pWnd's whole window
    // (TTF_IDISHWND, identified by its handle, reported to pWnd's parent);
    // otherwise the rectangle lpRectTool of pWnd's client area, identified by nIDTool.
    BOOL AddTool(CWnd* pWnd, LPCWSTR lpszText, LPCRECT lpRectTool = nullptr, UINT_PTR nIDTool = 0);
    void UpdateTipText(LPCWSTR lpszText, CWnd* pWnd, UINT_PTR nIDTool = 0);
    // Whether the tooltip knows the tool (named as for AddTool), and its removal.
    BOOL HasTool(CWnd* pWnd, UINT_PTR nIDTool = 0) const;
    void DelTool(CWnd* pWnd, UINT_PTR nIDTool = 0);
    void RelayEvent(LPMSG lpMsg);
    void Activate(BOOL bActivate);
    int SetMaxTipWidth(int iWidth);

private:
    // The tool's identity in MFC's convention (see AddTool).
    static TOOLINFOW MakeToolInfo(CWnd* pWnd, UINT_PTR nIDTool);
};
