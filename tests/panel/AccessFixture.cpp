#include "AccessFixture.h"

namespace {

// Key data of a press (repeat count 1 and the scan code) and of its release.
LPARAM KeyData(UINT nKey, bool bRelease)
{
    LPARAM lData = 1 | (static_cast<LPARAM>(MapVirtualKeyW(nKey, MAPVK_VK_TO_VSC)) << 16);
    return bRelease ? lData | 0xC0000000 : lData;
}

void SetShift(bool bDown)
{
    BYTE state[256] = {};
    GetKeyboardState(state);
    state[VK_SHIFT] = state[VK_LSHIFT] = bDown ? 0x80 : 0;
    SetKeyboardState(state);
}

} // namespace

AccessFixture::AccessFixture() : m_hrCom(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}

AccessFixture::~AccessFixture()
{
    m_host.Unload(); // the panel goes while COM still runs
    if (SUCCEEDED(m_hrCom))
        CoUninitialize();
}

void AccessFixture::PressKey(UINT nKey, bool bShift)
{
    HWND hTarget = GetFocus() ? GetFocus() : Panel();
    if (bShift)
        SetShift(true);
    PostMessageW(hTarget, WM_KEYDOWN, nKey, KeyData(nKey, false));
    PostMessageW(hTarget, WM_KEYUP, nKey, KeyData(nKey, true));
    m_host.PumpUntilIdle();
    if (bShift)
        SetShift(false);
}

void AccessFixture::Type(const wchar_t* pszText)
{
    HWND hTarget = GetFocus() ? GetFocus() : Panel();
    for (const wchar_t* p = pszText; *p; ++p)
        PostMessageW(hTarget, WM_CHAR, *p, 1);
    m_host.PumpUntilIdle();
}

LONG AccessFixture::FocusedChild() const
{
    PanelAccessible access(Panel());
    if (!access.Get())
        return -2;
    PanelAccessible::Target focus = access.Focus();
    return focus.kind == PanelAccessible::Target::kId ? focus.nId : -1;
}
