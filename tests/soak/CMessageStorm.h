// A storm of messages for the panel, planned from the case's random numbers
// before it runs (so a saved case lists it): mouse movement, clicks and double
// clicks, wheel turns, scroll codes, keys, commands, refresh requests and
// repaints, posted or sent to the panel, its controls or the host, or handed
// straight to DllPreTranslateMessage; and between them the host re-entering
// (QmUIFunEnter) or uninitialising the module.
#pragma once
#include <windows.h>
#include <string>
#include <vector>
#include "CSoakHost.h"
#include "CSoakRandom.h"

class CMessageStorm
{
public:
    enum class Action { Post, Send, PreTranslate, Click, DoubleClick, ClickControl, ReEnter, UnInitialize, Move, Idle };
    enum class Target { Panel, Control, Host, None };

    struct Step
    {
        Action action;
        Target target;
        int nControl; // which of the panel's child windows, for Target::Control
        UINT uMsg;
        WPARAM wParam;
        LPARAM lParam;
    };

    CMessageStorm() = default;
    // Plans nSteps steps from the random numbers.
    CMessageStorm(CSoakRandom& random, int nSteps);
    // A storm of ordinary use only: no re-entering or uninitialising.
    static CMessageStorm Gentle(CSoakRandom& random, int nSteps);

    // Runs the steps against the host's panel; a step that needs the panel
    // while there is none does nothing.
    void Run(CSoakHost& host) const;

    const std::vector<Step>& Steps() const { return m_steps; }
    static std::string Describe(const Step& step);

private:
    Step PlanStep(CSoakRandom& random, bool bGentle) const;
    static Step Message(CSoakRandom& random);
    static LPARAM RandomPoint(CSoakRandom& random);
    static HWND TargetWindow(const CSoakHost& host, const Step& step);
    static void RunStep(CSoakHost& host, const Step& step);

    std::vector<Step> m_steps;
};
