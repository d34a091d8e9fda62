#include "module/CModuleRuntime.h"
#include <gdiplus.h>
#include <xercesc/util/PlatformUtils.hpp>
#include <xercesc/util/XMLException.hpp>
#include "diag/CLogTrace.h"

namespace {
const DWORD kTraceLevel = 4;

bool StartXml()
{
    try {
        xercesc::XMLPlatformUtils::Initialize();
        return true;
    } catch (...) {
        return false;
    }
}
}

bool CModuleRuntime::Start()
{
    if (!m_bXmlStarted) {
        m_bXmlStarted = StartXml();
        g_LogTrace.Trace(kTraceLevel, L"XML library %s", m_bXmlStarted ? L"started" : L"failed to start");
    }
    if (!m_gdiplusToken) {
        Gdiplus::GdiplusStartupInput input;
        ULONG_PTR token = 0;
        Gdiplus::Status status = Gdiplus::GdiplusStartup(&token, &input, nullptr);
        m_gdiplusToken = status == Gdiplus::Ok ? token : 0;
        g_LogTrace.Trace(kTraceLevel, L"GDI+ %s", m_gdiplusToken ? L"started" : L"failed to start");
    }
    return m_bXmlStarted && m_gdiplusToken;
}

void CModuleRuntime::Stop()
{
    if (m_gdiplusToken) {
        Gdiplus::GdiplusShutdown(m_gdiplusToken);
        m_gdiplusToken = 0;
        g_LogTrace.Trace(kTraceLevel, L"%s", L"GDI+ shut down");
    }
    if (m_bXmlStarted) {
        xercesc::XMLPlatformUtils::Terminate();
        m_bXmlStarted = false;
        g_LogTrace.Trace(kTraceLevel, L"%s", L"XML library stopped");
    }
}
