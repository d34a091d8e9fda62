// The replacement functions of the fault table: one per row, generated from
// the system function's own type so that the calling convention and the
// arguments stay the platform's. A call either fails with the row's failure
// (FaultValue) or goes on to the system's function.
#pragma once
#include <windows.h>
#include <errno.h>
#include <type_traits>
#include "CFaultInjector.h"

// What a failed call of the row returns, after setting its last error and errno.
template <class R>
R FaultValue(const FaultImport& row)
{
    if (row.dwLastError)
        SetLastError(row.dwLastError);
    if (row.nErrno)
        errno = row.nErrno;
    if constexpr (std::is_pointer_v<R>)
        return reinterpret_cast<R>(row.nFailValue);
    else
        return static_cast<R>(row.nFailValue);
}

template <size_t nRow, class F>
struct FaultHook;

// The system's WINAPI functions: the type is taken from decltype(&Function).
template <size_t nRow, class R, class... A>
struct FaultHook<nRow, R(WINAPI*)(A...)>
{
    static R WINAPI Call(A... args)
    {
        if (CFaultInjector::Fails(nRow, __builtin_return_address(0)))
            return FaultValue<R>(FaultImports()[nRow]);
        return reinterpret_cast<R(WINAPI*)(A...)>(CFaultInjector::Original(nRow))(args...);
    }
};

// The C run time's functions (__cdecl, which a template argument cannot
// carry): the result and argument types are given.
template <size_t nRow, class R, class... A>
struct CrtFaultHook
{
    static R __cdecl Call(A... args)
    {
        if (CFaultInjector::Fails(nRow, __builtin_return_address(0)))
            return FaultValue<R>(FaultImports()[nRow]);
        return reinterpret_cast<R(__cdecl*)(A...)>(CFaultInjector::Original(nRow))(args...);
    }
};
