// The DPI at which a window is drawn, and system metrics at a DPI. The
// per-monitor functions of user32 are resolved at run time, so the module
// still loads where they do not exist; there the process's own awareness
// decides: a DPI-aware process draws at the screen's DPI, any other at 96.
#pragma once
#include <windows.h>

// GetDpiForWindow, else LOGPIXELSX of the screen for an aware process, else 96.
int WindowDpi(HWND hWnd);
// GetSystemMetricsForDpi, else GetSystemMetrics (the same value at 96 DPI).
int SystemMetricForDpi(int nIndex, int nDpi);
