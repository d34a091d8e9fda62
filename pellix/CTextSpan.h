// A piece of a wide text, borrowed from the text that holds it: the catalog
// reader cuts lines, keys and values as spans and copies out only the values
// it keeps, instead of making a string for every piece.
#pragma once
#include <stddef.h>
#include "framework/CString.h"

class CTextSpan
{
public:
    CTextSpan() = default;
    CTextSpan(const wchar_t* pBegin, const wchar_t* pEnd) : m_pBegin(pBegin), m_pEnd(pEnd) {}

    bool IsEmpty() const { return m_pBegin == m_pEnd; }
    size_t GetLength() const { return static_cast<size_t>(m_pEnd - m_pBegin); }
    wchar_t First() const { return *m_pBegin; }
    wchar_t Last() const { return m_pEnd[-1]; }

    // Without the blanks (space, tab, CR, LF, VT, FF) at both ends.
    CTextSpan Trimmed() const;
    // The part from nFirst, nCount units long (both within the span).
    CTextSpan Mid(size_t nFirst, size_t nCount) const;
    // Position of the first ch, or -1.
    int Find(wchar_t ch) const;
    // Equal to the ASCII text pszAscii, ignoring the case of A to Z.
    bool EqualsNoCase(const wchar_t* pszAscii) const;
    CString ToString() const;

    // The next line of [pPos, pEnd) without its line end; pPos moves past it.
    static CTextSpan NextLine(const wchar_t*& pPos, const wchar_t* pEnd);

private:
    static bool IsBlank(wchar_t ch);
    static wchar_t FoldAscii(wchar_t ch) { return ch >= L'A' && ch <= L'Z' ? static_cast<wchar_t>(ch + 32) : ch; }

    const wchar_t* m_pBegin = nullptr;
    const wchar_t* m_pEnd = nullptr;
};
