#include "CMessageStorm.h"
#include <cstdio>
#include "SoakExclusions.h"

namespace {

// Keys that dialogs and menus react to, and some that nothing should.
const std::vector<WPARAM> kKeys = {VK_RETURN, VK_ESCAPE, VK_TAB,  VK_SPACE, VK_MENU, VK_F10, VK_F4,
                                   VK_UP,     VK_DOWN,   VK_NEXT, VK_PRIOR, VK_HOME, VK_END, 'A',
                                   VK_APPS,   VK_DELETE, 0,       0xFF};
const std::vector<UINT> kKeyMessages = {WM_KEYDOWN, WM_KEYUP, WM_CHAR, WM_SYSKEYDOWN, WM_SYSKEYUP, WM_SYSCHAR};
const std::vector<UINT> kMouseMessages = {WM_MOUSEMOVE,   WM_MOUSEMOVE,  WM_MOUSEMOVE,   WM_LBUTTONDOWN,
                                          WM_LBUTTONUP,   WM_LBUTTONDBLCLK, WM_RBUTTONDOWN, WM_RBUTTONUP,
                                          WM_MBUTTONDOWN, WM_MOUSELEAVE, WM_MOUSEHOVER,  WM_NCMOUSEMOVE,
                                          WM_SETCURSOR,   WM_CAPTURECHANGED};
// Scroll codes SB_LINEUP to SB_ENDSCROLL, and a few that no scroll bar sends.
const std::vector<WORD> kScrollCodes = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 100, 0xFFFF};
const std::vector<short> kWheelDeltas = {120, -120, 240, -360, 1, -1, 0, 32767, -32768};
// Window commands that need no user afterwards. Moving and sizing would wait
// for the mouse, and a plain SC_KEYMENU for a key in the system's menu loop,
// as they do in any window with a system menu: no storm could end them.
const std::vector<WPARAM> kSysCommands = {SC_KEYMENU + 'f', SC_MINIMIZE, SC_RESTORE, SC_MAXIMIZE,
                                          SC_CLOSE, SC_CONTEXTHELP, 0xF1F0, 0};
const std::vector<UINT> kOtherMessages = {WM_PAINT,       WM_NCPAINT,     WM_ACTIVATE, WM_SETFOCUS, WM_KILLFOCUS,
                                          WM_CANCELMODE,  WM_ENABLE,      WM_SHOWWINDOW, WM_SIZE,   WM_MOVE,
                                          WM_GETDLGCODE,  WM_NEXTDLGCTL,  WM_THEMECHANGED, WM_SETTINGCHANGE,
                                          WM_DISPLAYCHANGE, WM_CTLCOLORSTATIC, WM_USER + 2,
                                          WM_USER + 3,    WM_USER + 4,    WM_USER + 0x100, DM_GETDEFID};

const char* ActionName(CMessageStorm::Action action)
{
    static const char* const kNames[] = {"post", "send", "pretranslate", "click", "double-click", "click-control",
                                         "re-enter", "uninitialise", "move", "idle"};
    return kNames[static_cast<int>(action)];
}

const char* TargetName(CMessageStorm::Target target)
{
    static const char* const kNames[] = {"panel", "control", "host", "none"};
    return kNames[static_cast<int>(target)];
}

} // namespace

CMessageStorm::CMessageStorm(CSoakRandom& random, int nSteps)
{
    for (int i = 0; i < nSteps; ++i)
        m_steps.push_back(PlanStep(random, false));
}

CMessageStorm CMessageStorm::Gentle(CSoakRandom& random, int nSteps)
{
    CMessageStorm storm;
    for (int i = 0; i < nSteps; ++i)
        storm.m_steps.push_back(storm.PlanStep(random, true));
    return storm;
}

LPARAM CMessageStorm::RandomPoint(CSoakRandom& random)
{
    // Mostly on the default panel (360 x 480), sometimes far outside it.
    int x = random.Percent(90) ? random.Between(-10, 380) : random.Between(-40000, 40000);
    int y = random.Percent(90) ? random.Between(-10, 500) : random.Between(-40000, 40000);
    return MAKELPARAM(x, y);
}

