#include "panel/PluginRecord.h"

CString CPluginRecord::CopyFieldText(const wchar_t* pField, size_t cchField)
{
    size_t cch = 0;
    while (cch < cchField && pField[cch] != L'\0')
        ++cch;
    return CString(pField, static_cast<int>(cch));
}
