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
