#include "TestText.h"
#include <windows.h>

std::string ToUtf8(const CString& strText)
{
    int cb = WideCharToMultiByte(CP_UTF8, 0, strText, strText.GetLength(), nullptr, 0, nullptr, nullptr);
    std::string strBytes(static_cast<size_t>(cb > 0 ? cb : 0), '\0');
    if (cb > 0)
        WideCharToMultiByte(CP_UTF8, 0, strText, strText.GetLength(), &strBytes[0], cb, nullptr, nullptr);
    return strBytes;
}

CString FromUtf8(const std::string& strBytes)
{
    int nChars = MultiByteToWideChar(CP_UTF8, 0, strBytes.data(), static_cast<int>(strBytes.size()), nullptr, 0);
    std::wstring strText(static_cast<size_t>(nChars > 0 ? nChars : 0), L'\0');
    if (nChars > 0)
        MultiByteToWideChar(CP_UTF8, 0, strBytes.data(), static_cast<int>(strBytes.size()), &strText[0], nChars);
    return CString(strText.c_str());
}

CString XmlAttribute(const CString& strText)
{
    CString strOut;
    for (int i = 0; i < strText.GetLength(); ++i) {
        switch (strText[i]) {
        case L'&': strOut += L"&amp;"; break;
        case L'<': strOut += L"&lt;"; break;
        case L'"': strOut += L"&quot;"; break;
        default: strOut += strText[i];
        }
    }
    return strOut;
}

void PrintTo(const CString& strText, std::ostream* pStream)
{
    *pStream << '"' << ToUtf8(strText) << '"';
}
