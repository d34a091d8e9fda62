#include "HostLikeEnvironment.h"
#include <gdiplus.h>
#include <xercesc/util/PlatformUtils.hpp>

void HostLikeEnvironment::SetUp()
{
    Gdiplus::GdiplusStartupInput input;
    ASSERT_EQ(Gdiplus::Ok, Gdiplus::GdiplusStartup(&m_token, &input, nullptr));
    xercesc::XMLPlatformUtils::Initialize();
}

void HostLikeEnvironment::TearDown()
{
    xercesc::XMLPlatformUtils::Terminate();
    Gdiplus::GdiplusShutdown(m_token);
}
