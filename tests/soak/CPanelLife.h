// One scripted life of the panel, the same every time, as a host lives it:
// QmUIFunInitialize, QmUIFunEnter, show, hover over the first tool, a wheel
// turn, a display-scale change to 144 dots per inch, a click on the first
// tool, the tool-service library's refresh message, QmUIFunUnInitialize.
// The failure sweep runs it with one call failing, and again clean.
#pragma once
#include <windows.h>
#include <vector>
#include "CSoakHost.h"

class CPanelLife
{
public:
    struct Outcome
    {
        bool bPanel = false;        // QmUIFunEnter gave a panel window
        bool bWindowLeft = false;   // it gave none, but a window of it stayed
        std::vector<DWORD> pixels;  // the shown panel's client area, when asked for
        int nWidth = 0;
        int nHeight = 0;
    };

    // bCapture: the panel's pixels are taken once it is shown and painted.
    static Outcome Run(CSoakHost& host, bool bCapture);

private:
    static void Show(HWND hPanel);
    static void Use(HWND hPanel);
    static void Capture(HWND hPanel, Outcome& outcome);
    static int ThreadWindows();
};
