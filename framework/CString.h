// Wide (UTF-16) string with the operations and semantics of MFC's CStringW.
#pragma once
#include <windows.h>
#include <cstdarg>
#include <string>

class CString
{
public:
    CString() = default;
    CString(const wchar_t* psz) : m_str(psz ? psz : L"") {}
    CString(const wchar_t* pch, int nLength) : m_str(pch ? pch : L"", pch && nLength > 0 ? nLength : 0) {}
    CString(wchar_t ch, int nRepeat = 1) : m_str(nRepeat > 0 ? nRepeat : 0, ch) {}
    // Narrow text is taken to be in the ANSI code page, as MFC's conversion does.
    CString(const char* psz);
    CString(const CString&) = default;
    CString(CString&&) noexcept = default;
    CString& operator=(const CString&) = default;
    CString& operator=(CString&&) noexcept = default;
    CString& operator=(const wchar_t* psz) { m_str = psz ? psz : L""; return *this; }
    CString& operator=(const char* psz) { return *this = CString(psz); }

    int GetLength() const { return static_cast<int>(m_str.size()); }
    bool IsEmpty() const { return m_str.empty(); }
    void Empty() { m_str.clear(); }
    const wchar_t* GetString() const { return m_str.c_str(); }
    operator const wchar_t*() const { return m_str.c_str(); }
    wchar_t GetAt(int i) const { return m_str.at(static_cast<size_t>(i)); }
    wchar_t operator[](int i) const { return GetAt(i); }
    void SetAt(int i, wchar_t ch) { m_str.at(static_cast<size_t>(i)) = ch; }

    CString& operator+=(const wchar_t* psz) { if (psz) m_str += psz; return *this; }
    CString& operator+=(const CString& s) { m_str += s.m_str; return *this; }
    CString& operator+=(wchar_t ch) { m_str += ch; return *this; }
    void Append(const wchar_t* psz, int n) { if (psz && n > 0) m_str.append(psz, static_cast<size_t>(n)); }

    int Compare(const wchar_t* psz) const;
    int CompareNoCase(const wchar_t* psz) const;

    // Positions are character indexes; -1 means "not found".
    int Find(wchar_t ch, int iStart = 0) const;
    int Find(const wchar_t* pszSub, int iStart = 0) const;
    int ReverseFind(wchar_t ch) const;

    CString Mid(int iFirst) const;
    CString Mid(int iFirst, int nCount) const;
    CString Left(int nCount) const;
    CString Right(int nCount) const;

    CString& MakeUpper();
    CString& MakeLower();
    CString& Trim();
    int Remove(wchar_t ch);                                   // returns the number removed
    int Replace(const wchar_t* pszOld, const wchar_t* pszNew); // returns the number replaced
    int Replace(wchar_t chOld, wchar_t chNew);
    int Insert(int iIndex, const wchar_t* psz);
    int Delete(int iIndex, int nCount = 1);

    // printf-style formatting with the Microsoft C runtime's rules: %s and %S
    // take wide text here (as in MFC's CStringW::Format), %hs narrow text.
    void Format(const wchar_t* pszFormat, ...);
    void FormatV(const wchar_t* pszFormat, va_list args);
    void AppendFormat(const wchar_t* pszFormat, ...);

    // Conversion to the ANSI code page (unrepresentable characters become the
    // code page's default character).
    std::string ToAnsi() const;

    // Direct buffer access as in MFC: GetBuffer(n) gives room for n characters
    // plus a terminator; ReleaseBuffer(-1) takes the length from the terminator.
    wchar_t* GetBuffer(int nMinLength);
    void ReleaseBuffer(int nNewLength = -1);

    const std::wstring& Std() const { return m_str; }

private:
    std::wstring m_str;
};

CString operator+(const CString& a, const CString& b);
CString operator+(const CString& a, const wchar_t* b);
CString operator+(const wchar_t* a, const CString& b);
CString operator+(const CString& a, wchar_t b);
inline bool operator==(const CString& a, const CString& b) { return a.Std() == b.Std(); }
inline bool operator==(const CString& a, const wchar_t* b) { return a.Compare(b) == 0; }
inline bool operator==(const wchar_t* a, const CString& b) { return b.Compare(a) == 0; }
inline bool operator!=(const CString& a, const CString& b) { return !(a == b); }
inline bool operator!=(const CString& a, const wchar_t* b) { return !(a == b); }
inline bool operator<(const CString& a, const CString& b) { return a.Std() < b.Std(); }

// Hash used by CMap for string keys.
struct CStringHash
{
    size_t operator()(const CString& s) const { return std::hash<std::wstring>()(s.Std()); }
};
