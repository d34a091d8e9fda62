#include "module/CModuleRuntime.h"
#include <gdiplus.h>
#include <xercesc/util/PlatformUtils.hpp>
#include <xercesc/util/XMLException.hpp>
#include <xercesc/util/OutOfMemoryException.hpp>
#include <xercesc/util/PanicHandler.hpp>
#include <xercesc/util/XMLUni.hpp>
#include "diag/CLogTrace.h"
#include "module/CXmlMemoryManager.h"

namespace {
const DWORD kTraceLevel = 4;

// The library's panics (a start that failed for want of memory among them)
// would end the host's process; they end the start instead.
class CXmlPanicThrows : public xercesc::PanicHandler
{
public:
    void panic(const PanicReasons) override { throw xercesc::OutOfMemoryException(); }
};
CXmlPanicThrows g_xmlPanic;

bool StartXml()
{
    try {
        g_xmlMemory.OpenReserve();
        xercesc::XMLPlatformUtils::Initialize(xercesc::XMLUni::fgXercescDefaultLocale, nullptr, &g_xmlPanic,
                                              &g_xmlMemory);
        g_xmlMemory.CloseReserve();
        return true;
    } catch (...) {
        g_xmlMemory.CloseReserve();
        return false;
    }
}
}

bool CModuleRuntime::Start()
{
    if (!m_bXmlStarted) {
        m_bXmlStarted = StartXml();
        if (!m_bXmlStarted)
            g_LogTrace.Trace(kTraceLevel, L"%s", L"The XML library failed to start");
    }
    if (!m_gdiplusToken) {
        Gdiplus::GdiplusStartupInput input;
        ULONG_PTR token = 0;
        Gdiplus::Status status = Gdiplus::GdiplusStartup(&token, &input, nullptr);
        m_gdiplusToken = status == Gdiplus::Ok ? token : 0;
        if (!m_gdiplusToken)
            g_LogTrace.Trace(kTraceLevel, L"GDI+ failed to start, status %d", static_cast<int>(status));
    }
    return m_bXmlStarted && m_gdiplusToken;
}

void CModuleRuntime::Stop()
{
    if (m_gdiplusToken) {
        Gdiplus::GdiplusShutdown(m_gdiplusToken);
        m_gdiplusToken = 0;
    }
    if (m_bXmlStarted) {
        g_xmlMemory.OpenReserve();
        xercesc::XMLPlatformUtils::Terminate();
        g_xmlMemory.CloseReserve();
        g_xmlMemory.ReleaseReserve();
        m_bXmlStarted = false;
    }
}
