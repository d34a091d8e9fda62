// Dialog window, as MFC's CDialog (modeless use): created from a DIALOG or
// DIALOGEX template in the module's resources, linked to its object through
// the same creation path as any CWnd. WM_INITDIALOG calls OnInitDialog;
// Enter and Escape become WM_COMMAND IDOK / IDCANCEL through IsDialogMessage
// (PreTranslateMessage) and reach OnOK / OnCancel through OnCommand and the
// message map.
#pragma once
#include "CWnd.h"

class CDialog : public CWnd
{
    DECLARE_DYNAMIC(CDialog)
public:
    CDialog() = default;
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);

    // Creates the modeless dialog from template nIDTemplate found in
    // AfxGetResourceHandle(); pParentWnd null: the parent given to the constructor.
    BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    BOOL CreateIndirect(LPCDLGTEMPLATEW lpDialogTemplate, CWnd* pParentWnd, HINSTANCE hInst);

    // Called at WM_INITDIALOG; its result is WM_INITDIALOG's (TRUE: let the
    // system focus the first control).
    virtual BOOL OnInitDialog();
    // IDOK / IDCANCEL: EndDialog(IDOK / IDCANCEL).
    virtual void OnOK();
    virtual void OnCancel();
    // ::EndDialog: for a modeless dialog, hides it.
    void EndDialog(int nResult);

    // The parent's PreTranslateMessage, then keyboard and mouse input through
    // IsDialogMessage; TRUE when the dialog handled the message.
    BOOL PreTranslateMessage(MSG* pMsg) override;

    UINT m_nIDHelp = 0;
    CWnd* m_pParentWnd = nullptr;

protected:
    LRESULT HandleInitDialog(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()
};
