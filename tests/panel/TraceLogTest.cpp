// The trace log beside the module: switched by the registry when the module
// is loaded, one line per tool record while the list is filled, and library
// texts written as they are, never read as a format.
#include "PanelFixture.h"

namespace {

using TraceLogTest = PanelFixture;

TEST_F(TraceLogTest, RegistrySwitchAtLoadDecidesWhetherGetPluginIsTraced)
{
    CString strIcon = m_catalog.Folder().File(L"alpha.png");
    WriteSolidPng(strIcon, 16, 16, 0xFF102030);
    m_catalog.Write({{L"Alpha", L"alpha", L"1.0", L"First tool", strIcon, true},
                     {L"Hidden", L"hidden", L"2.0", L"Not listed", CString(), false},
                     {L"100%s%n%d", L"fmt", L"3.0%x", L"d%s%n", L"missing%n.png", true}});
    std::vector<CString> fill = {
        L"Enter Fun GetPlugin",
        L"--ToolTipName is Alpha, Version is 1.0, Desc is First tool, Icon Path is " + strIcon,
        L"--ToolTipName is Hidden, Version is 2.0, Desc is Not listed, Icon Path is ",
        L"--ToolTipName is 100%s%n%d, Version is 3.0%x, Desc is d%s%n, Icon Path is " +
            m_catalog.Folder().File(L"missing%n.png"),
        L"Exit  Fun GetPlugin",
    };
    std::vector<CString> twoFills = fill;
    twoFills.insert(twoFills.end(), fill.begin(), fill.end());

    struct Case
    {
        bool bOnAtLoad;
        bool bOnAfterLoad;
        std::vector<CString> expected;
    };
    const Case cases[] = {{true, true, twoFills}, {false, false, {}}, {false, true, {}}, {true, false, twoFills}};
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "switch at load " << c.bOnAtLoad << ", after " << c.bOnAfterLoad);
        SwitchLogging(c.bOnAtLoad);
        // A fresh copy of the module: the switch is read when it is loaded.
        ModuleHost host;
        SkinWriter(host.Folder()).Write();
        ASSERT_TRUE(host.Load());
        SwitchLogging(c.bOnAfterLoad);
        ASSERT_TRUE(IsWindow(host.Enter()));
        host.PostToPanel(WM_USER + 3, 0, 0); // the library's "list refreshed": a second fill
        ASSERT_TRUE(IsWindow(host.Panel()));
        host.Unload();
        EXPECT_EQ(c.expected, LogMessages(host));
        EXPECT_EQ(c.bOnAtLoad, FileExists(host.ConfigFile(L"UILogTrace.txt")));
    }
}

} // namespace
