// Owner of a GDI object, as MFC's CGdiObject: the object attached or created
// is deleted by DeleteObject or the destructor, unless detached first.
#pragma once
#include "CObject.h"

class CGdiObject : public CObject
{
    DECLARE_DYNAMIC(CGdiObject)
public:
    CGdiObject() = default;
    ~CGdiObject() override;

    HGDIOBJ m_hObject = nullptr;

    operator HGDIOBJ() const { return m_hObject; }
    // Null also when called through a null pointer, as in MFC.
    HGDIOBJ GetSafeHandle() const;

    // Takes ownership of hObject; FALSE when hObject is null.
    BOOL Attach(HGDIOBJ hObject);
    // Gives up ownership and returns the handle.
    HGDIOBJ Detach();
    // Deletes the owned object; FALSE when there was none.
    BOOL DeleteObject();
};
