// Counts what a long-lived host process would see grow: GDI objects, user
// objects and committed private memory of this process.
//
// Wine answers 0 from GetGuiResources for both kinds, so there the objects
// are counted directly:
// - GDI objects: Wine's GDI handle table is indexed by the handle's low 16
//   bits and accepts a handle whose high 16 bits are 0 as any generation of
//   that slot, so GetObjectType over the values 1 to 0xFFFF finds every live
//   GDI object of the process once.
// - User objects: the process's windows (EnumWindows and EnumChildWindows,
//   with their thread's process checked), plus its icons and cursors and its
//   menus, found by GetIconInfo and IsMenu over the user handle values (0x20
//   to 0xFFFE in steps of 2, again with the high 16 bits 0).
// Memory is PROCESS_MEMORY_COUNTERS_EX.PrivateUsage, or PagefileUsage where
// PrivateUsage is 0 (Wine).
#pragma once
#include <windows.h>
#include <string>

struct ResourceCounts
{
    LONG nGdiObjects = 0;
    LONG nUserObjects = 0;
    LONGLONG nPrivateBytes = 0;
};

class CResourceMeter
{
public:
    static ResourceCounts Measure();
    // How the counts were taken, for the summary.
    static std::string Method();

private:
    static LONG ProbeGdiObjects();
    static LONG ProbeUserObjects();
    static LONGLONG PrivateBytes();
};
