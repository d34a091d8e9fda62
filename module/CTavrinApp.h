// The module's application object: starts the trace log when the module loads.
#pragma once
#include "framework/Afx.h"

class CTavrinApp : public CWinApp
{
public:
    CTavrinApp();
    ~CTavrinApp() override;

    BOOL InitInstance() override;

    DECLARE_MESSAGE_MAP()
};
