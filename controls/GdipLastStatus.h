// Common part of the GDI+ owner objects: the status of the last failed call,
// kept the way GDI+'s own classes keep it. Nothing is thrown or reported; a
// caller that cares reads the status back.
#pragma once
#include <windows.h>
#include <gdiplus.h>

namespace Gdip {

using Gdiplus::Status;

class LastStatus
{
public:
    // The status of the last failed call (Ok when none failed since the last
    // read); reading it resets it to Ok, as GDI+'s GetLastStatus does.
    Status GetLastStatus() const
    {
        Status status = m_lastStatus;
        m_lastStatus = Gdiplus::Ok;
        return status;
    }

protected:
    LastStatus() = default;
    ~LastStatus() = default;

    // Records a failing status and passes every status through.
    Status SetStatus(Status status) const
    {
        if (status != Gdiplus::Ok)
            m_lastStatus = status;
        return status;
    }

private:
    mutable Status m_lastStatus = Gdiplus::Ok;
};

} // namespace Gdip
