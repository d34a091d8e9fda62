#include "ValueText.h"
#include "framework/CHandleOwner.h"
#include <cstring>
#include <cwchar>
#include <vector>

namespace {

CString WithoutSpaces(CString strText)
{
    strText.Remove(L' ');
    return strText;
}

int SeparatorLength(const wchar_t* pszSep)
{
    return pszSep ? static_cast<int>(wcslen(pszSep)) : 0;
}

// Position of the separator at or after nStart; an empty separator never matches,
// so a text without a usable separator is one single token.
int FindSeparator(const CString& strText, const wchar_t* pszSep, int nStart)
{
    return SeparatorLength(pszSep) > 0 ? strText.Find(pszSep, nStart) : -1;
}

// Sums in 32-bit two's complement, as the run-time's int arithmetic would, without
// the undefined behaviour of a signed overflow on extreme skin values.
LONG AddWrapping(LONG a, LONG b)
{
    return static_cast<LONG>(static_cast<unsigned long>(a) + static_cast<unsigned long>(b));
}

// The largest registry read: the system's own guideline for a value's size.
const DWORD kMaxRegistryBuffer = 1024 * 1024;

} // namespace

int ParseNumber(CString strText, int& nDest)
{
    strText.Remove(L' ');
    if (strText.IsEmpty())
        return 0;
    strText.MakeUpper();
    if (strText.GetLength() > 2 && strText.Left(2) == L"0X") {
        unsigned int uValue = 0;
        if (swscanf_s(strText, L"%X", &uValue) == 1)
            nDest = static_cast<int>(uValue);
    } else {
        int nValue = 0;
        if (swscanf_s(strText, L"%d", &nValue) == 1)
            nDest = nValue;
    }
    return 1;
}

int GetNextToken(const CString& strText, const wchar_t* pszSep, int nStart, CString& strDest)
{
    strDest.Empty();
    if (nStart < 0)
        return -1;
    int nSep = FindSeparator(strText, pszSep, nStart);
    if (nSep < 0) {
        strDest = strText.Mid(nStart);
        return -1;
    }
    strDest = strText.Mid(nStart, nSep - nStart);
    return nSep;
}

void GetToken(const CString& strText, const wchar_t* pszSep, int nIndex, CString& strDest)
{
    strDest.Empty();
    if (nIndex < 0)
        return;
    int nStart = 0;
    for (int i = 0; i < nIndex; ++i) {
        int nSep = FindSeparator(strText, pszSep, nStart);
        if (nSep < 0)
            return;
        nStart = nSep + SeparatorLength(pszSep);
    }
    GetNextToken(strText, pszSep, nStart, strDest);
}

CString SplitFilePath(const CString& strPath, CString* pstrFolder, CString* pstrFileName)
{
    int nSlash = strPath.ReverseFind(L'\\');
    CString strFileName = strPath.Mid(nSlash + 1);
    if (pstrFolder)
        *pstrFolder = strPath.Left(nSlash + 1);
    if (pstrFileName)
        *pstrFileName = strFileName;
    return strFileName;
}

void GetModuleDirectory(HMODULE hModule, CString& strDest)
{
    strDest.Empty();
    wchar_t szPath[MAX_PATH] = {};
    DWORD nLength = GetModuleFileNameW(hModule, szPath, MAX_PATH);
    // A name that filled the buffer was cut short; its folder would be wrong.
    if (nLength == 0 || nLength >= MAX_PATH)
        return;
    CString strPath(szPath, static_cast<int>(nLength));
    strDest = strPath.Left(strPath.ReverseFind(L'\\') + 1);
}

// Without the module's folder a path would be relative, resolved against
// whatever folder the host happens to be in: every path is then empty.
CString GetConfigDirectory(HMODULE hModule)
{
    CString strFolder;
    GetModuleDirectory(hModule, strFolder);
    return strFolder.IsEmpty() ? CString() : strFolder + L"Config\\";
}

static CString ConfigFilePath(HMODULE hModule, const wchar_t* pszName)
{
    CString strFolder = GetConfigDirectory(hModule);
    return strFolder.IsEmpty() ? CString() : strFolder + pszName;
}

CString GetSkinFilePath(HMODULE hModule)
{
    return ConfigFilePath(hModule, L"Morvel_SCfg.xml");
}

