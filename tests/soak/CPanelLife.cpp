#include "CPanelLife.h"
#include "panel/CToolMgrDlg.h"
#include "support/WindowPixels.h"

namespace {

// The centre of the default skin's first tool, in the panel's client area.
const POINT kFirstTool = {50, 110};
const POINT kPanelAt = {40, 40};
const WORD kScaledDpi = 144;

BOOL CALLBACK CountWindow(HWND, LPARAM lParam)
{
    ++*reinterpret_cast<int*>(lParam);
    return TRUE;
}

LPARAM ClientPoint(POINT pt)
{
    return MAKELPARAM(pt.x, pt.y);
}

LPARAM ScreenPoint(HWND hWnd, POINT pt)
{
    ClientToScreen(hWnd, &pt);
    return MAKELPARAM(pt.x, pt.y);
}

} // namespace

int CPanelLife::ThreadWindows()
{
    int nWindows = 0;
    EnumThreadWindows(GetCurrentThreadId(), CountWindow, reinterpret_cast<LPARAM>(&nWindows));
    return nWindows;
}

CPanelLife::Outcome CPanelLife::Run(CSoakHost& host, bool bCapture)
{
    Outcome outcome;
    int nWindowsBefore = ThreadWindows();
    host.Initialize();
    HWND hPanel = host.Enter(host.HostWindow());
    outcome.bPanel = hPanel != nullptr;
    if (hPanel) {
        Show(hPanel);
        host.Drain();
        if (bCapture)
            Capture(hPanel, outcome);
        Use(hPanel);
        host.Drain();
    } else {
        host.Drain();
        outcome.bWindowLeft = ThreadWindows() != nWindowsBefore;
    }
    host.UnInitialize();
    host.Drain();
    return outcome;
}

void CPanelLife::Show(HWND hPanel)
{
    SetWindowPos(hPanel, HWND_TOP, kPanelAt.x, kPanelAt.y, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW | SWP_NOACTIVATE);
    UpdateWindow(hPanel);
}

void CPanelLife::Use(HWND hPanel)
{
    PostMessageW(hPanel, WM_MOUSEMOVE, 0, ClientPoint(kFirstTool));
    PostMessageW(hPanel, WM_MOUSEHOVER, 0, ClientPoint(kFirstTool));
    SendMessageW(hPanel, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), ScreenPoint(hPanel, kFirstTool));
    // The suggested rectangle of a move to a 150% display: the window's, scaled.
    RECT rc = {};
    GetWindowRect(hPanel, &rc);
    RECT rcSuggested = {rc.left, rc.top, rc.left + (rc.right - rc.left) * 3 / 2, rc.top + (rc.bottom - rc.top) * 3 / 2};
    SendMessageW(hPanel, WM_DPICHANGED, MAKEWPARAM(kScaledDpi, kScaledDpi), reinterpret_cast<LPARAM>(&rcSuggested));
    PostMessageW(hPanel, WM_LBUTTONDOWN, MK_LBUTTON, ClientPoint(kFirstTool));
    PostMessageW(hPanel, WM_LBUTTONUP, 0, ClientPoint(kFirstTool));
    PostMessageW(hPanel, WM_TOOLLIST_UPDATED, 0, 0);
}

void CPanelLife::Capture(HWND hPanel, Outcome& outcome)
{
    WindowPixels pixels(hPanel);
    RECT rc = {};
    GetClientRect(hPanel, &rc);
    outcome.nWidth = rc.right;
    outcome.nHeight = rc.bottom;
    for (int y = 0; y < rc.bottom; ++y)
        for (int x = 0; x < rc.right; ++x)
            outcome.pixels.push_back(pixels.At(x, y));
}