CMessageStorm::Step CMessageStorm::Message(CSoakRandom& random)
{
    Step step = {Action::Post, Target::Panel, 0, WM_NULL, 0, 0};
    int nRoll = random.Below(100);
    if (nRoll < 35) {
        step.uMsg = random.Pick(kMouseMessages);
        step.wParam = random.Percent(20) ? MK_LBUTTON : 0;
        step.lParam = RandomPoint(random);
    } else if (nRoll < 45) {
        step.uMsg = WM_MOUSEWHEEL;
        step.wParam = MAKEWPARAM(0, static_cast<WORD>(random.Pick(kWheelDeltas)));
        step.lParam = RandomPoint(random);
    } else if (nRoll < 60) {
        step.uMsg = random.Percent(90) ? WM_VSCROLL : WM_HSCROLL;
        step.wParam = MAKEWPARAM(random.Pick(kScrollCodes), static_cast<WORD>(random.Between(-100, 5000)));
    } else if (nRoll < 70) {
        step.uMsg = random.Pick(kKeyMessages);
        step.wParam = random.Pick(kKeys);
        step.lParam = random.Percent(50) ? 1 : 0x20000001;
    } else if (nRoll < 80) {
        // Commands: Enter, Escape, the skin's controls (from 256), and any other number.
        step.uMsg = WM_COMMAND;
        int nId = random.Percent(80) ? random.Pick(std::vector<int>{1, 2, 256, 257, 258, 259, 260, 261, 262, 270})
                                     : random.Between(0, 0xFFFF);
        step.wParam = MAKEWPARAM(nId, random.Percent(80) ? BN_CLICKED : random.Below(0x10000));
    } else if (nRoll < 85) {
        step.uMsg = WM_SYSCOMMAND;
        step.wParam = random.Pick(kSysCommands);
    } else if (nRoll < 88 && !SoakExclusions::kForeignItemClicks) {
        step.uMsg = WM_USER + 1;
        step.wParam = static_cast<WPARAM>(random.Next());
        step.lParam = random.Below(2);
    } else if (nRoll < 91 && !SoakExclusions::kNullContexts) {
        step.uMsg = WM_ERASEBKGND;
        step.wParam = static_cast<WPARAM>(random.Below(3));
    } else {
        step.uMsg = random.Pick(kOtherMessages);
        step.wParam = random.Percent(50) ? 0 : random.Below(3);
    }
    return step;
}

CMessageStorm::Step CMessageStorm::PlanStep(CSoakRandom& random, bool bGentle) const
{
    int nRoll = random.Below(100);
    if (!bGentle && nRoll < 3) {
        // Now and then an owner that is null or no window at all.
        WPARAM nOwner = SoakExclusions::kNullContexts || random.Percent(80) ? 0 : random.Between(1, 0x10000);
        return {Action::ReEnter, Target::None, 0, WM_NULL, nOwner, 0};
    }
    if (!bGentle && nRoll < 5)
        return {Action::UnInitialize, Target::None, 0, WM_NULL, 0, 0};
    if (nRoll < 7)
        return {Action::Idle, Target::None, 0, WM_NULL, static_cast<WPARAM>(random.Between(5, 60)), 0};
    if (nRoll < 10)
        return {Action::Move, Target::Panel, 0, WM_NULL, static_cast<WPARAM>(random.Below(4)), RandomPoint(random)};
    if (nRoll < 25)
        return {Action::Click, Target::Panel, 0, WM_LBUTTONDOWN, 0, RandomPoint(random)};
    if (nRoll < 30)
        return {Action::DoubleClick, Target::Panel, 0, WM_LBUTTONDOWN, 0, RandomPoint(random)};
    if (nRoll < 35)
        return {Action::ClickControl, Target::Control, random.Below(16), BM_CLICK, 0, 0};
    Step step = Message(random);
    int nHow = random.Below(100);
    step.action = nHow < 60 ? Action::Post : nHow < 85 ? Action::Send : Action::PreTranslate;
    int nWhere = random.Below(100);
    step.target = nWhere < 75 ? Target::Panel : nWhere < 90 ? Target::Control : nWhere < 97 ? Target::Host
                                                                                            : Target::None;
    step.nControl = random.Below(16);
    return step;
}

