#include "CGdiObject.h"

IMPLEMENT_DYNAMIC(CGdiObject, CObject)

CGdiObject::~CGdiObject()
{
    DeleteObject();
}

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnonnull-compare"
HGDIOBJ CGdiObject::GetSafeHandle() const
{
    return this ? m_hObject : nullptr;
}
#pragma GCC diagnostic pop

BOOL CGdiObject::Attach(HGDIOBJ hObject)
{
    if (!hObject)
        return FALSE;
    if (hObject != m_hObject)
        DeleteObject();
    m_hObject = hObject;
    return TRUE;
}

HGDIOBJ CGdiObject::Detach()
{
    HGDIOBJ hObject = m_hObject;
    m_hObject = nullptr;
    return hObject;
}

BOOL CGdiObject::DeleteObject()
{
    if (!m_hObject)
        return FALSE;
    return ::DeleteObject(Detach());
}
