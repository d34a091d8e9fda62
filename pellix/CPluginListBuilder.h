// Turns a catalog into the linked list of fixed-layout records that callers of
// PxGetAllPluginList walk, and releases such a list.
#pragma once
#include <stddef.h>
#include "include/PellixSDK.h"
#include "pellix/CCatalog.h"

class CPluginListBuilder
{
public:
    // One record per tool in catalog order, icon paths resolved against
    // strFolder. Returns false (and no list) when memory runs out.
    static bool Build(const CCatalog& catalog, const CString& strFolder, _PLUGIN_INFO*& pHead);
    static void Free(_PLUGIN_INFO* pHead);
    // The first tool whose identifier reads pszId in its record (identifiers
    // longer than the field are known to callers only by their cut form).
    static const CCatalog::Tool* FindByRecordId(const CCatalog& catalog, const wchar_t* pszId);

private:
    static void FillRecord(_PLUGIN_INFO& info, const CCatalog::Tool& tool, const CString& strFolder);
    static CString FitToField(const CString& strText, size_t cchField);
    static int FittedLength(const CString& strText, size_t cchField);

    // The field arrives zeroed, so the copy is terminated by the zero after it.
    template <size_t N>
    static void CopyText(wchar_t (&field)[N], const CString& strText)
    {
        wmemcpy(field, strText.GetString(), static_cast<size_t>(FittedLength(strText, N)));
    }
};