CString GetLogFilePath(HMODULE hModule)
{
    return ConfigFilePath(hModule, L"UILogTrace.txt");
}

void ReadRegistryValue(const wchar_t* pszKeyPath, const wchar_t* pszValueName, DWORD cbBuffer, CString& strDest)
{
    strDest.Empty();
    // A byte count beyond any registry value is refused: rounded up to whole
    // characters it could wrap to an empty buffer.
    if (cbBuffer > kMaxRegistryBuffer)
        return;
    CRegKeyOwner key;
    if (!pszKeyPath || RegOpenKeyW(HKEY_LOCAL_MACHINE, pszKeyPath, key.Receive()) != ERROR_SUCCESS)
        return;
    // Zero-filled and rounded up to whole characters; the system is told the exact
    // byte count, so it never writes into the rounding.
    std::vector<wchar_t> buffer((cbBuffer + 1) / sizeof(wchar_t), L'\0');
    DWORD dwType = REG_NONE;
    DWORD cbData = cbBuffer;
    // A value larger than the buffer reports ERROR_MORE_DATA and leaves the buffer's
    // contents undefined, so it is refused rather than cut.
    LONG nResult = RegQueryValueExW(key.Get(), pszValueName, nullptr, &dwType,
                                    reinterpret_cast<BYTE*>(buffer.data()), &cbData);
    if (nResult != ERROR_SUCCESS || cbData > cbBuffer)
        return;
    if (dwType == REG_DWORD && cbData >= sizeof(DWORD)) {
        DWORD dwValue = 0;
        memcpy(&dwValue, buffer.data(), sizeof(dwValue));
        strDest.Format(L"%d", static_cast<int>(dwValue));
    } else if (dwType == REG_SZ) {
        // The text ends at its first NUL or at the end of the returned data, so a
        // value stored without a terminator that fills the buffer stays within it.
        size_t nChars = cbData / sizeof(wchar_t);
        strDest = CString(buffer.data(), static_cast<int>(wcsnlen(buffer.data(), nChars)));
    }
}

void ParseRectText(const CString& strText, RECT& rcDest)
{
    CString strRect = WithoutSpaces(strText);
    if (strRect.IsEmpty()) {
        SetRectEmpty(&rcDest);
        return;
    }
    int nValues[4] = {rcDest.left, rcDest.top, rcDest.right, rcDest.bottom};
    swscanf_s(strRect, L"%d,%d,%d,%d", &nValues[0], &nValues[1], &nValues[2], &nValues[3]);
    rcDest.left = nValues[0];
    rcDest.top = nValues[1];
    rcDest.right = AddWrapping(nValues[0], nValues[2]);
    rcDest.bottom = AddWrapping(nValues[1], nValues[3]);
}

void ParsePairText(const CString& strText, POINT& ptDest)
{
    CString strPair = WithoutSpaces(strText);
    if (strPair.IsEmpty()) {
        ptDest.x = ptDest.y = 0;
        return;
    }
    int nFirst = ptDest.x, nSecond = ptDest.y;
    swscanf_s(strPair, L"%d,%d", &nFirst, &nSecond);
    ptDest.x = nFirst;
    ptDest.y = nSecond;
}

void ParseColorPair(const CString& strText, DWORD& clrFirst, DWORD& clrSecond)
{
    CString strColors = WithoutSpaces(strText);
    CString strToken;
    GetToken(strColors, L";", 0, strToken);
    int nFirst = static_cast<int>(clrFirst);
    ParseNumber(strToken, nFirst);
    clrFirst = static_cast<DWORD>(nFirst);

    GetToken(strColors, L";", 1, strToken);
    if (strToken.IsEmpty()) {
        clrSecond = clrFirst;
        return;
    }
    int nSecond = static_cast<int>(clrSecond);
    ParseNumber(strToken, nSecond);
    clrSecond = static_cast<DWORD>(nSecond);
}

void ParseTextStyle(const CString& strText, int& nStyle, int& nAlign, int& nLineAlign, int& nTrimming)
{
    CString strStyles = WithoutSpaces(strText);
    int* pFields[4] = {&nStyle, &nAlign, &nLineAlign, &nTrimming};
    CString strToken;
    for (int i = 0; i < 4; ++i) {
        GetToken(strStyles, L";", i, strToken);
        ParseNumber(strToken, *pFields[i]);
    }
}
