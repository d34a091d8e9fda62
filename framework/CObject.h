// Root of the framework's class hierarchy, as MFC's CObject: a virtual
// destructor and run-time class information. Copying is disabled.
#pragma once
#include "CRuntimeClass.h"

class CObject
{
public:
    static CRuntimeClass classCObject;
    static CRuntimeClass* GetThisClass();
    virtual CRuntimeClass* GetRuntimeClass() const;

    virtual ~CObject() = default;

    // TRUE when the object's run-time class is pClass or derives from it.
    BOOL IsKindOf(const CRuntimeClass* pClass) const;

protected:
    CObject() = default;

private:
    CObject(const CObject&) = delete;
    CObject& operator=(const CObject&) = delete;
};
