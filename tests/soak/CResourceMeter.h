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
//
// Wine's GDI+ leaks one memory DC for every text it lays out in a rectangle
// narrower than the text's first character (a skin may ask for that).
// TextLayoutLeaksDc tells whether this platform does; where it does, memory
// DCs are counted apart, so that the platform's leak can be told from ours.
#pragma once
#include <windows.h>
#include <map>
#include <string>

struct ResourceCounts
{
    LONG nGdiObjects = 0; // memory DCs included
    LONG nMemoryDcs = 0;  // counted only by the handle-table probe
    LONG nUserObjects = 0;
    LONGLONG nPrivateBytes = 0;
};

class CResourceMeter
{
public:
    static ResourceCounts Measure();
    // How the counts were taken, for the summary.
    static std::string Method();
    // What the objects are: GDI objects by type and the process's windows by
    // class, for finding what a growth consists of.
    static std::string Breakdown();
    // Lays out one text in a 1-pixel-wide rectangle through GDI+ and tells
    // whether that left a memory DC behind.
    static bool TextLayoutLeaksDc();

private:
    // Live GDI objects by GetObjectType, in one pass over the handle table.
    static std::map<DWORD, LONG> GdiObjectsByType();
    static LONG ProbeUserObjects();
    static LONGLONG PrivateBytes();
};
