// Read-only view of one tool record from the tool-service library. The records
// belong to the library, so the view only borrows one and copies texts out.
// Each text is taken from inside its fixed-size field: a field that the library
// filled without a terminator gives exactly its own units and nothing after.
#pragma once
#include <stddef.h>
#include "framework/CString.h"
#include "include/PellixSDK.h"

class CPluginRecord
{
public:
    explicit CPluginRecord(const _PLUGIN_INFO& info) : m_info(info) {}

    CString GetName() const { return FieldText(m_info.szName); }
    CString GetId() const { return FieldText(m_info.szId); }
    CString GetVersion() const { return FieldText(m_info.szVersion); }
    CString GetDescription() const { return FieldText(m_info.szDesc); }
    CString GetIconPath() const { return FieldText(m_info.szIconPath); }
    bool IsListed() const { return (m_info.bFlags & PX_FLAG_LISTED) != 0; }
    const _PLUGIN_INFO* GetNext() const { return m_info.pNext; }

    // The text of a field of cchField units: up to its first NUL, or the whole
    // field when it holds none. Reads no unit outside the field.
    static CString CopyFieldText(const wchar_t* pField, size_t cchField);

    template <size_t N>
    static CString FieldText(const wchar_t (&field)[N]) { return CopyFieldText(field, N); }

private:
    const _PLUGIN_INFO& m_info;
};
