// Starts a tool's command line as a new process.
#pragma once
#include "pellix/CCatalog.h"

class CToolLauncher
{
public:
    // Starts the tool in strFolder (the catalog's folder) without a console
    // window and without waiting for it. Returns 0 or a Windows error code.
    static DWORD Run(const CCatalog::Tool& tool, const CString& strFolder);
};
