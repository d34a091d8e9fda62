// The checker needs GDI+ and the XML library, as its program starts them.
#include "support/HostLikeEnvironment.h"

namespace {

::testing::Environment* const g_pHostEnvironment = ::testing::AddGlobalTestEnvironment(new HostLikeEnvironment);

} // namespace
