#include "skincheck/CSkinValueCheck.h"
#include <cwctype>
#include "skin/ValueText.h"

namespace {

CString WithoutSpaces(const CString& strText)
{
    CString str = strText;
    str.Remove(L' ');
    return str;
}

bool AllOf(const CString& strText, int nFrom, int (*pTest)(wint_t))
{
    if (nFrom >= strText.GetLength())
        return false;
    for (int i = nFrom; i < strText.GetLength(); ++i)
        if (!pTest(strText[i]))
            return false;
    return true;
}

// Optional sign, then at least one decimal digit.
bool IsSignedDigits(const CString& strText)
{
    int nFrom = !strText.IsEmpty() && (strText[0] == L'-' || strText[0] == L'+') ? 1 : 0;
    return AllOf(strText, nFrom, iswdigit);
}

} // namespace

bool CSkinValueCheck::IsNumber(const CString& strText)
{
    CString str = WithoutSpaces(strText);
    str.MakeUpper();
    if (str.GetLength() > 2 && str.Left(2) == L"0X")
        return str.GetLength() <= 10 && AllOf(str, 2, iswxdigit);
    return IsSignedDigits(str);
}

bool CSkinValueCheck::IsDecimal(const CString& strText)
{
    CString str = strText;
    str.Trim();
    return IsSignedDigits(str);
}

bool CSkinValueCheck::IsHexColour(const CString& strText)
{
    CString str = strText;
    str.Trim();
    str.MakeUpper();
    int nFrom = str.Left(2) == L"0X" ? 2 : 0;
    return str.GetLength() - nFrom <= 8 && AllOf(str, nFrom, iswxdigit);
}

// Exactly nCount signed decimal numbers separated by commas.
bool CSkinValueCheck::IsIntegerList(const CString& strText, int nCount)
{
    std::vector<CString> parts = Parts(WithoutSpaces(strText), L',');
    if (static_cast<int>(parts.size()) != nCount)
        return false;
    for (const CString& strPart : parts)
        if (!IsSignedDigits(strPart))
            return false;
    return true;
}

// Every part that is not empty is a number; more parts than read are allowed
// here (the checker warns about them).
bool CSkinValueCheck::AreNumbers(const CString& strText, int nMaxParts)
{
    std::vector<CString> parts = ListParts(strText);
    for (size_t i = 0; i < parts.size() && static_cast<int>(i) < nMaxParts; ++i)
        if (!parts[i].IsEmpty() && !IsNumber(parts[i]))
            return false;
    return true;
}

std::vector<CString> CSkinValueCheck::ListParts(const CString& strText)
{
    return Parts(WithoutSpaces(strText), L';');
}

std::vector<CString> CSkinValueCheck::Parts(const CString& strText, wchar_t chSep)
{
    std::vector<CString> parts;
    int nStart = 0;
    for (int nSep = strText.Find(chSep, 0); nSep >= 0; nStart = nSep + 1, nSep = strText.Find(chSep, nStart))
        parts.push_back(strText.Mid(nStart, nSep - nStart));
    parts.push_back(strText.Mid(nStart));
    return parts;
}

int CSkinValueCheck::Number(const CString& strText)
{
    int n = 0;
    ParseNumber(strText, n);
    return n;
}

CString CSkinValueCheck::Expected(SkinValueKind kind, const CString& strText)
{
    if (WithoutSpaces(strText).IsEmpty())
        return CString();
    switch (kind) {
    case SkinValueKind::Number:
        return IsNumber(strText) ? CString() : L"a whole number (decimal, or hexadecimal after 0X)";
    case SkinValueKind::Decimal:
        return IsDecimal(strText) ? CString() : L"a whole number in decimal digits";
    case SkinValueKind::Colour:
        return IsNumber(strText) ? CString() : L"a colour such as 0XFF336699 (alpha, red, green, blue)";
    case SkinValueKind::HexColour:
        return IsHexColour(strText) ? CString() : L"a hexadecimal colour such as FF336699";
    case SkinValueKind::Rectangle:
        return IsIntegerList(strText, 4) ? CString() : L"a rectangle: x,y,width,height in decimal";
    case SkinValueKind::Pair:
        return IsIntegerList(strText, 2) ? CString() : L"a pair of decimal numbers such as 360,480";
    case SkinValueKind::ColourPair:
        return AreNumbers(strText, 2) ? CString() : L"one or two colours separated by ;";
    case SkinValueKind::StyleList:
        return AreNumbers(strText, 4) ? CString() : L"up to four numbers: style;alignment;line alignment;trimming";
    case SkinValueKind::NumberList:
        return AreNumbers(strText, 4) ? CString() : L"four numbers separated by ;";
    case SkinValueKind::Text:
    case SkinValueKind::Path:
        break;
    }
    return CString();
}
