// The 32-bit module on a 64-bit Windows reads HKLM\SOFTWARE through the
// 32-bit registry view (HKLM\SOFTWARE\WOW6432Node): a switch written only
// there turns the trace log on, one written only in the 64-bit view does not.
#include <windows.h>
#include <memory>
#include <gtest/gtest.h>
#include "panel/ModuleHost.h"
#include "support/CRegistryValueScope.h"

namespace {

struct Switch
{
    const wchar_t* pszKey;
    const wchar_t* pszValue;
};
const Switch kSwitches[] = {{L"SOFTWARE\\brelwick\\Quenda3.0", L"Debug"}, {L"SOFTWARE", L"MorvelDebugFlag"}};

struct ViewCase
{
    const char* pszWhat;
    REGSAM samOn;  // the view that holds the switch
    REGSAM samOff; // the view where it is removed
    bool bLogged;
};

TEST(RegistryView, SwitchesAreReadInTheThirtyTwoBitView)
{
    const ViewCase cases[] = {
        {"32-bit view only", KEY_WOW64_32KEY, KEY_WOW64_64KEY, true},
        {"64-bit view only", KEY_WOW64_64KEY, KEY_WOW64_32KEY, false},
    };
    for (const Switch& sw : kSwitches) {
        for (const ViewCase& c : cases) {
            SCOPED_TRACE(CString(sw.pszValue).ToAnsi() + ", " + c.pszWhat);
            // Only this switch, only in this view; every other place is cleared.
            std::vector<std::unique_ptr<CRegistryValueScope>> scopes;
            for (const Switch& other : kSwitches) {
                for (REGSAM sam : {c.samOn, c.samOff}) {
                    bool bOn = &other == &sw && sam == c.samOn;
                    scopes.push_back(std::make_unique<CRegistryValueScope>(sam, other.pszKey, other.pszValue,
                                                                           bOn ? L"1" : nullptr));
                }
            }
            ModuleHost host;
            ASSERT_TRUE(host.Load());
            ASSERT_NE(nullptr, host.Enter());
            host.Unload();
            bool bLogged = GetFileAttributesW(host.ConfigFile(L"UILogTrace.txt")) != INVALID_FILE_ATTRIBUTES;
            EXPECT_EQ(c.bLogged, bLogged);
        }
    }
}

} // namespace
