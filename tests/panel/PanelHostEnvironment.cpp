// The test program is the host: it starts GDI+ and the XML library once, as
// the module itself never does, and keeps the real mouse pointer away from
// the panels so that only the messages the tests post move over them.
#include "support/HostLikeEnvironment.h"

namespace {

class PanelHostEnvironment : public HostLikeEnvironment
{
public:
    void SetUp() override
    {
        HostLikeEnvironment::SetUp();
        SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 2, GetSystemMetrics(SM_CYSCREEN) - 2);
    }
};

::testing::Environment* const g_pHostEnvironment = ::testing::AddGlobalTestEnvironment(new PanelHostEnvironment);

} // namespace
