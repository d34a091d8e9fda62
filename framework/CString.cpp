#include "CString.h"
#include <cwchar>
#include <cstdio>
#include <vector>

CString::CString(const char* psz)
{
    if (!psz || !*psz)
        return;
    int n = MultiByteToWideChar(CP_ACP, 0, psz, -1, nullptr, 0);
    if (n <= 1)
        return;
    m_str.resize(static_cast<size_t>(n));
    MultiByteToWideChar(CP_ACP, 0, psz, -1, &m_str[0], n);
    m_str.resize(static_cast<size_t>(n - 1));
}

int CString::Compare(const wchar_t* psz) const
{
    return wcscmp(m_str.c_str(), psz ? psz : L"");
}

int CString::CompareNoCase(const wchar_t* psz) const
{
    return _wcsicmp(m_str.c_str(), psz ? psz : L"");
}

int CString::Find(wchar_t ch, int iStart) const
{
    if (iStart < 0 || iStart > GetLength())
        return -1;
    size_t p = m_str.find(ch, static_cast<size_t>(iStart));
    return p == std::wstring::npos ? -1 : static_cast<int>(p);
}

int CString::Find(const wchar_t* pszSub, int iStart) const
{
    if (!pszSub || iStart < 0 || iStart > GetLength())
        return -1;
    size_t p = m_str.find(pszSub, static_cast<size_t>(iStart));
    return p == std::wstring::npos ? -1 : static_cast<int>(p);
}

int CString::ReverseFind(wchar_t ch) const
{
    size_t p = m_str.rfind(ch);
    return p == std::wstring::npos ? -1 : static_cast<int>(p);
}

CString CString::Mid(int iFirst) const
{
    return Mid(iFirst, GetLength() - (iFirst < 0 ? 0 : iFirst));
}

CString CString::Mid(int iFirst, int nCount) const
{
    if (iFirst < 0)
        iFirst = 0;
    if (nCount < 0)
        nCount = 0;
    if (iFirst >= GetLength())
        return CString();
    CString r;
    r.m_str = m_str.substr(static_cast<size_t>(iFirst), static_cast<size_t>(nCount));
    return r;
}

CString CString::Left(int nCount) const
{
    return Mid(0, nCount);
}

CString CString::Right(int nCount) const
{
    if (nCount < 0)
        nCount = 0;
    if (nCount >= GetLength())
        return *this;
    return Mid(GetLength() - nCount, nCount);
}

CString& CString::MakeUpper()
{
    if (!m_str.empty())
        CharUpperBuffW(&m_str[0], static_cast<DWORD>(m_str.size()));
    return *this;
}

CString& CString::MakeLower()
{
    if (!m_str.empty())
        CharLowerBuffW(&m_str[0], static_cast<DWORD>(m_str.size()));
    return *this;
}

CString& CString::Trim()
{
    const wchar_t* ws = L" \t\r\n\v\f";
    size_t b = m_str.find_first_not_of(ws);
    if (b == std::wstring::npos) {
        m_str.clear();
        return *this;
    }
    size_t e = m_str.find_last_not_of(ws);
    m_str = m_str.substr(b, e - b + 1);
    return *this;
}

int CString::Remove(wchar_t ch)
{
    size_t before = m_str.size();
    std::wstring out;
    out.reserve(before);
    for (wchar_t c : m_str)
        if (c != ch)
            out += c;
    m_str.swap(out);
    return static_cast<int>(before - m_str.size());
}

int CString::Replace(const wchar_t* pszOld, const wchar_t* pszNew)
{
    if (!pszOld || !*pszOld)
        return 0;
    std::wstring from(pszOld), to(pszNew ? pszNew : L"");
    int count = 0;
    std::wstring out;
    size_t pos = 0;
    for (;;) {
        size_t hit = m_str.find(from, pos);
        if (hit == std::wstring::npos)
            break;
        out.append(m_str, pos, hit - pos);
        out += to;
        pos = hit + from.size();
        ++count;
    }
    if (count) {
        out.append(m_str, pos, std::wstring::npos);
        m_str.swap(out);
    }
    return count;
}

int CString::Replace(wchar_t chOld, wchar_t chNew)
{
    int count = 0;
    for (wchar_t& c : m_str)
        if (c == chOld) {
            c = chNew;
            ++count;
        }
    return count;
}

int CString::Insert(int iIndex, const wchar_t* psz)
{
    if (iIndex < 0)
        iIndex = 0;
    if (iIndex > GetLength())
        iIndex = GetLength();
    m_str.insert(static_cast<size_t>(iIndex), psz ? psz : L"");
    return GetLength();
}

int CString::Delete(int iIndex, int nCount)
{
    if (iIndex < 0)
        iIndex = 0;
    if (nCount > 0 && iIndex < GetLength())
        m_str.erase(static_cast<size_t>(iIndex), static_cast<size_t>(nCount));
    return GetLength();
}

void CString::FormatV(const wchar_t* pszFormat, va_list args)
{
    m_str.clear();
    if (!pszFormat)
        return;
    va_list probe;
    va_copy(probe, args);
    // _vscwprintf/_vsnwprintf are the Microsoft runtime's own functions, so %s
    // means wide text whatever mingw's C99 stdio switch says.
    int n = _vscwprintf(pszFormat, probe);
    va_end(probe);
    if (n <= 0)
        return;
    std::vector<wchar_t> buf(static_cast<size_t>(n) + 1);
    _vsnwprintf(buf.data(), buf.size(), pszFormat, args);
    buf[static_cast<size_t>(n)] = 0;
    m_str.assign(buf.data(), static_cast<size_t>(n));
}

void CString::Format(const wchar_t* pszFormat, ...)
{
    va_list args;
    va_start(args, pszFormat);
    FormatV(pszFormat, args);
    va_end(args);
}

void CString::AppendFormat(const wchar_t* pszFormat, ...)
{
    CString tail;
    va_list args;
    va_start(args, pszFormat);
    tail.FormatV(pszFormat, args);
    va_end(args);
    *this += tail;
}

std::string CString::ToAnsi() const
{
    if (m_str.empty())
        return std::string();
    int n = WideCharToMultiByte(CP_ACP, 0, m_str.data(), GetLength(), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n > 0 ? n : 0), '\0');
    if (n > 0)
        WideCharToMultiByte(CP_ACP, 0, m_str.data(), GetLength(), &out[0], n, nullptr, nullptr);
    return out;
}

wchar_t* CString::GetBuffer(int nMinLength)
{
    if (nMinLength > GetLength())
        m_str.resize(static_cast<size_t>(nMinLength));
    return &m_str[0];
}

void CString::ReleaseBuffer(int nNewLength)
{
    if (nNewLength < 0)
        nNewLength = static_cast<int>(wcsnlen(m_str.c_str(), m_str.size()));
    m_str.resize(static_cast<size_t>(nNewLength));
}

CString operator+(const CString& a, const CString& b) { CString r(a); r += b; return r; }
CString operator+(const CString& a, const wchar_t* b) { CString r(a); r += b; return r; }
CString operator+(const wchar_t* a, const CString& b) { CString r(a); r += b; return r; }
CString operator+(const CString& a, wchar_t b) { CString r(a); r += b; return r; }