HWND CMessageStorm::TargetWindow(const CSoakHost& host, const Step& step)
{
    HWND hPanel = host.Panel();
    switch (step.target) {
    case Target::Panel: return hPanel;
    case Target::Host: return host.HostWindow();
    case Target::None: return nullptr;
    case Target::Control: break;
    }
    // The nControl-th child window of the panel, counting round.
    std::vector<HWND> children;
    for (HWND h = hPanel ? GetWindow(hPanel, GW_CHILD) : nullptr; h; h = GetWindow(h, GW_HWNDNEXT))
        children.push_back(h);
    return children.empty() ? hPanel : children[static_cast<size_t>(step.nControl) % children.size()];
}

void CMessageStorm::RunStep(CSoakHost& host, const Step& step)
{
    HWND hTarget = TargetWindow(host, step);
    switch (step.action) {
    case Action::ReEnter:
        host.Enter(step.wParam == 0 ? host.HostWindow() : reinterpret_cast<HWND>(step.wParam - 1));
        break;
    case Action::UnInitialize: host.UnInitialize(); break;
    case Action::Idle: host.Idle(static_cast<DWORD>(step.wParam)); return;
    case Action::Move:
        if (hTarget)
            SetWindowPos(hTarget, HWND_TOP, static_cast<short>(LOWORD(step.lParam)),
                         static_cast<short>(HIWORD(step.lParam)), 0, 0,
                         SWP_NOSIZE | SWP_NOACTIVATE | (step.wParam == 0 ? SWP_HIDEWINDOW : SWP_SHOWWINDOW));
        break;
    case Action::Click:
    case Action::DoubleClick:
        if (!hTarget)
            break;
        PostMessageW(hTarget, WM_MOUSEMOVE, 0, step.lParam);
        PostMessageW(hTarget, WM_LBUTTONDOWN, MK_LBUTTON, step.lParam);
        PostMessageW(hTarget, WM_LBUTTONUP, 0, step.lParam);
        if (step.action == Action::DoubleClick) {
            PostMessageW(hTarget, WM_LBUTTONDBLCLK, MK_LBUTTON, step.lParam);
            PostMessageW(hTarget, WM_LBUTTONUP, 0, step.lParam);
        }
        break;
    case Action::ClickControl:
        if (hTarget)
            PostMessageW(hTarget, BM_CLICK, 0, 0);
        break;
    case Action::Post:
        if (hTarget)
            PostMessageW(hTarget, step.uMsg, step.wParam, step.lParam);
        break;
    case Action::Send:
        if (hTarget)
            SendMessageW(hTarget, step.uMsg, step.wParam, step.lParam);
        break;
    case Action::PreTranslate: {
        MSG msg = {hTarget, step.uMsg, step.wParam, step.lParam, GetTickCount(), {0, 0}};
        host.PreTranslate(&msg);
        break;
    }
    }
    host.Drain();
}

void CMessageStorm::Run(CSoakHost& host) const
{
    // Sent messages run their modal loops before any Drain.
    CSoakHost::ModalLoopBreaker breaker;
    for (const Step& step : m_steps)
        RunStep(host, step);
}

std::string CMessageStorm::Describe(const Step& step)
{
    char szLine[160];
    snprintf(szLine, sizeof(szLine), "%s %s #%d msg 0x%04X wParam 0x%llX lParam 0x%llX", ActionName(step.action),
             TargetName(step.target), step.nControl, step.uMsg, static_cast<unsigned long long>(step.wParam),
             static_cast<unsigned long long>(step.lParam));
    return szLine;
}
