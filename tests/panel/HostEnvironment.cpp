// The test program is the host: it starts GDI+ and the XML library once, as
// the module itself never does, and keeps the real mouse pointer away from
// the panels so that only the messages the tests post move over them.
#include <windows.h>
#include <gdiplus.h>
#include <gtest/gtest.h>
#include <xercesc/util/PlatformUtils.hpp>

namespace {

class HostEnvironment : public ::testing::Environment
{
public:
    void SetUp() override
    {
        Gdiplus::GdiplusStartupInput input;
        ASSERT_EQ(Gdiplus::Ok, Gdiplus::GdiplusStartup(&m_token, &input, nullptr));
        xercesc::XMLPlatformUtils::Initialize();
        SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 2, GetSystemMetrics(SM_CYSCREEN) - 2);
    }
    void TearDown() override
    {
        xercesc::XMLPlatformUtils::Terminate();
        Gdiplus::GdiplusShutdown(m_token);
    }

private:
    ULONG_PTR m_token = 0;
};

::testing::Environment* const g_pHostEnvironment = ::testing::AddGlobalTestEnvironment(new HostEnvironment);

} // namespace
