// Shared pieces of the framework tests.
#pragma once
#include "framework/Afx.h"
#include <vector>

// One message as the recording window class's procedure received it.
struct SuperCall
{
    HWND hWnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

// Messages received by the recording class's procedure, oldest first.
extern std::vector<SuperCall> g_superCalls;

// Message for which the recording procedure answers kRecordingAnswer.
const UINT kAskRecordingProc = WM_USER + 5;
const LRESULT kRecordingAnswer = 777;

// A window class whose procedure records every message in g_superCalls and
// then does the default processing: it stands for a window's own procedure
// behind the framework's subclassing.
LPCWSTR RecordingClassName();

// The recorded messages of one kind sent to one window.
std::vector<SuperCall> SuperCallsOf(HWND hWnd, UINT message);

// Dispatches the thread's pending messages.
void PumpMessages();
