// The module's application object, as MFC's CWinApp with the parts of
// CWinThread the module uses. Constructing it makes it the application of the
// module state in effect (the binary's own state during static construction).
#pragma once
#include "CCmdTarget.h"

class CWinApp : public CCmdTarget
{
    DECLARE_DYNAMIC(CWinApp)
public:
    explicit CWinApp(LPCWSTR lpszAppName = nullptr);
    ~CWinApp() override;

    LPCWSTR m_pszAppName;

    // Runs when the module starts (AfxDllProcessAttach for a DLL); TRUE: go on.
    virtual BOOL InitInstance();
    // Runs when the module stops; the exit code.
    virtual int ExitInstance();
    // Offers the message to the PreTranslateMessage of each of the module's
    // window objects from the message's window up through its parents (and
    // owners); nonzero when one of them translated it. Messages of windows
    // outside the module and thread messages give 0.
    virtual BOOL PreTranslateMessage(MSG* pMsg);

    DECLARE_MESSAGE_MAP()
};
