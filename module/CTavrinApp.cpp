#include "module/CTavrinApp.h"
#include "diag/CLogTrace.h"
#include "skin/ValueText.h"

namespace {
const DWORD kAllTraceLevels = 0xFFFFFFFF;
const DWORD kLogSizeLimit = 0xA00000; // 10 MiB, then the log starts over
}

BEGIN_MESSAGE_MAP(CTavrinApp, CWinApp)
END_MESSAGE_MAP()

CTavrinApp::CTavrinApp() : CWinApp(nullptr)
{
}

CTavrinApp::~CTavrinApp() = default;

BOOL CTavrinApp::InitInstance()
{
    CWinApp::InitInstance();
    CString strLogFile = GetLogFilePath(AfxGetModuleState()->m_hCurrentInstanceHandle);
    g_LogTrace.Init(strLogFile, kAllTraceLevels, kLogSizeLimit);
    return TRUE;
}
