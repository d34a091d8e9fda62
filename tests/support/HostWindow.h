// The window that a test host gives the module as the panel's owner: a plain
// overlapped window of its own class, never shown.
#pragma once
#include <windows.h>

// Registers the class (once per name) and creates the window at rc (screen coordinates).
HWND CreateHostWindow(const wchar_t* pszClass, const wchar_t* pszTitle, const RECT& rc);
