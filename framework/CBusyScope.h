// Marks the code of this module's windows as running on the calling thread.
// A host may call back into the module from inside a call that a panel is
// making (a tool started by a click, a list fetched while a message is being
// handled), and ask there for the panel to go away. The panel's window can go
// at once, but its object, and the libraries its code uses, must stay until
// that code has returned, as window frameworks defer "delete this" to the
// last message.
//
// Every message of a window of this module is handled inside a scope
// (AfxWndProc), and so is any export that runs a window's code. Work handed
// to RunWhenIdle runs at once when no scope is open on the thread, else when
// the outermost scope ends, in the order in which it was handed over.
#pragma once
#include <functional>

class CBusyScope
{
public:
    CBusyScope();
    ~CBusyScope();
    CBusyScope(const CBusyScope&) = delete;
    CBusyScope& operator=(const CBusyScope&) = delete;

    static bool IsBusy();
    // The action must not throw; if it does, the exception is dropped.
    static void RunWhenIdle(std::function<void()> action);

private:
    static void RunQueued();
};
