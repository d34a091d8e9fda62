// Formats a tool's tooltip from the skin's pattern and three texts (name,
// version, description). The pattern comes from a file, so it is handed to a
// printf-style formatter only when every conversion in it is a text
// conversion (%s, optionally with flags, a width or precision of at most
// three digits) and there are at most three of them; any other pattern is formatted safely: the first three
// plain "%s" take the texts, "%%" gives "%", and every other conversion is
// kept as literal text.
#pragma once
#include "framework/CString.h"

class CToolTipPattern
{
public:
    static CString Format(const CString& strPattern, const CString& strName, const CString& strVersion,
                          const CString& strDesc);
    // Whether the pattern goes to the formatter; otherwise every conversion
    // but the first three plain "%s" and "%%" is shown as written.
    static bool IsSafeForFormatter(const CString& strPattern);

private:
    static int MatchTextConversion(const CString& strPattern, int nPos);
    static CString FormatLiterally(const CString& strPattern, const CString* pTexts, int nTexts);
};
