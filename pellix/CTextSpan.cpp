#include "pellix/CTextSpan.h"
#include <cwchar>

bool CTextSpan::IsBlank(wchar_t ch)
{
    return ch == L' ' || ch == L'\t' || ch == L'\r' || ch == L'\n' || ch == L'\v' || ch == L'\f';
}

CTextSpan CTextSpan::Trimmed() const
{
    const wchar_t* pBegin = m_pBegin;
    const wchar_t* pEnd = m_pEnd;
    while (pBegin < pEnd && IsBlank(*pBegin))
        ++pBegin;
    while (pEnd > pBegin && IsBlank(pEnd[-1]))
        --pEnd;
    return CTextSpan(pBegin, pEnd);
}

CTextSpan CTextSpan::Mid(size_t nFirst, size_t nCount) const
{
    return CTextSpan(m_pBegin + nFirst, m_pBegin + nFirst + nCount);
}

int CTextSpan::Find(wchar_t ch) const
{
    for (const wchar_t* p = m_pBegin; p < m_pEnd; ++p)
        if (*p == ch)
            return static_cast<int>(p - m_pBegin);
    return -1;
}

bool CTextSpan::EqualsNoCase(const wchar_t* pszAscii) const
{
    const wchar_t* p = m_pBegin;
    for (; p < m_pEnd && *pszAscii; ++p, ++pszAscii)
        if (FoldAscii(*p) != FoldAscii(*pszAscii))
            return false;
    return p == m_pEnd && *pszAscii == L'\0';
}

CString CTextSpan::ToString() const
{
    return CString(m_pBegin, static_cast<int>(GetLength()));
}

CTextSpan CTextSpan::NextLine(const wchar_t*& pPos, const wchar_t* pEnd)
{
    const wchar_t* pBegin = pPos;
    const wchar_t* pLineEnd = std::wmemchr(pBegin, L'\n', static_cast<size_t>(pEnd - pBegin));
    if (!pLineEnd)
        pLineEnd = pEnd;
    pPos = pLineEnd < pEnd ? pLineEnd + 1 : pEnd;
    return CTextSpan(pBegin, pLineEnd);
}
