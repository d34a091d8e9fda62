// What a fault child tells its driver (part of SoakStatusBlock): which point
// of its list is running, so that a crash or hang is put on that point, how
// many calls each import made in one panel life, and what it found.
#pragma once
#include <windows.h>

const int kMaxFaultRows = 64;

struct FaultStatus
{
    volatile LONG nPoint;        // index in the child's list of the point running, -1 between points
    volatile LONG nPointCall;    // the call that point fails
    volatile LONG bPointOnwards; // the point fails every call from nPointCall on
    volatile LONG nPointSite;    // the point's regression (FaultRegressions), -1 for none
    volatile LONG nPointsDone;   // points this child finished
    volatile LONG nPointsFailing; // of them, points whose life did make the call that they fail
    volatile LONG nPointsListed; // points in this child's list, resumed points included
    volatile LONG bCounted;      // anCalls is set
    volatile LONG nLeaks;        // points after which resources were not back at the baseline
    volatile LONG nWrongPanels;  // points after which the next clean panel looked wrong
    volatile LONG nBrokenEntries; // QmUIFunEnter gave no panel but left a window behind
    volatile LONG nMissingSites; // regressions whose call site is not in the module
    volatile LONG anCalls[kMaxFaultRows]; // calls of each fault row in one panel life
    volatile LONG abImported[kMaxFaultRows]; // the module imports the row's function
};
