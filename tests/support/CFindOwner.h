// A FindFirstFileW search, closed when the owner goes away.
#pragma once
#include <windows.h>
#include "framework/CHandleOwner.h"

struct FindTraits
{
    using Handle = HANDLE;
    static HANDLE Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(HANDLE h) { ::FindClose(h); }
};
using CFindOwner = CHandleOwner<FindTraits>;
