// The libraries the module's panels need, started by the module itself so that
// a host has nothing to prepare: its own static copy of Xerces-C and a GDI+
// start-up of its own (GDI+ counts nested start-ups, so a host that started
// GDI+ too is unaffected). Both start on the first QmUIFunEnter and stop in
// QmUIFunUnInitialize once the panel is gone; never in DllMain, where neither
// library may be started or stopped.
#pragma once
#include <windows.h>

class CModuleRuntime
{
public:
    CModuleRuntime() = default;
    CModuleRuntime(const CModuleRuntime&) = delete;
    CModuleRuntime& operator=(const CModuleRuntime&) = delete;
    ~CModuleRuntime() = default; // at unload it is too late to stop either library

    // Starts whatever is not started yet; true when both are running.
    bool Start();
    // Stops both, in reverse order; does nothing when nothing was started.
    void Stop();

private:
    bool m_bXmlStarted = false;
    ULONG_PTR m_gdiplusToken = 0;
};
