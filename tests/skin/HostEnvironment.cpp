// The test program plays the host: it starts GDI+ and the XML library once for
// all tests, as the module itself never does.
#include "support/HostLikeEnvironment.h"

namespace {

::testing::Environment* const g_pHostEnvironment = ::testing::AddGlobalTestEnvironment(new HostLikeEnvironment);

} // namespace
