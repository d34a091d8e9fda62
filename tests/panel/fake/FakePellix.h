// The controls of the stand-in tool-service library (FakePellix.cpp), as the
// tests find them in the library that the module has loaded.
#pragma once
#include <windows.h>

// The library call from inside which the library calls back into the host.
enum class FakePxCall : int { None = 0, GetList, Refresh, RunTool };

extern "C" {
// The next lists: nTools records, the last one linking to record nLoopTo (-1: to none).
using FakePxSetToolsFn = void(__cdecl*)(int nTools, int nLoopTo);
// pfnCallBack runs once, inside the next call of that kind.
using FakePxCallBackFromFn = void(__cdecl*)(FakePxCall call, void (*pfnCallBack)());
// Tools started so far, and the identifier of the last one.
using FakePxStartCountFn = int(__cdecl*)();
using FakePxLastStartedFn = const wchar_t*(__cdecl*)();
}
