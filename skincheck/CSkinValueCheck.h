// Whether a value text is well formed for its kind. The module reads the
// longest valid beginning of a value and ignores the rest, so "12px" reads as
// 12 and "360x480" as a width alone; the checker calls such texts errors.
#pragma once
#include <vector>
#include "framework/CString.h"
#include "skin/SkinKeyTable.h"

class CSkinValueCheck
{
public:
    // Empty when strText is a well-formed value of the kind (an empty text
    // counts as absent and is well formed); otherwise what was expected.
    static CString Expected(SkinValueKind kind, const CString& strText);

    // The ";"-separated parts of a list value, spaces removed.
    static std::vector<CString> ListParts(const CString& strText);
    // Number rule on a well-formed number text.
    static int Number(const CString& strText);

private:
    static std::vector<CString> Parts(const CString& strText, wchar_t chSep);
    static bool IsNumber(const CString& strText);
    static bool IsDecimal(const CString& strText);
    static bool IsHexColour(const CString& strText);
    static bool IsIntegerList(const CString& strText, int nCount);
    static bool AreNumbers(const CString& strText, int nMaxParts);
};
