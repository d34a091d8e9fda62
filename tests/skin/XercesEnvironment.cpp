// The test program plays the host: it initialises the XML library once for all
// tests, as the module itself never does.
#include <gtest/gtest.h>
#include <xercesc/util/PlatformUtils.hpp>

namespace {

class XercesEnvironment : public ::testing::Environment
{
public:
    void SetUp() override { xercesc::XMLPlatformUtils::Initialize(); }
    void TearDown() override { xercesc::XMLPlatformUtils::Terminate(); }
};

::testing::Environment* const g_pXerces = ::testing::AddGlobalTestEnvironment(new XercesEnvironment);

} // namespace
