// Answers of the panel's accessible objects: results written into the
// caller's outputs the way MSAA clients expect them.
#pragma once
#include <windows.h>
#include <oleacc.h>

// An output checked and cleared before an answer is written to it: E_POINTER
// for a null one, else S_OK with a null string or an empty VARIANT.
HRESULT ClearedOutput(BSTR* pbstr);
HRESULT ClearedOutput(VARIANT* pvar);
// A text result into a cleared output: S_FALSE and no string for an empty text.
HRESULT TextResult(const wchar_t* pszText, BSTR* pbstr);
HRESULT I4Result(LONG nValue, VARIANT* pvar);
// No such object: an empty VARIANT and S_FALSE.
HRESULT EmptyResult(VARIANT* pvar);
// The system's object for a window, as a VARIANT.
HRESULT WindowResult(HWND hWnd, VARIANT* pvar);
RECT ClientToScreenRect(HWND hWnd, RECT rc);
HRESULT LocationResult(const RECT& rc, LONG* pxLeft, LONG* pyTop, LONG* pcxWidth, LONG* pcyHeight);
