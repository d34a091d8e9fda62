#include "panel/CToolTipPattern.h"
#include <cwctype>

namespace {
const int kTextCount = 3;
// A width or precision of more digits would have the formatter pad to
// gigabytes; such a pattern is formatted literally instead.
const int kMaxFieldDigits = 3;

// Skips the digits at i; false when there are more than kMaxFieldDigits.
bool SkipFieldDigits(const CString& strPattern, int& i)
{
    int nStart = i;
    while (i < strPattern.GetLength() && iswdigit(strPattern[i]))
        ++i;
    return i - nStart <= kMaxFieldDigits;
}
}

CString CToolTipPattern::Format(const CString& strPattern, const CString& strName, const CString& strVersion,
                                const CString& strDesc)
{
    if (IsSafeForFormatter(strPattern)) {
        CString strOut;
        strOut.Format(strPattern, strName.GetString(), strVersion.GetString(), strDesc.GetString());
        return strOut;
    }
    const CString texts[kTextCount] = {strName, strVersion, strDesc};
    return FormatLiterally(strPattern, texts, kTextCount);
}

// Length of the text conversion starting with the '%' at nPos
// ("%s", "%-20s", "%.10s", "%ls"...), or 0 when it is anything else,
// including a width or precision of more than three digits.
int CToolTipPattern::MatchTextConversion(const CString& strPattern, int nPos)
{
    int i = nPos + 1, n = strPattern.GetLength();
    while (i < n && wcschr(L"-+ #0", strPattern[i]))
        ++i;
    if (!SkipFieldDigits(strPattern, i))
        return 0;
    if (i < n && strPattern[i] == L'.') {
        ++i;
        if (!SkipFieldDigits(strPattern, i))
            return 0;
    }
    if (i < n && (strPattern[i] == L'l' || strPattern[i] == L'w'))
        ++i;
    return i < n && strPattern[i] == L's' ? i + 1 - nPos : 0;
}

bool CToolTipPattern::IsSafeForFormatter(const CString& strPattern)
{
    int nTexts = 0;
    for (int i = 0; i < strPattern.GetLength(); ++i) {
        if (strPattern[i] != L'%')
            continue;
        if (i + 1 < strPattern.GetLength() && strPattern[i + 1] == L'%') {
            ++i;
            continue;
        }
        int nLen = MatchTextConversion(strPattern, i);
        if (nLen == 0 || ++nTexts > kTextCount)
            return false;
        i += nLen - 1;
    }
    return true;
}

CString CToolTipPattern::FormatLiterally(const CString& strPattern, const CString* pTexts, int nTexts)
{
    CString strOut;
    int nNext = 0;
    for (int i = 0; i < strPattern.GetLength(); ++i) {
        wchar_t ch = strPattern[i];
        wchar_t chNext = i + 1 < strPattern.GetLength() ? strPattern[i + 1] : 0;
        if (ch == L'%' && chNext == L'%') {
            strOut += L'%';
            ++i;
        } else if (ch == L'%' && chNext == L's' && nNext < nTexts) {
            strOut += pTexts[nNext++];
            ++i;
        } else {
            strOut += ch;
        }
    }
    return strOut;
}
