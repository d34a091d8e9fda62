#include "CSoakHost.h"
#include <string>
#include "support/HostWindow.h"

namespace {

const wchar_t kHostClass[] = L"TavrinSoakHost";
const int kDrainLimit = 20000;        // messages handled by one Drain at most
const UINT kModalBreakMs = 300;

// A move loop ends when the button comes up and a menu on Escape or EndMenu;
// both loops keep dispatching this timer.
void CALLBACK ReleaseModalLoops(HWND, UINT, UINT_PTR, DWORD)
{
    if (HWND hCapture = GetCapture()) {
        PostMessageW(hCapture, WM_LBUTTONUP, 0, 0);
        PostMessageW(hCapture, WM_KEYDOWN, VK_ESCAPE, 0);
    }
    EndMenu();
}

} // namespace

CSoakHost::ModalLoopBreaker::ModalLoopBreaker() : m_nTimer(SetTimer(nullptr, 0, kModalBreakMs, ReleaseModalLoops))
{
}

CSoakHost::ModalLoopBreaker::~ModalLoopBreaker()
{
    KillTimer(nullptr, m_nTimer);
}

CSoakHost::CSoakHost() : m_hHost(CreateHostWindow(kHostClass, L"Soak host", {600, 40, 900, 240}))
{
}

CSoakHost::~CSoakHost()
{
    if (m_bLoaded)
        UnInitialize();
    DestroyWindow(m_hHost);
}

bool CSoakHost::Load(const CString& strModuleFolder, CString& strError)
{
    std::wstring strMessage;
    std::wstring strFolder = strModuleFolder.GetString();
    if (!strFolder.empty() && strFolder.back() == L'\\')
        strFolder.pop_back();
    if (!m_module.Load(strFolder, strMessage)) {
        strError = strMessage.c_str();
        return false;
    }
    m_bLoaded = true;
    m_module.Initialize(0);
    return true;
}

void CSoakHost::Beat()
{
    if (m_pHeartbeat)
        InterlockedIncrement(m_pHeartbeat);
}

void CSoakHost::Initialize()
{
    Beat();
    m_module.Initialize(0);
}

HWND CSoakHost::Enter(HWND hOwner)
{
    Beat();
    m_hPanel = nullptr;
    m_module.Enter(hOwner, &m_hPanel, 0);
    return m_hPanel;
}

void CSoakHost::UnInitialize()
{
    Beat();
    m_module.UnInitialize(0);
    m_hPanel = nullptr;
}

HWND CSoakHost::Panel() const
{
    return m_hPanel && IsWindow(m_hPanel) ? m_hPanel : nullptr;
}

bool CSoakHost::DispatchNext()
{
    Beat();
    MSG msg;
    if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        return false;
    if (!m_module.PreTranslate(&msg)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return true;
}

void CSoakHost::Drain()
{
    ModalLoopBreaker breaker;
    for (int i = 0; i < kDrainLimit && DispatchNext(); ++i) {
    }
}

void CSoakHost::Idle(DWORD nMs)
{
    ModalLoopBreaker breaker;
    DWORD dwStart = GetTickCount();
    while (GetTickCount() - dwStart < nMs) {
        if (!DispatchNext())
            MsgWaitForMultipleObjectsEx(0, nullptr, 10, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    }
}
